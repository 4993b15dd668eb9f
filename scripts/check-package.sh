#!/usr/bin/env bash
# Installs the button control's CMake package and Designer plugin from the dev
# build into a scratch prefix, builds examples/button-example and
# examples/button-ui-example against it as an outside project would, and runs
# them headless: each checks its button's size hint and that a click emits
# clicked() once, the second for a form compiled by uic and for one loaded by
# QUiLoader through the installed plugin. Exits non-zero when any step fails.
#
#   scripts/check-package.sh [BUILD_DIR]     (default: build/dev, configured)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build/dev}"

scratch="$(mktemp -d /tmp/bastara-package.XXXXXX)"
trap 'rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$scratch/xdg}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 0700 "$XDG_RUNTIME_DIR"

echo "== package: build the libraries it installs"
cmake --build "$build_dir" --target bastara_button_host bastara_button_designer_plugin
echo "== package: install into $scratch/prefix"
cmake --install "$build_dir" --prefix "$scratch/prefix" >/dev/null
echo "== package: every installed header finds the headers it includes"
missing=0
while IFS= read -r header; do
  while IFS= read -r included; do
    if [[ ! -f "$scratch/prefix/include/$included" ]]; then
      echo "${header#"$scratch/prefix/include/"} includes $included, which is not installed" >&2
      missing=1
    fi
  done < <(sed -n 's/^#include "\(.*\)"$/\1/p' "$header")
done < <(find "$scratch/prefix/include" -name '*.h')
[[ $missing == 0 ]]

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
echo "== package: build the example against it"
cmake -S examples/button-example -B "$scratch/example" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$scratch/prefix" "${launcher[@]}" >/dev/null
cmake --build "$scratch/example"
echo "== package: run the example"
QT_QPA_PLATFORM=offscreen "$scratch/example/button-example" --offscreen-check

echo "== package: Designer forms with the button, through uic and through QUiLoader"
plugin="$(find "$scratch/prefix" -path '*/qt6/plugins/designer/libbastarabuttonplugin.so' | head -n 1)"
if [[ -z $plugin ]]; then
  echo "the Designer plugin was not installed" >&2
  exit 1
fi
cmake -S examples/button-ui-example -B "$scratch/ui-example" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$scratch/prefix" "${launcher[@]}" >/dev/null
cmake --build "$scratch/ui-example"
QT_QPA_PLATFORM=offscreen "$scratch/ui-example/button-ui-example" --offscreen-check \
  examples/button-ui-example/loaded.ui "$(dirname "$(dirname "$plugin")")"
