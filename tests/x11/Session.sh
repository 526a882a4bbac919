# Shared by the x11 scripts (sourced): a private window manager, the program started from
# a fresh copy, clicks with real pointer events, and the program closed with 終了.
# The caller sets `program`; begin_session makes `work` (a fresh directory) and removes it
# at exit (a caller that does without the window manager sets and removes `work` itself).

wm=""
pid=""
window=""
stop_session() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; [ -n "$wm" ] && kill "$wm" 2>/dev/null; true; }

# openbox with title bars, without the user's configuration. Exits 77 (skipped) when it
# is not installed.
start_window_manager() {
  command -v openbox >/dev/null || { echo "openbox is not installed (scripts/install-deps): skipped"; exit 77; }
  HOME=$work openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm=$!
  for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
}

# The program keeps its files beside itself: a copy in a fresh directory starts clean.
copy_program() {
  cp "$program" "$work/plomix"
  cp "$(dirname "$program")"/Readme.txt "$work/" 2>/dev/null || true
}

# What a script under the window manager does first: a fresh `work`, removed at exit with
# the session, openbox, and the program copied there.
begin_session() {
  work=$(mktemp -d)
  trap 'stop_session; rm -rf "$work"' EXIT
  start_window_manager
  copy_program
}

wait_settled() { sleep 0.7; }

# Starts the copy and sets `window`, WIDTH and HEIGHT (the main window's client area).
start_program() {
  QT_QPA_PLATFORM=xcb "$work/plomix" >>"$work/log" 2>&1 &
  pid=$!
  window=$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Plomix$' | head -n1)
  wait_settled
  eval "$(xdotool getwindowgeometry --shell "$window")"
}

# A click at a point of a window (the main one unless given): click x y [button] [window]
click() { xdotool mousemove --window "${4:-$window}" "$1" "$2" click "${3:-1}"; }

# Two clicks 50 ms apart, which the X server delivers as a double click.
double_click() {
  xdotool mousemove --window "${4:-$window}" "$1" "$2"
  xdotool click --repeat 2 --delay 50 "${3:-1}"
}

# Closes the program with 終了 and checks how it ended: exit status 0 and nothing in its
# output that tells of a fault (a sanitizer's report, a failed assertion, a painter or
# widget misuse Qt only warns about), which a user would never see but the program made.
quit_program() {
  click 343 $((HEIGHT - 21))  # 終了
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$pid" 2>/dev/null; then echo "the program did not close"; exit 1; fi
  check_ending "$pid"
  pid=""
}

# The exit status of the finished program `$1` and the faults in $work/log.
check_ending() {
  local status=0
  wait "$1" || status=$?
  if [ "$status" -ne 0 ]; then echo "the program ended with status $status:"; cat "$work/log"; exit 1; fi
  if grep -E 'runtime error:|Sanitizer|ASSERT|QPainter::|QWidget::|QObject::|QLayout:|Segmentation' "$work/log"; then
    echo "the program reported a fault (above)"; exit 1
  fi
}

# The program's visible window other than the main one (xdotool's --name cannot match
# Japanese titles).
other_window() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$window" | head -n1 | grep .; }

# Opens the data list with 一覧 and prints its window id.
open_list() {
  click 340 $((HEIGHT - 40 - 289 + 27))
  local list=""
  for _ in $(seq 50); do list=$(other_window) && break; sleep 0.1; done
  wait_settled
  echo "$list"
}

# Closes the data list with Escape (its settings are kept, its records are not).
close_list() {
  xdotool key Escape
  for _ in $(seq 50); do other_window >/dev/null || break; sleep 0.1; done
}

# A value of the environment file (Shift-JIS): setting key
setting() { iconv -f CP932 -t UTF-8 "$work/plomix.ini" | tr -d '\r' | sed -n "s/^$1=//p" | head -n1; }
