#!/usr/bin/env bash
# The Debian packages as a user gets them: builds them from a built tree
# (scripts/package.sh), checks them with lintian, installs them with apt-get,
# uses what they installed (bastara-mkdb writes a database mdbtools opens; the
# desktop entry's command opens the main window on Xvfb; a program builds
# against the installed button package), then purges them and checks that
# every file they brought is gone. Exits non-zero when any step fails.
#
#   scripts/check-install.sh [BUILD_DIR]    (default: build/dev, built)
#
# Runs as root (CI) or through sudo. Needs scripts/install-deps.sh test package.
# With BASTARA_SCREENSHOT=FILE.png, keeps the screen with the window started
# from the desktop entry.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build/dev}"
packages=(bastara bastara-button-dev)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

work=$(mktemp -d /tmp/bastara-install.XXXXXX)
xvfb_pid=
app_pid=
finish() {
  status=$?
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  if [ "$status" -ne 0 ]; then
    echo "check-install: FAILED (scratch files kept in $work); purging the packages" >&2
    "${sudo_cmd[@]}" apt-get purge -y -qq "${packages[@]}" >/dev/null 2>&1 || true
  else
    rm -rf "$work"
  fi
  exit "$status"
}
trap finish EXIT
fail() {
  echo "check-install: $*" >&2
  exit 1
}
step() { echo "== install: $*"; }
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

for p in "${packages[@]}"; do
  if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    fail "$p is installed already; remove it first (apt-get purge $p)"
  fi
done

scripts/package.sh "$build_dir"
debs=(build/package/bastara_*.deb build/package/bastara-button-dev_*.deb)
[ ${#debs[@]} -eq 2 ] && [ -f "${debs[0]}" ] && [ -f "${debs[1]}" ] || fail "package.sh made no .deb files"

step "lintian (errors and warnings fail)"
lint_status=0
lintian --fail-on error,warning "${debs[@]}" >"$work/lintian.log" 2>&1 || lint_status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$lint_status" -eq 0 ] || fail "lintian found errors or warnings"

step "apt-get install ${debs[*]}"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
  "${debs[@]/#/./}" >"$work/apt-install.log" 2>&1 || { cat "$work/apt-install.log" >&2; fail "apt-get install failed"; }
dpkg-query -L "${packages[@]}" | sort -u >"$work/files"
for f in /usr/bin/bastara /usr/bin/bastara-mkdb /usr/share/applications/org.bastara.Bastara.desktop \
  /usr/share/metainfo/org.bastara.Bastara.metainfo.xml /usr/share/man/man1/bastara.1.gz \
  /usr/share/man/man1/bastara-mkdb.1.gz /usr/lib/cmake/BastaraButton/BastaraButtonConfig.cmake \
  /usr/include/button_host/control_host.h; do
  grep -qx "$f" "$work/files" || fail "the packages do not hold $f"
done
for size in 16x16 24x24 32x32 48x48 256x256; do
  icon=/usr/share/icons/hicolor/$size/apps/bastara.png
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "$size" ] || fail "$icon is not a $size picture"
done
[ "$(command -v bastara)" = /usr/bin/bastara ] || fail "bastara is not on PATH as /usr/bin/bastara"

step "the desktop entry, the metainfo and the manual pages"
desktop-file-validate /usr/share/applications/org.bastara.Bastara.desktop || fail "desktop-file-validate"
grep -q '^Name\[fa\]=' /usr/share/applications/org.bastara.Bastara.desktop || fail "no Persian name"
appstreamcli validate --no-net /usr/share/metainfo/org.bastara.Bastara.metainfo.xml >"$work/as.log" 2>&1 ||
  { cat "$work/as.log" >&2; fail "appstreamcli validate"; }
for page in bastara bastara-mkdb; do
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "/usr/share/man/man1/$page.1.gz" >"$work/$page.txt" 2>"$work/$page.err"
  [ ! -s "$work/$page.err" ] || { cat "$work/$page.err" >&2; fail "man warns about $page(1)"; }
  grep -q "^NAME" "$work/$page.txt" || fail "$page(1) renders without a NAME section"
done
man -w bastara-mkdb >/dev/null || fail "man does not find bastara-mkdb(1)"

step "the installed bastara-mkdb writes a database mdbtools opens"
bastara-mkdb --encrypt "$work/people.mdb" 'جدول' 'id:Long:4' 'name:Text:50' || fail "bastara-mkdb failed"
mdb-tables -1 "$work/people.mdb" | grep -qx 'جدول' || fail "mdb-tables does not list the table"
mdb-schema "$work/people.mdb" access >"$work/schema.txt" || fail "mdb-schema cannot read the file"
grep -q '\[id\]' "$work/schema.txt" && grep -q '\[name\]' "$work/schema.txt" ||
  { cat "$work/schema.txt" >&2; fail "the schema lacks the fields"; }

step "the installed bastara: --help, no display, and its window from the desktop entry"
bastara --help | grep -q '^usage: bastara' || fail "bastara --help"
set +e
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM bastara 2>&1 >/dev/null)
code=$?
set -e
[ "$code" -eq 1 ] && [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] ||
  fail "without a display bastara should say so in one line and exit 1 (exit $code: $err)"
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/org.bastara.Bastara.desktop)
read -r -a exec_words <<<"${exec_line//%[fFuUik]/}"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
wait_until 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work/xdg" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
(cd "$work" && exec env -u QT_QPA_PLATFORM "${exec_words[@]}") >"$work/app.log" 2>&1 &
app_pid=$!
window_shown() { xdotool search --onlyvisible --pid "$app_pid" --name '^Bastara$' 2>/dev/null | head -1 | grep -q .; }
wait_until 20 window_shown || fail "no Bastara window within 20 s ($exec_line): $(cat "$work/app.log")"
window=$(xdotool search --onlyvisible --pid "$app_pid" --name '^Bastara$' | head -1)
xwininfo -id "$window" | grep -q 'Map State: IsViewable' || fail "the window is not viewable"
if [ -n "${BASTARA_SCREENSHOT:-}" ]; then
  sleep 1 # let the first paint land; only the picture waits for it
  import -window root "$BASTARA_SCREENSHOT" && echo "screen with the window: $BASTARA_SCREENSHOT"
fi
kill "$app_pid" && wait "$app_pid" 2>/dev/null || true
app_pid=
kill "$xvfb_pid" && wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=

step "a program builds against the installed button package"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S examples/button-example -B "$work/example" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  "${launcher[@]}" >"$work/example.log" 2>&1 || { cat "$work/example.log" >&2; fail "configuring the example"; }
grep -q '/usr/lib/cmake/BastaraButton' "$work/example/CMakeCache.txt" || fail "the example did not find /usr/lib/cmake/BastaraButton"
cmake --build "$work/example" >>"$work/example.log" 2>&1 || { cat "$work/example.log" >&2; fail "building the example"; }
QT_QPA_PLATFORM=offscreen "$work/example/button-example" --offscreen-check || fail "the example's check"

step "Designer forms with the button build through uic and load through QUiLoader and the installed plugin"
qt_plugins="$(qtpaths6 --query QT_INSTALL_PLUGINS)"
[ -f "$qt_plugins/designer/libbastarabuttonplugin.so" ] ||
  fail "the Designer plugin is not in Qt's plugin folder $qt_plugins/designer"
cmake -S examples/button-ui-example -B "$work/ui-example" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  "${launcher[@]}" >"$work/ui-example.log" 2>&1 || { cat "$work/ui-example.log" >&2; fail "configuring the form example"; }
cmake --build "$work/ui-example" >>"$work/ui-example.log" 2>&1 || { cat "$work/ui-example.log" >&2; fail "building the form example"; }
QT_QPA_PLATFORM=offscreen "$work/ui-example/button-ui-example" --offscreen-check \
  examples/button-ui-example/loaded.ui "$qt_plugins" || fail "the form example's check"

step "apt-get purge ${packages[*]}"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get purge -y -qq "${packages[@]}" >"$work/apt-purge.log" 2>&1 ||
  { cat "$work/apt-purge.log" >&2; fail "apt-get purge failed"; }
left=0
while IFS= read -r f; do
  if [ -f "$f" ] || [ -L "$f" ]; then
    echo "left behind: $f" >&2
    left=1
  fi
done <"$work/files"
[ "$left" -eq 0 ] || fail "files of the packages are still there"
for p in "${packages[@]}"; do
  ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'installed' || fail "$p is still installed"
done
echo "== install: the packages installed, worked and went away again"
