#!/usr/bin/env bash
# Installs what building and starting Bastara needs (scripts/install-deps.sh
# run: the toolchain, Qt, the fonts and Qt's Persian texts), builds the program
# alone (the run preset, build/run: no tests, no benchmarks) and starts it.
# The window needs a display (X11 or Wayland); without one the program says so
# and exits 1.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset run >/dev/null
cmake --build --preset run --target bastara
exec build/run/app/bastara "$@"
