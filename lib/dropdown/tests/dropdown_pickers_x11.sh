#!/bin/sh
# Drives dropdown_demo's detail dropdown, image picker and colour picker on an X server (run inside
# scripts/on-xvfb): saves the screen of each open dropdown under OUT/x11, then runs the demo with its log,
# opens the detail and image pickers with xdotool and closes them with Escape, and opens the colour
# list, types "b" (the list moves to Blue) and Return. Writes OUT/log.txt (the demo's log).
demo=$1
out=$2
mkdir -p "$out/x11"
ZELK_BACKEND=x11 "$demo" --script "$out/x11" >"$out/script-err.txt" 2>&1 || echo "script failed $?" >>"$out/probe.txt"

ZELK_BACKEND=x11 "$demo" --log >"$out/log.txt" 2>"$out/err.txt" &
pid=$!
n=0
while ! grep -q '^ready' "$out/log.txt" 2>/dev/null && [ $n -lt 1200 ]; do sleep 0.05; n=$((n + 1)); done
d=$(awk '$1 == "detail" { print $2 }' "$out/log.txt")
i=$(awk '$1 == "imagepicker" { print $2 }' "$out/log.txt")
c=$(awk '$1 == "colorpicker" { print $2 }' "$out/log.txt")
button() { awk -v n="$1" -v f="$2" '$1 == "button" && $2 == n { print $f }' "$out/log.txt"; }

# Waits (at most 10 s) until the demo's log has a line starting with PREFIX.
waitfor() {
  n=0
  while ! grep -q "^$1" "$out/log.txt" && [ $n -lt 200 ]; do sleep 0.05; n=$((n + 1)); done
}

for p in "$d" "$i"; do
  xdotool mousemove "$(button "$p" 3)" "$(button "$p" 4)" click 1
  waitfor "open $p"
  xdotool key Escape
  waitfor "close $p "
done

xdotool mousemove "$(button "$c" 3)" "$(button "$c" 4)" click 1
waitfor "open $c"
xdotool type b
waitfor "color $c Blue"
xdotool key Return
waitfor "close $c "
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
