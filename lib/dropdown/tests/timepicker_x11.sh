#!/bin/sh
# Drives the time picker of dropdown_demo on an X server (run inside scripts/on-xvfb): opens it with its
# drop button, clicks the clock in the popup at 6 o'clock (halfway between the centre and the rim;
# the clock fills the popup, so its centre is the popup's), then presses Return. Writes
# OUT/log.txt (the demo's log) and OUT/probe.txt (the popup's place and size, the click).
demo=$1
out=$2
mkdir -p "$out"
ZELK_BACKEND=x11 "$demo" --log >"$out/log.txt" 2>"$out/err.txt" &
pid=$!
n=0
while ! grep -q '^ready' "$out/log.txt" 2>/dev/null && [ $n -lt 200 ]; do sleep 0.05; n=$((n + 1)); done
tp=$(awk '$1 == "timepicker" { print $2 }' "$out/log.txt")
bx=$(awk -v tp="$tp" '$1 == "button" && $2 == tp { print $3 }' "$out/log.txt")
by=$(awk -v tp="$tp" '$1 == "button" && $2 == tp { print $4 }' "$out/log.txt")

# Waits (at most 10 s) until a line of the demo's log starts with PREFIX.
waitfor() {
  n=0
  while ! grep -q "^$1" "$out/log.txt" && [ $n -lt 200 ]; do sleep 0.05; n=$((n + 1)); done
}

xdotool mousemove "$bx" "$by" click 1
waitfor "open $tp"
for w in $(xwininfo -root -children | awk '/^ +0x/ { print $1 }'); do
  info=$(xwininfo -id "$w")
  if echo "$info" | grep -q 'Override Redirect State: yes' && echo "$info" | grep -q 'Map State: IsViewable'; then
    x=$(echo "$info" | awk '/Absolute upper-left X/ { print $4 }')
    y=$(echo "$info" | awk '/Absolute upper-left Y/ { print $4 }')
    wd=$(echo "$info" | awk '/Width:/ { print $2 }')
    ht=$(echo "$info" | awk '/Height:/ { print $2 }')
  fi
done
cx=$((x + wd / 2))
cy=$((y + ht / 2 + ht / 4))
echo "popup $x $y $wd $ht" >>"$out/probe.txt"
echo "click $cx $cy" >>"$out/probe.txt"
xdotool mousemove "$cx" "$cy" click 1
waitfor "text $tp 06"
xdotool key Return
waitfor "close $tp"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
