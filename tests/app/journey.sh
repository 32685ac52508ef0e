#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole journey through the real program on a private X display with a
# window manager, driven with xdotool and checked on screenshots and on disk.
# A failing step is named and its screenshots are kept in the build folder.
#   journey.sh PATH/TO/dorvane SHOTS_DIR
set -euo pipefail
exe=$1
for tool in xdotool xprop import convert compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
here=$(dirname "$0")
source "$here/../support/x_session.sh"
source "$here/../support/x_drive.sh"
x_session_start --wm
unset QT_QPA_PLATFORM
shots=$2
rm -rf "$shots"
x_drive_init "$shots"
work=$(mktemp -d)
x_session_at_exit 'rm -rf "$work"'
export XDG_CONFIG_HOME="$work/config"
cp "$exe" "$work/dorvane"  # its data folders go beside it
"$work/dorvane" >"$work/log" 2>&1 &
x_session_track $!
BODY="385 412 131 66"  # the page body, in window coordinates

step "start"
x_session_wait 20 window '^Dorvane$' || fail "no window appeared"
wid=$(window '^Dorvane$')
eval "$(xdotool getwindowgeometry --shell "$wid")"
painted() { shot page1 && region page1 $BODY && (($(convert "$shots/page1-r.png" -format %k info:) > 2)); }
x_session_wait 30 painted || fail "page 1 was not painted"

step "page 2"
click 60 123
shot_changes page2 page1 $BODY || fail "page 2 did not show"

step "thumbnail click"
click 313 196 # the second thumbnail
shot_changes thumb1 page2 $BODY || fail "clicking a thumbnail changed nothing"
step "thumbnail arrow key"
xdotool key Right
shot_changes thumb2 thumb1 $BODY || fail "the arrow key moved nothing"

step "page 3"
click 60 162
shot_changes page3 thumb2 $BODY || fail "page 3 did not show"
step "three goals with bullets"
goals=("Run 10 km in under an hour" "Przebiegnę półmaraton" "学习中文")
click 319 279
for i in 0 1 2; do
  ((i == 0)) || xdotool key Tab
  # Slowly: xdotool maps each character outside the keyboard map to a spare
  # key first, and a fast key can arrive before the program has seen the map.
  xdotool type --delay 150 "${goals[i]}"
done
shot_changes typed page3 $BODY || fail "the goals do not show"
click 143 437 # "Add bullets to text"
shot_changes goals typed 12 12 137 431 || fail "the bullets box is not ticked"
# Each field shows its own text: the three field rows differ from the empty page.
for i in 0 1 2; do
  region page3 250 18 170 $((270 + 23 * i)) && cp "$shots/page3-r.png" "$shots/empty$i-r.png"
  region goals 250 18 170 $((270 + 23 * i))
  ! same_region empty$i goals || fail "goal $((i + 1)) is not drawn"
done

step "page 4"
click 470 449 # Continue
shot_changes page4 goals $BODY || fail "page 4 did not show"
step "bold, 24 and a colour"
choose_in_list style 285 385 b Return || fail "the style list did not take bold"
choose_in_list size 343 385 2 4 Return || fail "the size list did not take 24"
choose_in_list colour 440 385 Down Return || fail "the colour list did not take a colour"
step "drag the text box, then undo"
CANVAS="345 254 150 97"  # inside the preview picture (its focus frame aside), window coordinates
drag 300 118 300 200
shot_changes dragged colour $CANVAS || fail "the text box did not move"
xdotool key ctrl+z
shot_returns undone colour $CANVAS || fail "Ctrl+Z did not put the text box back"
echo "PASS"
