#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program under Xvfb, clicks pages 1 -> 2 -> 3 as a user would,
# types a goal, and checks screenshots: the window is there, 678 x 517, its
# rounded corners show the desktop, the pages change and the typed text shows.
#   end_to_end.sh PATH/TO/dorvane
set -euo pipefail
exe=$1
for tool in xvfb-run xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [[ -z "${DORVANE_E2E_INNER:-}" ]]; then
  export DORVANE_E2E_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
unset QT_QPA_PLATFORM
work=$(mktemp -d)
echo "screenshots in $work"
trap 'kill "$pid" 2>/dev/null || true; [[ -n "${DORVANE_E2E_KEEP:-}" ]] || rm -rf "$work"' EXIT
cp "$exe" "$work/dorvane"  # its data folders go beside it
# The online check asks a port where nothing listens: offline at once, and no
# query leaves the machine.
export DORVANE_DNS_SERVER=127.0.0.1:9
"$work/dorvane" >"$work/log" 2>&1 &
pid=$!

fail() { echo "FAIL: $*"; cat "$work/log"; exit 1; }
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
shot() { import -window root "$work/$1.png"; }

wid=""
for _ in $(seq 1 100); do
  wid=$(xdotool search --onlyvisible --name '^Dorvane$' 2>/dev/null | head -1 || true)
  [[ -n "$wid" ]] && break
  sleep 0.1
done
[[ -n "$wid" ]] || fail "no window appeared"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")"
[[ "$WIDTH" == 678 && "$HEIGHT" == 517 ]] || fail "window is ${WIDTH}x${HEIGHT}"

shot page1
desktop=$(pixel "$work/page1.png" 5 5)  # far from the centred window
for corner in "$X $Y" "$((X + 677)) $Y" "$X $((Y + 516))" "$((X + 677)) $((Y + 516))"; do
  [[ "$(pixel "$work/page1.png" $corner)" == "$desktop" ]] || fail "corner $corner is not see-through"
done
[[ "$(pixel "$work/page1.png" $((X + 339)) $((Y + 5)))" != "$desktop" ]] || fail "top edge missing"

click() { xdotool mousemove "$((X + $1))" "$((Y + $2))" click 1; sleep 0.8; }
body() { convert "$work/$1.png" -crop "385x412+$((X + 131))+$((Y + 66))" +repage "$work/$1-body.png"; }
changed() { [[ "$(compare -metric AE "$work/$1-body.png" "$work/$2-body.png" null: 2>&1 || true)" != 0 ]]; }

click 60 123   # side button 2
shot page2
click 60 162   # side button 3: the goals form, the caret in goal 1
shot page3
xdotool type --delay 30 "Run 10 km in under an hour"
sleep 0.5
shot typed
for s in page1 page2 page3 typed; do body "$s"; done
changed page1 page2 || fail "page 2 looks like page 1"
changed page2 page3 || fail "page 3 looks like page 2"
changed page3 typed || fail "the typed goal does not show"
kill "$pid"
echo "PASS"
