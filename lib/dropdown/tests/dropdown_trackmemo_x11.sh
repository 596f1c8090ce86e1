#!/bin/sh
# Drives dropdown_demo's track-bar, memo and multi-column dropdowns on an X server (run inside
# scripts/on-xvfb): saves the screen of each open dropdown under OUT/x11, then runs the demo with its log
# and 100,000 names, drags the track bar's thumb, types into the memo, and types "ab" and Enter
# into the open multi-column popup with xdotool. Writes OUT/log.txt (the demo's log).
demo=$1
out=$2
mkdir -p "$out/x11"
ZELK_BACKEND=x11 "$demo" --script "$out/x11" >"$out/script-err.txt" 2>&1 || echo "script failed $?" >>"$out/probe.txt"

ZELK_BACKEND=x11 "$demo" --log --items 100000 >"$out/log.txt" 2>"$out/err.txt" &
pid=$!
n=0
while ! grep -q '^ready' "$out/log.txt" 2>/dev/null && [ $n -lt 1200 ]; do sleep 0.05; n=$((n + 1)); done
t=$(awk '$1 == "trackbar" { print $2 }' "$out/log.txt")
m=$(awk '$1 == "memo" { print $2 }' "$out/log.txt")
c=$(awk '$1 == "multicolumn" { print $2 }' "$out/log.txt")
button() { awk -v n="$1" -v f="$2" '$1 == "button" && $2 == n { print $f }' "$out/log.txt"; }
ex=$(awk '$1 == "empty" { print $2 }' "$out/log.txt")
ey=$(awk '$1 == "empty" { print $3 }' "$out/log.txt")

# Waits (at most 10 s) until the demo's log has a line starting with PREFIX.
waitfor() {
  n=0
  while ! grep -q "^$1" "$out/log.txt" && [ $n -lt 200 ]; do sleep 0.05; n=$((n + 1)); done
}

# The track bar: open it, drag its thumb 60 pixels to the right, close with a click on the form.
xdotool mousemove "$(button "$t" 3)" "$(button "$t" 4)" click 1
waitfor "thumb $t "
waitfor "open $t"
tx=$(awk -v n="$t" '$1 == "thumb" && $2 == n { print $3 }' "$out/log.txt" | tail -1)
ty=$(awk -v n="$t" '$1 == "thumb" && $2 == n { print $4 }' "$out/log.txt" | tail -1)
xdotool mousemove "$tx" "$ty" mousedown 1
xdotool mousemove $((tx + 30)) "$ty"
xdotool mousemove $((tx + 60)) "$ty" mouseup 1
waitfor "track $t "
xdotool mousemove "$ex" "$ey" click 1
waitfor "close $t "

# The memo: open it, replace its text by two typed lines, close with Tab.
xdotool mousemove "$(button "$m" 3)" "$(button "$m" 4)" click 1
waitfor "open $m"
xdotool key ctrl+a
xdotool type hello
xdotool key Return
xdotool type world
xdotool key Tab
waitfor "close $m "

# The names: open, type "ab" (the popup jumps to the first name beginning with it), Enter.
xdotool mousemove "$(button "$c" 3)" "$(button "$c" 4)" click 1
waitfor "open $c"
xdotool type ab
xdotool key Return
waitfor "close $c "
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
