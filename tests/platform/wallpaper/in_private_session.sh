#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program on a private D-Bus session bus, with a throw-away home and no
# display, so that the desktop settings it writes never reach the user's own.
set -eu
if ! command -v dbus-run-session >/dev/null 2>&1; then
  echo "dbus-run-session is missing: run scripts/install-deps" >&2
  exit 1
fi
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS -u GSETTINGS_BACKEND \
    -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u XDG_SESSION_DESKTOP -u XDG_SESSION_TYPE \
    HOME="$home" XDG_RUNTIME_DIR="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_CACHE_HOME="$home/.cache" XDG_DATA_HOME="$home/.local/share" \
    dbus-run-session -- "$@"
