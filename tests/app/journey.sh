#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole journey through the real program on a private X display with a
# window manager, driven with xdotool and checked on the screen and on disk:
# a picture chosen by click and by arrow key, one added from disk, three goals
# written (English typed, Polish and Chinese pasted), styled, the text box moved, narrowed and
# widened, one undo, the full-screen preview, a save, page 5 (listed, shown,
# another board deleted, this one loaded back), the wallpaper set, and the
# program closed through the window manager. The root window must then show
# exactly what `dorvane render` makes of the saved board at the screen's size.
# A failing step is named and its screenshots are kept in SHOTS_DIR.
#   journey.sh PATH/TO/dorvane SHOTS_DIR
set -euo pipefail
source "$(dirname "$0")/../support/hermetic.sh"
hermetic "$0" "$@"
exe=$1
shots=$2
for tool in xdotool xclip xprop import convert compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
here=$(dirname "$0")
source "$here/../support/x_session.sh"
source "$here/../support/x_drive.sh"
X_SESSION_SCREEN=1280x1024x24 x_session_start --wm
unset QT_QPA_PLATFORM
rm -rf "$shots"
x_drive_init "$shots"
work=$(mktemp -d)
x_session_at_exit 'rm -rf "$work"'
export XDG_CONFIG_HOME="$work/config"
cp "$exe" "$work/dorvane" # its data folders go beside it
mkdir -p "$work/MyGoals" "$work/disk" "$XDG_CONFIG_HOME"
printf '[Goal]\r\nVersion=0.1\r\nName=Old plan\r\nPicName=Fall\r\nGoal1=Learn to swim\r\n' \
  >"$work/MyGoals/Old plan.gls"
convert -size 1024x768 gradient:'#203060-#f0a040' -quality 90 "$work/disk/Sunrise.jpg"
"$work/dorvane" >"$work/log" 2>&1 &
program=$!
x_session_track $program
BODY="385 412 131 66" # the page body, in window coordinates
CANVAS="328 262 146 93" # page 4's preview picture
board=$work/MyGoals/journey.gls

# answer TITLE KEY: waits for the message box or question of that title, answers
# it, and waits until it is gone. Messages share the main window's title.
windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }
answer() {
  local base=0
  [[ "$1" == Dorvane ]] && base=1
  box_open() { (($(windows "^$1\$") > base)); }
  box_closed() { (($(windows "^$1\$") == base)); }
  x_session_wait 30 box_open "$1" || fail "no box titled '$1' appeared"
  xdotool key "$2"
  x_session_wait 30 box_closed "$1" || fail "the box '$1' did not close on '$2'"
}
# drawn NAME MIN: more than MIN colours in NAME's region (a photo or text on it).
drawn() { (($(convert "$shots/$1-r.png" -format %k info:) > $2)); }
x_drive_shows() { shot "$1" && region "$1" "${@:3}" && drawn "$1" "$2"; }
# shot_shows NAME MIN W H X Y: waits (30 s) until the region shows more than MIN colours.
shot_shows() { x_session_wait 30 x_drive_shows "$@"; }

step "start"
x_session_wait 20 window '^Dorvane$' || fail "no window appeared"
wid=$(window '^Dorvane$')
eval "$(xdotool getwindowgeometry --shell "$wid")"
[[ "$WIDTH" == 678 && "$HEIGHT" == 517 ]] || fail "the window is ${WIDTH}x${HEIGHT}"
shot_shows page1 2 $BODY || fail "page 1 was not painted"
# The rounded corners show the desktop (black until the wallpaper is set).
for corner in "0 0" "677 0" "0 516" "677 516"; do
  region page1 1 1 $corner && [[ "$(convert "$shots/page1-r.png" -format '%[hex:p{0,0}]' info:)" == 000000 ]] ||
    fail "corner $corner is not see-through"
done

step "page 2"
click 60 123
shot_changes page2 page1 $BODY || fail "page 2 did not show"
step "thumbnail click"
click 313 196 # the second thumbnail
shot_changes thumb1 page2 $BODY || fail "clicking a thumbnail changed nothing"
step "thumbnail arrow key"
xdotool key Right
shot_changes thumb2 thumb1 $BODY || fail "the arrow key moved nothing"

step "add a picture from disk"
click 175 449 # "Add picture"
x_session_wait 30 window '^Find image\.\.\.$' || fail "no open dialog"
xdotool type --delay 40 "$work/disk/Sunrise.jpg"
xdotool key Return
x_session_wait 30 test -s "$work/MyGallery/Sunrise.jpg" || fail "the picture was not added"
cmp -s "$work/disk/Sunrise.jpg" "$work/MyGallery/Sunrise.jpg" || fail "the added copy differs"
shot_changes added thumb2 $BODY || fail "the gallery does not show the added picture"

step "page 3"
click 60 162
shot_changes page3 added $BODY || fail "page 3 did not show"
step "three goals with bullets"
goals=("Run 10 km in under an hour" "Przebiegnę półmaraton" "学习中文")
field() { echo "200 12 185 $((274 + 23 * $1))"; } # inside goal field $1's border
click 319 279
xdotool type --delay 40 "${goals[0]}"
# The Polish and Chinese goals are pasted with Ctrl+V: xdotool types a character
# outside the keyboard map through a key that it binds and unbinds at once, and a
# busy program can read the map after the unbinding and lose the character.
for i in 1 2; do
  xdotool key Tab
  shot before$i && region before$i $(field $i)
  printf '%s' "${goals[i]}" | xclip -selection clipboard -i
  xdotool key ctrl+v
  shot_changes pasted$i before$i $(field $i) || fail "goal $((i + 1)) was not pasted"
done
click 143 437 # "Add bullets to text", which also takes the caret out of the fields
shot_changes goals page3 12 12 137 431 || fail "the bullets box is not ticked"
# Each field shows its own text.
for i in 0 1 2; do
  region page3 $(field $i) && cp "$shots/page3-r.png" "$shots/empty$i-r.png"
  region goals $(field $i) && cp "$shots/goals-r.png" "$shots/goal$i-r.png"
  ! same_region empty$i goal$i || fail "goal $((i + 1)) is not drawn"
done

step "page 4"
click 470 449 # Continue
shot_changes page4 goals $BODY || fail "page 4 did not show"
shot_shows preview 20 $CANVAS || fail "the preview shows no picture"
step "bold, 24 and a colour"
choose_in_list style 285 385 b Return || fail "the style list did not take bold"
choose_in_list size 343 385 2 4 Return || fail "the size list did not take 24"
choose_in_list colour 440 385 Down Return || fail "the colour list did not take a colour"
# The box spans the picture (window x 148 to 471) from y 96, three lines of 24 high.
step "narrow the text box by its right edge"
drag 466 110 380 110
shot_changes narrowed colour $CANVAS || fail "the right edge did not move"
step "drag the text box"
drag 300 110 300 200
shot_changes dragged narrowed $CANVAS || fail "the text box did not move"
step "widen it"
drag 375 200 450 200
shot_changes widened dragged $CANVAS || fail "the text box did not widen"
step "undo once"
xdotool key ctrl+z
shot_returns undone dragged $CANVAS || fail "Ctrl+Z did not undo the widening"

step "full-screen preview, closed by a key"
click 218 451 # "Preview"
X=0 Y=0 shot_changes fullscreen undone 1280 120 0 0 || fail "no full-screen preview"
X=0 Y=0 shot_shows fullscreen 20 1280 120 0 0 || fail "the preview is empty"
xdotool key Escape
X=0 Y=0 shot_returns closed undone 1280 120 0 0 || fail "a key did not close the preview"

step "save"
click 303 451 # "Save"
x_session_wait 30 window '^Save goals\.\.\.$' || fail "no save dialog"
xdotool key ctrl+a
xdotool type --delay 40 journey
xdotool key Return
answer Dorvane Return # "Goals successfully saved!"
[[ -s "$board" ]] || fail "no board file at $board"
# Polish and Chinese are beyond Windows-1252: the file is UTF-8 with a byte-order mark.
[[ "$(head -c 3 "$board" | od -An -tx1 | tr -d ' ')" == efbbbf ]] || fail "no UTF-8 mark"
# The lines without their CR, in a file: "grep -q" on a pipe would end the writer
# early, and with pipefail a match would then count as a failure.
tr -d '\r' <"$board" >"$work/board.txt"
for i in 0 1 2; do
  grep -qxF "Goal$((i + 1))=${goals[i]}" "$work/board.txt" ||
    fail "goal $((i + 1)) was not saved intact: $(grep -a "^Goal" "$work/board.txt")"
done
value() { sed -n "s/^$1=//p" "$work/board.txt"; }
[[ "$(value FontSize)/$(value FontStyle)/$(value FontBullets)" == 24/1/1 ]] ||
  fail "bold 24 with bullets not saved: $(value FontSize)/$(value FontStyle)/$(value FontBullets)"
[[ "$(value FontColor)" != 0 ]] || fail "the colour was not saved"
# Narrowed by some 340 pixels of the screen's 1260, moved down, the widening undone.
(($(value TextWidth) > 800 && $(value TextWidth) < 1100 && $(value TextPosY) > 200)) ||
  fail "the box was not saved as left: width $(value TextWidth), top $(value TextPosY)"

step "page 5: the saved board listed and shown"
click 60 240
shot_changes page5 closed $BODY || fail "page 5 did not show"
click 200 105 # the first name: "journey" sorts before "Old plan"
shot_changes shown page5 180 140 140 310 || fail "the goals are not shown"
shot_shows shown 20 180 144 327 306 || fail "the preview picture is not shown"

step "delete another board"
click 165 121 # "Old plan"
shot_changes other shown 180 140 140 310 || fail "the other board is not shown"
click 270 265 # "Delete"
answer "Delete goals" y
x_session_wait 30 test ! -e "$work/MyGoals/Old plan.gls" || fail "the board was not deleted"
shot_changes deleted other 370 40 137 114 || fail "the list still shows the deleted board"

step "load the saved board back"
click 200 105
shot_changes chosen deleted 180 140 140 310 || fail "the saved board is not shown"
click 174 265 # "Load"
answer "Load goals" y
shot_changes loaded chosen $BODY || fail "no page after loading"
for i in 0 1 2; do
  region loaded $(field $i) && cp "$shots/loaded-r.png" "$shots/loaded$i-r.png"
  x_drive_close goal$i loaded$i 200 12 || fail "page 3 does not show goal $((i + 1))"
done

step "set the wallpaper"
click 60 201
shot_changes page4again loaded $BODY || fail "page 4 did not show"
click 408 451 # "Set as wallpaper"
answer "Set as background" y
answer Dorvane Return # "Background successfully set!"
[[ "$(xprop -root _XROOTPMAP_ID)" == *"pixmap id"* ]] || fail "the root window has no pixmap"

step "the close button asks; No keeps the program"
click 656 21
answer "Close application" n
kill -0 "$program" 2>/dev/null || fail "the program ended although the answer was No"

step "close through the window manager"
timeout 10 xdotool windowactivate --sync "$wid" || true
xdotool key alt+F4
answer "Close application" y
exited() { ! kill -0 "$program" 2>/dev/null; }
x_session_wait 30 exited || fail "the program did not end"
wait "$program" || fail "the program ended with status $?"

step "the wallpaper is the saved board"
"$work/dorvane" render "$board" --size 1280x1024 --gallery "$work/MyGallery" -o "$work/board.png" ||
  fail "render failed"
shot desktop
differ=$(compare -metric AE "$shots/desktop.png" "$work/board.png" null: 2>&1 || true)
[[ "$differ" == 0 ]] || fail "the desktop differs from the rendered board in $differ pixels"
[[ -z "$(find "$XDG_CONFIG_HOME" -mindepth 1)" ]] ||
  fail "settings were written: $(find "$XDG_CONFIG_HOME" -mindepth 1)"
rm -rf "$shots" # kept only when a step fails
echo "PASS"
