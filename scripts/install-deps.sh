#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Bastara need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # toolchain and test frameworks
  g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev clang-format
  # the golden-image tests and the gallery pin their own font configuration
  libfontconfig-dev
  # Qt 6 Widgets (brings QtTest and the offscreen/xcb platform plugins) and its Persian texts
  qt6-base-dev qt6-translations-l10n
  # fonts: a metric twin of Times New Roman and the Arabic-script face the forms are laid out with
  fonts-liberation2 fonts-noto-core fontconfig
  # fuzzing: clang, libFuzzer and the sanitizer runtimes (libclang_rt.*), and
  # llvm-symbolizer for readable crash reports
  clang libclang-rt-14-dev llvm-14
  # the outside judge for the database files we write
  mdbtools
  # end-to-end tests on a real X server (xmodmap binds keys for Persian letters, xprop reads
  # window states), and screenshots
  xvfb xauth xdotool x11-xserver-utils x11-utils imagemagick
  # X11 window states (no task-bar button) for the forms
  libxcb1-dev
  # the end-to-end test through the accessibility bus: a D-Bus session, at-spi2-core's bus and
  # registry, and the Python client screen readers use
  dbus dbus-bin at-spi2-core python3-pyatspi
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
echo "install-deps: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
