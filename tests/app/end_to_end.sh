#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program on a private X display, clicks pages 1 -> 2 -> 3 as a
# user would, types a goal, and checks screenshots: the window is there,
# 678 x 517, its rounded corners show the desktop, the pages change and the typed
# text shows. Then the picture dialog and the close question: their titles are
# exactly the program's texts, and no settings file is written.
#   end_to_end.sh PATH/TO/dorvane
set -euo pipefail
exe=$1
for tool in xdotool xprop import convert compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/../support/x_session.sh"
x_session_start --wm
unset QT_QPA_PLATFORM
work=$(mktemp -d)
echo "screenshots in $work"
x_session_at_exit '[[ -n "${DORVANE_E2E_KEEP:-}" ]] || rm -rf "$work"'
mkdir "$work/config"
export XDG_CONFIG_HOME="$work/config"
cp "$exe" "$work/dorvane"  # its data folders go beside it
# The online check asks a port where nothing listens: offline at once, and no
# query leaves the machine.
export DORVANE_DNS_SERVER=127.0.0.1:9
"$work/dorvane" >"$work/log" 2>&1 &
x_session_track $!

fail() { echo "FAIL: $*"; cat "$work/log"; exit 1; }
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
shot() { import -window root "$work/$1.png"; }
body() { convert "$work/$1.png" -crop "385x412+$((X + 131))+$((Y + 66))" +repage "$work/$1-body.png"; }
differs() { [[ "$(compare -metric AE "$work/$1-body.png" "$work/$2-body.png" null: 2>&1 || true)" != 0 ]]; }
colours() { convert "$work/$1-body.png" -format %k info:; }
# Takes screenshot $1 until the condition "$2 ..." holds for it (30 s at most).
shot_until() {
  local name=$1
  shift
  x_session_wait 30 eval "shot $name && body $name && $*"
}
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
title() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }
click() { xdotool mousemove "$((X + $1))" "$((Y + $2))" click 1; }

x_session_wait 20 window '^Dorvane$' || fail "no window appeared"
wid=$(window '^Dorvane$')
eval "$(xdotool getwindowgeometry --shell "$wid")"
[[ "$WIDTH" == 678 && "$HEIGHT" == 517 ]] || fail "window is ${WIDTH}x${HEIGHT}"

# Page 1 once it is painted: the frame's top edge and a page with text on it.
shot_until page1 '[[ "$(pixel "$work/page1.png" $((X + 339)) $((Y + 5)))" != "$(pixel "$work/page1.png" 5 5)" && $(colours page1) -gt 2 ]]' ||
  fail "page 1 was not painted"
desktop=$(pixel "$work/page1.png" 5 5)  # far from the centred window
for corner in "$X $Y" "$((X + 677)) $Y" "$X $((Y + 516))" "$((X + 677)) $((Y + 516))"; do
  [[ "$(pixel "$work/page1.png" $corner)" == "$desktop" ]] || fail "corner $corner is not see-through"
done

click 60 123 # side button 2
shot_until page2 differs page1 page2 || fail "page 2 looks like page 1"
click 60 162 # side button 3: the goals form, the caret in goal 1
shot_until page3 differs page2 page3 || fail "page 3 looks like page 2"
xdotool type --delay 30 "Run 10 km in under an hour"
shot_until typed differs page3 typed || fail "the typed goal does not show"

# The picture dialog from page 2's "Add picture" link, closed with Escape.
click 60 123
shot_until back2 '! differs page2 back2' || fail "page 2 did not come back"
click 175 449
x_session_wait 30 window '^Find image' || fail "no picture dialog"
dialog=$(window '^Find image')
[[ "$(title "$dialog")" == "Find image..." ]] || fail "picture dialog is titled '$(title "$dialog")'"
xdotool key Escape
x_session_wait 30 eval '[[ -z "$(window "^Find image")" ]]' || fail "the picture dialog stays"

# The close question; by the time it shows, the picture dialog is long gone.
click 656 21
x_session_wait 30 window '^Close application' || fail "no close question"
question=$(window '^Close application')
[[ "$(title "$question")" == "Close application" ]] || fail "close question is titled '$(title "$question")'"
[[ -z "$(find "$XDG_CONFIG_HOME" -mindepth 1)" ]] || fail "settings written: $(find "$XDG_CONFIG_HOME" -mindepth 1)"
echo "PASS"
