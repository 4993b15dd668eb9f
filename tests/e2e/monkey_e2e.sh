#!/usr/bin/env bash
# The monkey (monkey.cpp) on a real X server of its own, in a scratch folder.
#
#   monkey_e2e.sh MONKEY SECONDS [SEED]
#
# Exits 77 (skipped) when Xvfb or mdbtools are missing.
set -euo pipefail

monkey=$(realpath "$1")
seconds=$2
seed=${3:-}
for tool in Xvfb mdb-tables mdb-export; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/bastara-monkey.XXXXXX)
xvfb_pid=
finish() {
  status=$?
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  if [ "$status" -eq 0 ]; then rm -rf "$work"; else echo "scratch folder kept: $work"; fi
  exit "$status"
}
trap finish EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start: $(cat "$work/xvfb.log")"; exit 1; }
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" "$work/files" && chmod 0700 "$XDG_RUNTIME_DIR"

${MONKEY_WRAPPER:-} "$monkey" --scratch "$work/files" --seconds "$seconds" ${seed:+--seed "$seed"}
