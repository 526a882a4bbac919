#!/usr/bin/env bash
# Every press steps once, however fast the user clicks: two clicks 50 ms apart (which the
# X server reports as a press and a double click) on the print spacing panels of the main
# window, on the data list's row height and print column panels and on its "挿入" must
# each step twice. The values are read back from the environment file and the list's
# title. Run under xvfb-run:
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/x11/QuickClicks.sh build/plomix
set -euo pipefail
program=$1
source "$(dirname "$0")/Session.sh"
begin_session

start_program
# Wide enough for the button bar's spacing panels (行間隔 at x 706, 列間隔 at x 798).
xdotool windowsize --sync "$window" 1000 "$HEIGHT"
wait_settled
eval "$(xdotool getwindowgeometry --shell "$window")"
bar=$((HEIGHT - 40))
double_click 750 $((bar + 20)) 3   # 印刷時の行間隔: right click adds 1, from 10
double_click 843 $((bar + 20)) 3   # 印刷時の列間隔: from 0

list=$(open_list)
double_click 500 16 3 "$list"      # 行間隔 (row height): from 24
double_click 500 45 3 "$list"      # 印刷の段数: from 1
double_click 224 16 1 "$list"      # 挿入: an empty record each
wait_settled
list_title=$(xdotool getwindowname "$list")
close_list
quit_program

fail=0
expect() {  # what, got, want
  if [ "$2" != "$3" ]; then echo "$1: $2 after two quick clicks, want $3"; fail=1; fi
}
expect 印刷時の行間隔 "$(setting 印刷時の行間隔)" 12
expect 印刷時の列間隔 "$(setting 印刷時の列間隔)" 2
expect 'data list row height' "$(setting DDefaultRowHeight)" 26
expect 'data list print columns' "$(setting DPartition)" 3
expect 'data list title after 挿入' "$list_title" 'データの一覧表示  :  2個'
[ $fail -eq 0 ] && echo "every quick click stepped once"
exit $fail
