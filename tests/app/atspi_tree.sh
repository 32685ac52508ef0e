#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The running program as a screen reader meets it: on a private X display and a
# private session bus with its accessibility bus (at-spi2-core), atspi_tree.py reads
# pages 1 to 5 over AT-SPI and checks their controls, names, texts and focus.
#   atspi_tree.sh PATH/TO/dorvane PATH/TO/atspi_tree.py
set -euo pipefail
source "$(dirname "$0")/../support/hermetic.sh"
hermetic "$0" "$@"
exe=$1
atspi_tool=$2
for t in dbus-run-session dbus-send xdotool /usr/bin/python3 /usr/libexec/at-spi-bus-launcher; do
  command -v "$t" >/dev/null || { echo "SKIP: $t is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import importlib.util as u, sys; sys.exit(u.find_spec("pyatspi") is None)' ||
  { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
if [[ -z "${DORVANE_ATSPI_SESSION:-}" ]]; then
  # A session bus of our own; the accessibility bus it starts puts its socket in
  # XDG_RUNTIME_DIR, so a private one keeps parallel runs apart.
  runtime=$(mktemp -d)
  trap 'rm -rf "$runtime"' EXIT
  DORVANE_ATSPI_SESSION=1 XDG_RUNTIME_DIR=$runtime dbus-run-session -- "$0" "$@" && exit 0 || exit $?
fi
source "$(dirname "$0")/../support/x_session.sh"
x_session_start --wm
unset QT_QPA_PLATFORM
work=$(mktemp -d)
x_session_at_exit 'rm -rf "$work"'
export XDG_CONFIG_HOME="$work/config" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Starts the accessibility bus and its registry before the program looks for them.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  >/dev/null
cp "$exe" "$work/dorvane"  # its data folders go beside it
"$work/dorvane" >"$work/log" 2>&1 &
x_session_track $!
window() { xdotool search --onlyvisible --name '^Dorvane$' 2>/dev/null | head -1; }
x_session_wait 30 window || { echo "FAIL: no window appeared"; cat "$work/log"; exit 1; }
timeout 10 xdotool windowactivate --sync "$(window)" >/dev/null 2>&1 || true
# Each wait is bounded by --timeout; the whole reading too, in case the bus stops answering.
timeout 150 /usr/bin/python3 "$atspi_tool" --check --timeout 30 ||
  { echo "FAIL: the accessibility tree was not as expected, or not read within 150 s"; cat "$work/log"; exit 1; }
