#!/usr/bin/env bash
# Builds Bastara and runs every test: the optimised build (and a program built
# outside the project against the installed button package), then the whole
# suite again under AddressSanitizer + UndefinedBehaviorSanitizer (leak checks on).
# Installs what it needs first (scripts/install-deps.sh test). Exits non-zero
# when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/bastara-xdg.XXXXXX)}"
chmod 0700 "$XDG_RUNTIME_DIR"

echo "== format check"
git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror

for preset in dev asan; do
  echo "== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== tests: $preset"
  ctest --preset "$preset"
  if [ "$preset" = dev ]; then
    # The control as other programs use it: installed, found, linked, run.
    scripts/check-package.sh build/dev
  fi
done
