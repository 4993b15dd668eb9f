#!/usr/bin/env bash
# Installs the Debian 12 packages Bastara needs, by purpose:
#
#   scripts/install-deps.sh run        build and start the program (the default)
#   scripts/install-deps.sh test       build everything scripts/test.sh builds and run every test
#   scripts/install-deps.sh fuzz       scripts/fuzz.sh: clang, libFuzzer and the sanitizer runtimes
#   scripts/install-deps.sh bench      scripts/bench-ratios.sh
#   scripts/install-deps.sh package    scripts/package.sh and scripts/check-install.sh
#   scripts/install-deps.sh designer   Qt Designer, to look at the designer plugin's forms
#   scripts/install-deps.sh --list SET...   print the packages, install nothing
#
# Several sets may be named at once. Every set but `run` includes `run`. Safe to
# run again: packages already installed are skipped.
set -euo pipefail

# The toolchain, Qt 6 Widgets and its Persian texts, the fonts the forms are
# laid out with (a metric twin of Times New Roman and an Arabic-script face),
# and X11 window states (no task-bar button) for the forms.
run_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n
  fonts-liberation2 fonts-noto-core fontconfig
  libxcb1-dev
)

test_packages=(
  # test and benchmark frameworks (the dev build builds the benchmarks too), the
  # format check and the file list it reads
  libgtest-dev libgmock-dev libbenchmark-dev clang-format git
  # the golden-image tests and the gallery pin their own font configuration
  libfontconfig-dev
  # Qt Designer's plugin interface and form classes: the button's Designer
  # plugin, and scripts/check-package.sh builds a .ui file and loads one
  # (Qt's UiTools CMake package needs the OpenGL one)
  qt6-tools-dev qt6-tools-dev-tools libqt6uitools6 libqt6opengl6-dev
  # the outside judge for the database files we write
  mdbtools
  # end-to-end tests on a real X server (xmodmap binds keys for Persian letters,
  # xprop reads window states), and screenshots and image comparisons
  xvfb xauth xdotool x11-xserver-utils x11-utils imagemagick
  # the end-to-end test through the accessibility bus: a D-Bus session,
  # at-spi2-core's bus and registry, and the Python client screen readers use
  dbus dbus-bin at-spi2-core python3-pyatspi
)

# clang, libFuzzer and the sanitizer runtimes (libclang_rt.*), llvm-symbolizer
# for readable crash reports
fuzz_packages=(clang libclang-rt-14-dev llvm-14)

# the benchmarks, and the start-up timing on Xvfb with its screenshot compared
bench_packages=(libbenchmark-dev libfontconfig-dev xvfb xauth imagemagick python3)

# cpack's DEB generator and dpkg-shlibdeps, the checks of what it makes, and
# the installed program started on Xvfb and found by its window
package_packages=(
  dpkg-dev file fakeroot
  lintian desktop-file-utils appstream man-db
  mdbtools xvfb xauth xdotool x11-utils
)

designer_packages=(designer-qt6)

usage() {
  sed -n '2,13s/^# \{0,1\}//p' "$0" >&2
  exit 2
}

list_only=0
if [[ ${1:-} == --list ]]; then
  list_only=1
  shift
fi
[[ $# -gt 0 ]] || set -- run

packages=("${run_packages[@]}")
for set_name in "$@"; do
  case "$set_name" in
    run) ;;
    test) packages+=("${test_packages[@]}") ;;
    fuzz) packages+=("${fuzz_packages[@]}") ;;
    bench) packages+=("${bench_packages[@]}") ;;
    package) packages+=("${package_packages[@]}") ;;
    designer) packages+=("${designer_packages[@]}") ;;
    *)
      echo "install-deps: no package set '$set_name' (run, test, fuzz, bench, package, designer)" >&2
      usage
      ;;
  esac
done
mapfile -t packages < <(printf '%s\n' "${packages[@]}" | sort -u)

if [[ $list_only == 1 ]]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps ($*): everything is installed"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "install-deps: not root and no sudo; as root run: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  sudo_cmd=(sudo)
fi
echo "install-deps ($*): installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
