#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The wizard from page 1 to a saved board with the keyboard alone, on a private X
# display with a window manager: Tab to "Start now", Enter; Down picks picture 4;
# Tab to "Continue", Enter; two goals typed, the bullets switched on with Space;
# Tab to "Continue", Enter; Tab to "Save", Enter; the file name typed in the save
# dialog, Enter. The board file must hold what was typed and chosen.
#   keyboard_end_to_end.sh PATH/TO/dorvane
set -euo pipefail
source "$(dirname "$0")/../support/hermetic.sh"
hermetic "$0" "$@"
exe=$1
for tool in xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/../support/x_session.sh"
x_session_start --wm
unset QT_QPA_PLATFORM
work=$(mktemp -d)
x_session_at_exit '[[ -n "${DORVANE_E2E_KEEP:-}" ]] || rm -rf "$work"'
export XDG_CONFIG_HOME="$work/config"
cp "$exe" "$work/dorvane"  # its data folders go beside it
"$work/dorvane" >"$work/log" 2>&1 &
x_session_track $!

fail() {
  echo "FAIL: $*"
  import -window root "$work/failure.png" 2>/dev/null && echo "screenshot: $work/failure.png"
  DORVANE_E2E_KEEP=1
  cat "$work/log"
  exit 1
}
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
focused_is() { [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ]]; }
# Each group of keys leaves a screenshot, kept with a failure's.
shots=0
keys() { xdotool key --delay 60 "$@" && import -window root "$work/keys$((++shots)).png"; }
board=$work/MyGoals/keyboard.gls
# Whether page N is shown, with the focus ring in a strip of the window
# (N x y width height). The side bar marks the shown page with an amber edge; the
# ring is amber too. Each page change ends by putting the focus on the new page,
# so the two together say that the page is ready for the next keys (the ring
# alone may pass by the strip on its way).
side_bar_y=(0 84 123 162 200 240)
page_ready() {
  import -window root "$work/shot.png" || return 1
  [[ "$(convert "$work/shot.png" -format "%[hex:p{$((X + 20)),$((Y + side_bar_y[$1]))}]" \
    info:)" == E6923E* ]] || return 1
  [[ "$(convert "$work/shot.png" -crop "$4x$5+$((X + $2))+$((Y + $3))" +repage \
    -fuzz 12% -fill white -opaque '#E6923E' -fill black +opaque white \
    -format '%[fx:maxima.r]' info:)" != 0 ]]
}
ring_on_page() { x_session_wait 30 page_ready "$@"; }

x_session_wait 30 window '^Dorvane$' || fail "no window appeared"
wid=$(window '^Dorvane$')
timeout 10 xdotool windowactivate --sync "$wid" || true
x_session_wait 30 focused_is "$wid" || fail "the window never had the keyboard focus"
eval "$(xdotool getwindowgeometry --shell "$wid")"
# Keys typed while the program is still starting (slow under a sanitizer) may
# reach it before page 1 is ready: wait until the window has stopped changing.
settled() {
  import -window "$wid" "$work/settle1.png" && sleep 0.5 &&
    import -window "$wid" "$work/settle2.png" &&
    [[ "$(compare -metric AE "$work/settle1.png" "$work/settle2.png" null: 2>&1)" == 0 ]]
}
x_session_wait 60 settled || fail "the window never settled"

# Page 1: the page text has the focus; its one link is "Start now".
keys Tab Return
ring_on_page 2 131 200 10 60 || fail "page 2's picture list did not get the focus"
# Page 2: the grid has the focus; Down chooses picture 4, then Tab Tab to "Continue".
keys Down Tab Tab Return
ring_on_page 3 168 268 16 24 || fail "page 3's first goal did not get the focus"
# Page 3: the caret is in goal 1.
xdotool type --delay 40 "Run 10 km by keyboard"
keys Tab
xdotool type --delay 40 "Read 12 books"
keys Tab Tab Tab Tab Tab Tab space Tab Return
ring_on_page 4 138 150 12 100 || fail "page 4's preview did not get the focus"
# Page 4: the preview has the focus; six style lists, "Preview", then "Save".
keys Tab Tab Tab Tab Tab Tab Tab Tab Return
x_session_wait 30 window '^Save' || fail "no save dialog"
dialog=$(window '^Save')
x_session_wait 30 focused_is "$dialog" || fail "the save dialog has no focus"
keys ctrl+a
xdotool type --delay 40 "keyboard"
keys Return
x_session_wait 30 test -s "$board" || fail "no board file at $board"
grep -q '^Goal1=Run 10 km by keyboard' "$board" || fail "goal 1 not saved: $(cat "$board")"
grep -q '^Goal2=Read 12 books' "$board" || fail "goal 2 not saved"
grep -qi '^FontBullets=1' "$board" || fail "bullets not saved"
grep -qE $'^PicName=Fall\r?$' "$board" || fail "picture 4 not chosen: $(grep PicName "$board")"
echo "PASS: $(head -6 "$board" | tr '\r\n' '  ')"
