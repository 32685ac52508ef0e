#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package of this build (scripts/package --prebuilt), checks that its
# dependencies were computed from the program's libraries, unpacks it into a
# scratch root (dpkg -x) and runs the installed program headless: it renders a
# saved board exactly as the build's own program does, and keeps its data in
# $XDG_DATA_HOME/dorvane/.
#   package_test.sh SOURCE_DIR BUILD_DIR BOARD.gls
set -euo pipefail
source=$1 build=$2 board=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

deb=$("$source/scripts/package" --prebuilt "$build" "$work/out" | tail -1)
[[ -f "$deb" ]] || fail "no package made"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libjpeg62-turbo libc6; do
  [[ "$depends" == *"$lib "* ]] || fail "Depends lacks $lib: $depends"
done

dpkg -x "$deb" "$work/root"
exe=$work/root/usr/bin/dorvane
[[ -x "$exe" ]] || fail "no usr/bin/dorvane in the package"
export HOME=$work/home XDG_DATA_HOME=$work/data
env -u DISPLAY -u WAYLAND_DISPLAY "$exe" render "$board" --size 320x180 -o "$work/installed.png" ||
  fail "the installed program cannot render"
"$build/src/app/dorvane" render "$board" --size 320x180 -o "$work/built.png"
[[ "$(identify -format '%m %wx%h' "$work/installed.png")" == "PNG 320x180" ]] || fail "bad picture"
cmp -s "$work/installed.png" "$work/built.png" || fail "the installed program renders differently"
"$exe" --help | grep -qF "kept in $XDG_DATA_HOME/dorvane/" || fail "installed: data not in XDG"
echo PASS
