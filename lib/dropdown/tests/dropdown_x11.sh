#!/bin/sh
# Drives dropdown_demo on an X server (run inside scripts/on-xvfb): saves the screen of each open dropdown
# under OUT/x11, then runs the demo with its log and clicks and types at it with xdotool. Writes
# OUT/log.txt (the demo's log) and OUT/probe.txt (what the X server says: the focus window, the
# override-redirect popups that are mapped).
demo=$1
out=$2
mkdir -p "$out/x11"
ZELK_BACKEND=x11 "$demo" --script "$out/x11" >"$out/script-err.txt" 2>&1 || echo "script failed $?" >>"$out/probe.txt"

ZELK_BACKEND=x11 "$demo" --log >"$out/log.txt" 2>"$out/err.txt" &
pid=$!
n=0
while ! grep -q '^ready' "$out/log.txt" 2>/dev/null && [ $n -lt 200 ]; do sleep 0.05; n=$((n + 1)); done
bx=$(awk '$1 == "button" && $2 == 1 { print $3 }' "$out/log.txt")
by=$(awk '$1 == "button" && $2 == 1 { print $4 }' "$out/log.txt")
ex=$(awk '$1 == "empty" { print $2 }' "$out/log.txt")
ey=$(awk '$1 == "empty" { print $3 }' "$out/log.txt")

# Waits (at most 10 s) until the demo's log holds LINE at least COUNT times.
waitfor() {
  n=0
  while [ "$(grep -c "^$1\$" "$out/log.txt")" -lt "$2" ] && [ $n -lt 200 ]; do sleep 0.05; n=$((n + 1)); done
}
popups() {
  for w in $(xwininfo -root -children | awk '/^ +0x/ { print $1 }'); do
    info=$(xwininfo -id "$w")
    if echo "$info" | grep -q 'Override Redirect State: yes' && echo "$info" | grep -q 'Map State: IsViewable'; then
      x=$(echo "$info" | awk '/Absolute upper-left X/ { print $4 }')
      y=$(echo "$info" | awk '/Absolute upper-left Y/ { print $4 }')
      echo "popup $1 $x $y" >>"$out/probe.txt"
    fi
  done
}

# The position and size of the mapped override-redirect popup: "geometry NAME X Y W H".
geometry() {
  for w in $(xwininfo -root -children | awk '/^ +0x/ { print $1 }'); do
    info=$(xwininfo -id "$w")
    if echo "$info" | grep -q 'Override Redirect State: yes' && echo "$info" | grep -q 'Map State: IsViewable'; then
      echo "geometry $1 $(echo "$info" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')" >>"$out/probe.txt"
    fi
  done
}

echo "focus before $(xdotool getwindowfocus)" >>"$out/probe.txt"
# Open with the drop button; type into the list; Escape.
xdotool mousemove "$bx" "$by" click 1
waitfor "open 1" 1
popups open
echo "focus open $(xdotool getwindowfocus)" >>"$out/probe.txt"
xdotool key Down
waitfor "text 1 Banana" 1
xdotool key Escape
waitfor "close 1 cancelled" 1
popups after-escape
# Open, then a click on the form's empty area.
xdotool mousemove "$bx" "$by" click 1
waitfor "open 1" 2
xdotool mousemove "$ex" "$ey" click 1
waitfor "close 1 cancelled" 2
popups after-form-click
# Open, then a click on another program's window (the drop button reopens only 250 ms after the
# popup lost the activation).
xmessage -geometry +1500+800 "another program" 2>/dev/null &
other=$!
xdotool search --sync --class Xmessage >/dev/null
sleep 0.3
xdotool mousemove "$bx" "$by" click 1
waitfor "open 1" 3
popups reopened
xdotool mousemove 1530 815 click 1
waitfor "close 1 cancelled" 3
popups after-other-click
kill "$other" 2>/dev/null
# Open once more and drag the footer's size grip 60 px right and 40 px down.
sleep 0.3
xdotool mousemove "$bx" "$by" click 1
waitfor "open 1" 4
geometry grip-before
gx=$(awk '$1 == "geometry" && $2 == "grip-before" { print $3 + $5 - 4 }' "$out/probe.txt")
gy=$(awk '$1 == "geometry" && $2 == "grip-before" { print $4 + $6 - 4 }' "$out/probe.txt")
xdotool mousemove "$gx" "$gy" mousedown 1
sleep 0.1
xdotool mousemove $((gx + 30)) $((gy + 20))
sleep 0.1
xdotool mousemove $((gx + 60)) $((gy + 40))
sleep 0.1
xdotool mouseup 1
sleep 0.3
geometry grip-after
xdotool key Escape
waitfor "close 1 cancelled" 4
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
