#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under Xvfb at device pixel ratios 1 and 2 (QT_SCALE_FACTOR).
# At 2 the side buttons on screen are their @2x pictures pixel for pixel, not the
# 1x screenshot doubled, and the window's rounded corners follow the @2x corner
# in device pixels. The X11 window class is the desktop entry's StartupWMClass,
# and the window carries the program's icon.
#   hidpi_x11.sh PATH/TO/dorvane SOURCE_DIR APP_ID
set -euo pipefail
source "$(dirname "$0")/../support/hermetic.sh"
hermetic "$0" "$@"
exe=$1 source=$2 id=$3
for tool in xvfb-run xdotool xprop import compare convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [[ -z "${DORVANE_HIDPI_INNER:-}" ]]; then
  export DORVANE_HIDPI_INNER=1
  exec xvfb-run -a -s "-screen 0 1440x1080x24 -br" "$0" "$@"  # -br: a black desktop
fi
unset QT_QPA_PLATFORM
work=$(mktemp -d)
pid=""
trap '[[ -z "$pid" ]] || kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$exe" "$work/dorvane"  # its data folders go beside it
skin=$source/resources/skin
fail() { echo "FAIL: $*"; exit 1; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# Starts the program at ratio $1 and waits until side button 2 shows `face` on
# screen; leaves the screenshot in $work/shot$1.png and the window at X, Y.
start() {
  local ratio=$1 face=$2
  QT_SCALE_FACTOR=$ratio "$work/dorvane" >"$work/log$ratio" 2>&1 &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --onlyvisible --limit 1 --name '^Dorvane$' || true)
  [[ -n "$wid" ]] || fail "no window at ratio $ratio"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  local bx=$((X + 10 * ratio)) by=$((Y + 104 * ratio)) size=$((110 * ratio))x$((39 * ratio))
  for _ in $(seq 1 150); do
    import -window root -crop "$size+$bx+$by" +repage "$work/button$ratio.png"
    if [[ "$(differing "$work/button$ratio.png" "$face")" == 0 ]]; then
      import -window root "$work/shot$ratio.png"
      return 0
    fi
    sleep 0.1
  done
  fail "at ratio $ratio side button 2 never showed $(basename "$face")"
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""; }

start 1 "$skin/btn_2_up.bmp"
grep -q "^StartupWMClass=$(xprop -id "$wid" WM_CLASS | sed 's/.*, "\(.*\)"/\1/')$" \
  "$source/resources/desktop/$id.desktop" || fail "window class $(xprop -id "$wid" WM_CLASS)"
# The icon is set just after the first frame.
icon48() { xprop -id "$wid" _NET_WM_ICON >"$work/icon" 2>&1 && grep -q 'Icon (48 x 48)' "$work/icon"; }
for _ in $(seq 1 100); do icon48 && break; sleep 0.1; done
icon48 || fail "no 48 px window icon"
convert "$work/shot1.png" -crop "110x195+$((X + 10))+$((Y + 65))" +repage "$work/side1.png"
stop

start 2 "$skin/btn_2_up@2x.bmp"
convert "$work/shot2.png" -crop "220x390+$((X + 20))+$((Y + 130))" +repage "$work/side2.png"
convert "$work/side1.png" -filter point -resize 200% "$work/doubled.png"
changed=$(differing "$work/side2.png" "$work/doubled.png")
((changed > 220 * 390 / 20)) || fail "the side buttons at ratio 2 look pixel-doubled ($changed pixels differ)"
# The top-left corner: see-through (desktop black) exactly where the @2x border
# carries the key colour.
convert "$work/shot2.png" -crop "16x16+$X+$Y" +repage -fill white -opaque black \
  -fill black +opaque white "$work/corner-shown.png"
convert "$skin/border_top@2x.bmp" -crop 16x16+0+0 +repage -fill white -opaque 'rgb(101,67,33)' \
  -fill black +opaque white "$work/corner-drawn.png"
[[ "$(differing "$work/corner-shown.png" "$work/corner-drawn.png")" == 0 ]] ||
  fail "the corner at ratio 2 does not follow the @2x corner"
stop
echo PASS
