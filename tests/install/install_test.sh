#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch ~/.local as a person would (cmake --install
# --prefix ~/.local) and checks the result: the desktop entry and the AppStream
# metadata pass the desktop's own validators without a word and name each other,
# the icon is there at every size, the manual page formats without warnings and
# has its sections, and the installed program keeps its data in
# $XDG_DATA_HOME/dorvane/ although its bin/ is writable (below the password
# database's home folder when HOME is unset or empty), while the build's own
# program keeps it beside itself.
#   install_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

export HOME=$work/home
unset XDG_DATA_HOME
local=$HOME/.local
cmake --install "$build" --prefix "$local" >/dev/null
share=$local/share
entry=$share/applications/$id.desktop
meta=$share/metainfo/$id.metainfo.xml

said=$(desktop-file-validate "$entry" 2>&1) || true
[[ -z "$said" ]] || fail "desktop-file-validate: $said"
appstreamcli validate --no-net "$meta" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "appstreamcli validate"; }
grep -E '^[EWI]: ' "$work/appstream.log" && fail "appstreamcli validate has remarks"

key() { sed -n "s/^$1=//p" "$entry"; }
[[ "$(key Icon)" == "$id" ]] || fail "Icon=$(key Icon)"
[[ -x "$local/bin/$(key Exec)" ]] || fail "Exec=$(key Exec) is not installed in bin/"
[[ "$(key StartupWMClass)" == Dorvane ]] || fail "StartupWMClass=$(key StartupWMClass)"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" ||
  fail "the metadata does not launch $id.desktop"
grep -q "<id>$id</id>" "$meta" || fail "the metadata's id is not $id"
[[ $(grep -c '<caption>' "$meta") -ge 3 ]] || fail "screenshots without captions"

for size in 16 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$id.png
  [[ "$(identify -format '%m %wx%h' "$png")" == "PNG ${size}x${size}" ]] || fail "icon $png"
done
svg=$share/icons/hicolor/scalable/apps/$id.svg
grep -q '<svg' "$svg" || fail "no scalable icon"

man=$share/man/man1/dorvane.1.gz
gzip -dc "$man" >"$work/dorvane.1"
warnings=$(groff -man -ww -z "$work/dorvane.1" 2>&1)
[[ -z "$warnings" ]] || fail "manual page: $warnings"
for word in '.SH COMMANDS' '.SH OPTIONS' '.SH EXIT STATUS' '.SH ENVIRONMENT' '.SH FILES' \
  '\-\-version'; do
  grep -qF -- "$word" "$work/dorvane.1" || fail "the manual page lacks $word"
done
grep -E '^@|@VERSION@' "$work/dorvane.1" && fail "the manual page has unfilled lines"

"$local/bin/dorvane" --help >"$work/help"
grep -qF "kept in $share/dorvane/" "$work/help" || { cat "$work/help"; fail "installed: data not in XDG"; }
home=$(getent passwd "$(id -u)" | cut -d: -f6)
for unset in "-u HOME" "HOME="; do
  env $unset "$local/bin/dorvane" --help >"$work/help"
  grep -qF "kept in $home/.local/share/dorvane/" "$work/help" ||
    fail "installed, $unset: data not below the password database's home $home"
done
"$build/src/app/dorvane" --help >"$work/help"
grep -qF "kept in $build/src/app/" "$work/help" ||
  { cat "$work/help"; fail "build tree: data not beside the program"; }
echo PASS
