#!/usr/bin/env bash
# Rewrites the golden images of the button (tests/button/golden/) and the
# gallery sheet the README shows (docs/gallery.png) after an intended change of
# drawing, then lists the images that changed. Look at every one of them before
# committing.
set -euo pipefail
cd "$(dirname "$0")/.."

[ -f build/dev/build.ninja ] || cmake --preset dev >/dev/null
cmake --build build/dev --target button_golden_test
BASTARA_UPDATE_GOLDENS=1 ctest --test-dir build/dev -R Golden --output-on-failure
git status --short -- tests/button/golden docs/gallery.png
