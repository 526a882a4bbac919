#!/usr/bin/env bash
# Windows stay where the user put them, under a window manager with title bars (openbox),
# where a window's frame and its client area have different positions. The main window and
# the data list are moved once, then the program is closed and started ten times; at every
# start the data list is opened and closed too. Both windows must come back to the same
# screen position every time. Run under xvfb-run:
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/x11/WindowPlacement.sh build/plomix
set -euo pipefail
program=$1
source "$(dirname "$0")/Session.sh"
begin_session

# The client area's top-left on the screen, as the X server has it, once two readings
# 0.2 s apart agree (the window manager may still be placing the window).
client_position() {
  local now before=""
  for _ in $(seq 25); do
    now=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x "," y}')
    [ "$now" = "$before" ] && break
    before=$now
    sleep 0.2
  done
  echo "$now"
}
# Opens the data list, moves it when given a place, notes where it is, and closes it.
list_position() {
  local list
  list=$(open_list)
  if [ $# -eq 2 ]; then xdotool windowmove --sync "$list" "$1" "$2"; wait_settled; fi
  client_position "$list"
  close_list
}

start_program
xdotool windowmove --sync "$window" 200 120
wait_settled
main_want=$(client_position "$window")
list_want=$(list_position 500 300)
list_again=$(list_position)
quit_program
fail=0
if [ "$list_again" != "$list_want" ]; then echo "data list reopened at $list_again, was put at $list_want"; fail=1; fi

for round in $(seq 10); do
  start_program
  main_got=$(client_position "$window")
  list_got=$(list_position)
  quit_program
  if [ "$main_got" != "$main_want" ]; then echo "start $round: main window at $main_got, was put at $main_want"; fail=1; fi
  if [ "$list_got" != "$list_want" ]; then echo "start $round: data list at $list_got, first opened at $list_want"; fail=1; fi
  [ $fail -eq 0 ] || break
done
[ $fail -eq 0 ] && echo "main window stays at $main_want, data list at $list_want"
exit $fail
