#!/usr/bin/env bash
# Installs what is missing, builds Bastara and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target bastara
exec build/dev/app/bastara
