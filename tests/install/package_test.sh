#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a Debian package of the program: the one given, or else one made of this
# build (scripts/package --prebuilt). Its dependencies were computed from the
# program's libraries; lintian (at --pedantic, when installed) finds no error or
# warning, and in a package that scripts/package built itself no missing
# hardening and no unneeded section; the desktop entry and the AppStream metadata
# pass their validators without a word. Unpacked into a scratch root (dpkg -x),
# the installed program runs headless: it renders a saved board exactly as the
# build's own program does, and keeps its data in $XDG_DATA_HOME/dorvane/.
#   package_test.sh SOURCE_DIR BUILD_DIR BOARD.gls [PACKAGE.deb]
set -euo pipefail
source "$(dirname "$0")/../support/hermetic.sh"
hermetic "$0" "$@"
source=$1 build=$2 board=$3 deb=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

released=1
if [[ -z "$deb" ]]; then
  deb=$("$source/scripts/package" --prebuilt "$build" "$work/out" | tail -1)
  released=""
fi
[[ -f "$deb" ]] || fail "no package made"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libjpeg62-turbo libc6; do
  [[ "$depends" == *"$lib "* ]] || fail "Depends lacks $lib: $depends"
done

if command -v lintian >/dev/null; then
  lintian --pedantic --display-info "$deb" >"$work/lintian.log" 2>/dev/null || true
  cat "$work/lintian.log"
  grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian finds errors or warnings"
  if [[ -n "$released" ]]; then
    grep -E 'hardening-no-|binary-has-unneeded-section' "$work/lintian.log" &&
      fail "the released program lacks hardening or keeps unneeded sections"
  fi
else
  echo "lintian is not installed (scripts/install-deps --tools): not run"
fi

dpkg -x "$deb" "$work/root"
share=$work/root/usr/share
said=$(desktop-file-validate "$share"/applications/*.desktop 2>&1) || fail "desktop entry: $said"
[[ -z "$said" ]] || fail "desktop-file-validate: $said"
appstreamcli validate --no-net "$share"/metainfo/*.xml >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "appstreamcli validate"; }
grep -E '^[EWI]: ' "$work/appstream.log" && fail "appstreamcli validate has remarks"

exe=$work/root/usr/bin/dorvane
[[ -x "$exe" ]] || fail "no usr/bin/dorvane in the package"
export HOME=$work/home XDG_DATA_HOME=$work/data
env -u DISPLAY -u WAYLAND_DISPLAY "$exe" render "$board" --size 320x180 -o "$work/installed.png" ||
  fail "the installed program cannot render"
"$build/src/app/dorvane" render "$board" --size 320x180 -o "$work/built.png"
[[ "$(identify -format '%m %wx%h' "$work/installed.png")" == "PNG 320x180" ]] || fail "bad picture"
cmp -s "$work/installed.png" "$work/built.png" || fail "the installed program renders differently"
"$exe" --help >"$work/help"
grep -qF "kept in $XDG_DATA_HOME/dorvane/" "$work/help" || fail "installed: data not in XDG"
echo PASS
