#!/usr/bin/env bash
# A new user's first session with real key events from the X server: click the code
# box, type a code, press Enter, type a comment, press keypad Enter, close the window.
# The data files must then hold the record and its comment. Run under xvfb-run:
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/x11/KeyboardSession.sh build/plomix [shots-dir]
# With a shots directory it also leaves screenshots there.
set -euo pipefail
program=$1
shots=${2:-}
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
source "$(dirname "$0")/Session.sh"  # check_ending

# The program keeps its files beside itself: a copy in a fresh directory starts clean.
cp "$program" "$work/plomix"
cp "$(dirname "$program")"/Readme.txt "$work/" 2>/dev/null || true
QT_QPA_PLATFORM=xcb "$work/plomix" >"$work/log" 2>&1 &
pid=$!
window=$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Plomix$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$window")"  # WIDTH, HEIGHT
sleep 1

# The control panel sits above the 40-pixel button bar; its boxes at their design places.
panel=$((HEIGHT - 40 - 289))
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
click 124 $((panel + 27))              # the code box
xdotool type --delay 30 490123456789
xdotool key Return
sleep 0.5
click 93 $((panel + 65))               # the upper comment box
xdotool type --delay 30 'first comment'
xdotool key KP_Enter
sleep 0.5
[ -n "$shots" ] && import -window root "$shots/record-added.png"

click 343 $((HEIGHT - 20))            # 終了
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then echo "the program did not close"; exit 1; fi
check_ending "$pid"

fail=0
check() {  # file, expected bytes
  local got
  got=$(od -An -c "$work/$1" 2>/dev/null | tr -s ' ')
  local want
  want=$(printf '%b' "$2" | od -An -c | tr -s ' ')
  if [ "$got" != "$want" ]; then echo "$1: got [$got], want [$want]"; fail=1; fi
}
check Plomix.txt '490123456789\r\n'
check PlomixUp.txt 'first comment\r\n'
check PlomixDn.txt '\r\n'
[ $fail -eq 0 ] && echo "record and comment stored"
exit $fail
