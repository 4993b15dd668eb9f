#!/usr/bin/env bash
# End to end through the desktop's accessibility bus (AT-SPI, what screen
# readers read): starts Xvfb, a D-Bus session of its own (which starts
# at-spi2-core's bus and registry on demand), runs Bastara with Qt's bridge
# on, and lets accessibility_check.py find the controls by role and name and
# press the add picture through its action.
#
#   accessibility_e2e.sh PROGRAM
#
# Exits 77 (skipped) when Xvfb, dbus-daemon, at-spi2-core or python3-pyatspi
# are missing.
set -euo pipefail

program=$(realpath "$1")
check_box_window=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
# Debian's python3, which has pyatspi; a python3 earlier on PATH may not.
python=/usr/bin/python3
for tool in Xvfb dbus-daemon dbus-send "$python"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ] \
  || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
"$python" -c 'import pyatspi' 2>/dev/null \
  || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

work=$(mktemp -d /tmp/bastara-a11y.XXXXXX)
xvfb_pid=
bus_pid=
app_pid=
finish() {
  status=$?
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  if [ "$status" -ne 0 ]; then
    echo "program output:"; cat "$work/app.log" 2>/dev/null
  else
    rm -rf "$work"
  fi
  exit "$status"
}
trap finish EXIT
fail() { echo "FAIL: $*"; exit 1; }

wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
wait_until 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"

# Our own session bus, so nothing of the user's desktop is read or changed.
mkdir -m 0700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 \
  3>"$work/bus.address" 4>"$work/bus.pid" 2>"$work/bus.log"
bus_pid=$(cat "$work/bus.pid")
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus.address")
export DBUS_SESSION_BUS_ADDRESS
# Starts at-spi-bus-launcher now, so the program finds the bus up when it asks.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  >/dev/null || fail "the accessibility bus did not start"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!

timeout 60 "$python" "$here/accessibility_check.py" "$app_pid"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# A custom button in check-box mode, toggled through its action.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$check_box_window" >"$work/app.log" 2>&1 &
app_pid=$!
timeout 60 "$python" "$here/accessibility_check.py" --check-box "$app_pid"
