#!/usr/bin/env bash
# Builds the Debian packages from a configured build tree (default build/dev,
# the tree scripts/test.sh builds; the files are stripped on the way in):
#
#   scripts/package.sh [BUILD_DIR]   -> build/package/bastara_<version>_amd64.deb
#                                       build/package/bastara-button-dev_<version>_amd64.deb
#
# Needs scripts/install-deps.sh package (dpkg-shlibdeps computes the
# program's dependencies). Then: sudo apt-get install ./build/package/bastara_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build/dev}"
out=build/package

if [[ ! -f "$build_dir/CPackConfig.cmake" ]]; then
  echo "package: $build_dir is not a configured build tree (cmake --preset dev first)" >&2
  exit 2
fi
echo "== package: build what the packages hold"
cmake "$build_dir" >/dev/null # the packaging files are made at configure time
cmake --build "$build_dir" --target bastara bastara-mkdb bastara_button_host
echo "== package: cpack -G DEB"
rm -rf "$out" && mkdir -p "$out"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$out/cpack" >"$out/cpack.log" ||
  { cat "$out/cpack.log" >&2; exit 1; }
mv "$out"/cpack/*.deb "$out/"
rm -rf "$out/cpack"
ls -l "$out"/*.deb
