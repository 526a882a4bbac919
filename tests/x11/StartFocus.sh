#!/usr/bin/env bash
# A user who starts the program and types at once: with real key events from the X server
# under a window manager (openbox gives the new window the keyboard), the code typed
# without a click goes into the code box, and Enter adds it as a record. Checked through
# the data file the program writes when it closes. Run under xvfb-run:
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/x11/StartFocus.sh build/plomix
set -euo pipefail
program=$1
source "$(dirname "$0")/Session.sh"
begin_session

start_program
# The window manager hands the new window the keyboard; no click.
for _ in $(seq 50); do [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] && break; sleep 0.1; done
wait_settled
xdotool type --delay 30 490123456789
xdotool key Return
wait_settled
quit_program

got=$(od -An -c "$work/Plomix.txt" 2>/dev/null | tr -s ' ')
want=$(printf '490123456789\r\n' | od -An -c | tr -s ' ')
if [ "$got" != "$want" ]; then
  echo "Plomix.txt: got [$got], want [$want]: the keys typed at start-up did not reach the code box"
  exit 1
fi
echo "the code typed at start-up was stored"
