#!/usr/bin/env bash
# End to end on a real X server: starts Xvfb, runs Bastara, adds three fields
# (one with a Persian name and the type Time), edits one by double-click,
# removes one, creates the file through the save dialog, and reads the file
# back with mdbtools.
#
#   create_database_e2e.sh PROGRAM
#
# Exits 77 (skipped) when Xvfb, xdotool or mdbtools are missing. With
# BASTARA_SCREENSHOT_DIR set, saves pictures of the windows and dialogs there.
#
# Every wait is for a condition (a window shown or gone, a file readable, a
# picture that stopped changing) with a deadline; none is a fixed sleep.
set -euo pipefail

program=$(realpath "$1")
for tool in Xvfb xdotool setxkbmap xmodmap xprop mdb-tables mdb-schema; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/bastara-e2e.XXXXXX)
xvfb_pid=
app_pid=
finish() {
  status=$?
  if [ "$status" -ne 0 ] && [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
    import -display "$DISPLAY" -window root "$work/failure.png" 2>/dev/null \
      && echo "screen at failure: $work/failure.png"
  fi
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  [ "$status" -eq 0 ] && rm -rf "$work"
  exit "$status"
}
trap finish EXIT

fail() { echo "FAIL: $*"; exit 1; }
step() { echo "-- $*"; }

# Runs the command after $1 until it succeeds; fails after $1 seconds.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# A display number of the server's own choosing, so parallel runs never clash.
exec 3>"$work/display"
# -noreset: the keyboard map set up below survives the moments without clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
wait_until 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
setxkbmap -layout us

# Gives each non-ASCII letter of the texts a key of its own, before the
# program starts and reads the keyboard map. xdotool then types them with
# those keys; left to itself it remaps a spare key for each letter while the
# program runs, and letters went missing when the program read the map late.
bind_letters() {
  local LC_ALL=C.UTF-8 text letter code i
  local -a free
  local -A bound=()
  mapfile -t free < <(xmodmap -pke | awk 'NF <= 3 && $2 > 8 { print $2 }')
  for text in "$@"; do
    for ((i = 0; i < ${#text}; i++)); do
      letter=${text:i:1}
      printf -v code %d "'$letter"
      [ "$code" -lt 128 ] || [ -n "${bound[$letter]:-}" ] && continue
      [ ${#free[@]} -gt 0 ] || fail "no free key for the letter $letter"
      xmodmap -e "keycode ${free[0]} = $(printf 'U%04X' "$code")"
      bound[$letter]=${free[0]}
      free=("${free[@]:1}")
    done
  done
}
persian_name="نام"
bind_letters "$persian_name"

mkdir -m 0700 "$work/runtime"
XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!

# The id of the first visible window named exactly $1.
window_named() {
  timeout 15 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}

# Prints a visible window of the program that is not in the list given.
unknown_window() {
  local known=" $* " id
  for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
    [[ $known == *" $id "* ]] || { echo "$id"; return 0; }
  done
  return 1
}
new_window() { wait_until 15 unknown_window "$@"; }

no_window_named() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
window_gone() { wait_until 10 no_window_named "$1"; }

id_not_shown() { ! xdotool search --onlyvisible --pid "$app_pid" | grep -qx "$1"; }
window_gone_id() { wait_until 10 id_not_shown "$1"; }

# Clicks at a point given in the window's own pixels (layout twips / 15).
click_at() { xdotool mousemove --sync --window "$1" "$2" "$3" click "${4:-1}"; }
double_click_at() { xdotool mousemove --sync --window "$1" "$2" "$3" click --repeat 2 --delay 60 1; }

# Replaces the text of the box under the point with $4.
type_into() {
  click_at "$1" "$2" "$3"
  xdotool key --clearmodifiers ctrl+a BackSpace
  xdotool type --delay 20 "$4"
}

# Takes the picture once two grabs in a row agree: the window has drawn.
same_picture_twice() {
  local now
  now=$(import -window "$1" rgb:- 2>/dev/null | md5sum)
  [ "$now" = "${last_picture:-}" ] && return 0
  last_picture=$now
  return 1
}
shot() {
  [ -n "${BASTARA_SCREENSHOT_DIR:-}" ] || return 0
  last_picture=
  wait_until 10 same_picture_twice "$1" || fail "window $1 kept changing"
  import -window "$1" "$BASTARA_SCREENSHOT_DIR/$2.png"
}

step "main window"
main=$(window_named Bastara) || fail "the main window did not open"
[ -n "$main" ] || fail "the main window did not open"
# Without a window manager every window opens at the top left corner; move
# the main window aside so the dialogs never cover it.
xdotool windowmove --sync "$main" 360 40

step "no task-bar or pager entry"
states=$(xprop -id "$main" _NET_WM_STATE)
[[ $states == *_NET_WM_STATE_SKIP_TASKBAR* && $states == *_NET_WM_STATE_SKIP_PAGER* ]] \
  || fail "the main window asks for a task-bar button: $states"

step "three fields through the entry dialog"
click_at "$main" 228 99                      # Image1, the add picture
entry=$(window_named Form3) || fail "the entry dialog did not open"
add_field() {
  type_into "$entry" 100 20 "$1"              # Text1, field name
  type_into "$entry" 80 66 "$2"               # Combo1, type name
  type_into "$entry" 100 108 "$3"             # Text2, size
  click_at "$entry" 232 144                   # kzButtons_H1, confirm
}
add_field "id" "Long" "4"
add_field "$persian_name" "Time" "8"
add_field "note" "Text" "50"
shot "$entry" entry-dialog
click_at "$entry" 64 144                      # kzButtons_H2, finish
window_gone Form3 || fail "the entry dialog did not close"
shot "$main" main-window

step "edit the first name by double-click"
double_click_at "$main" 60 160                # first item of List1(0)
edit=$(window_named Form2) || fail "the edit dialog did not open"
shot "$edit" edit-dialog
type_into "$edit" 100 24 "code"               # Text1, item text
click_at "$edit" 228 28                       # Command1, ok
window_gone Form2 || fail "the edit dialog did not close"

step "remove the last row"
click_at "$main" 60 160                       # select the first row ...
xdotool key End                               # ... then the last
click_at "$main" 184 98                       # Image2, the remove picture

step "create the file"
target="$work/people.mdb"
click_at "$main" 228 324                      # kzButtons_H1, create
save=$(new_window "$main") || fail "the save dialog did not open"
xdotool windowfocus --sync "$save"
xdotool type --delay 10 "$target"
shot "$save" save-dialog                      # with the typed path
xdotool key Return
message=$(new_window "$main" "$save") || fail "no message after creating"
[ "$(xdotool getwindowname "$message")" = "Bastara" ] || fail "the message is not titled Bastara"
xdotool windowfocus --sync "$message"
shot "$message" success-message
xdotool key Return
window_gone_id "$message" || fail "the message box did not close"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended: $(cat "$work/app.log")"

step "read the file back"
wait_until 10 mdb-tables -1 "$target" >/dev/null 2>&1 || fail "no readable file at $target"
tables=$(mdb-tables -1 "$target") || fail "mdb-tables cannot read the file"
[ "$tables" = "table" ] || fail "tables: '$tables', expected 'table'"
schema=$(mdb-schema "$target" access) || fail "mdb-schema cannot read the file"
columns=$(echo "$schema" | sed -nE 's/^\s*\[([^]]*)\]\s+(.*[^, ]),?\s*$/\1:\2/p' | paste -sd' ')
expected="code:Long Integer $persian_name:DateTime"
[ "$columns" = "$expected" ] || fail "columns '$columns', expected '$expected'; schema: $schema"
echo "PASS"
