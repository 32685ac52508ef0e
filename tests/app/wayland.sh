#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program in a Wayland session, under a headless weston started here:
# it runs as a native Wayland client (no X display is there) with the desktop
# entry's name as its app id, shows its window and ends cleanly; weston's
# screenshot shows the window with see-through corners (its alpha channel, since
# Wayland has no window shapes) and no trace of the key colour.
#   wayland.sh PATH/TO/dorvane APP_ID
set -euo pipefail
source "$(dirname "$0")/../support/hermetic.sh"
hermetic "$0" "$@"
exe=$1 id=$2
for tool in weston weston-screenshooter convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR" "$work/shots"
pid="" weston_pid=""
cleanup() {
  [[ -z "$pid" ]] || kill "$pid" 2>/dev/null || true
  [[ -z "$weston_pid" ]] || { kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null; } || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$work/weston.log" 2>/dev/null | tail -5; exit 1; }
cp "$exe" "$work/dorvane"  # its data folders go beside it

# A plain green desktop without panel, so that the window is found by its colours.
cat >"$work/weston.ini" <<'INI'
[core]
shell=desktop-shell.so
idle-time=0
[shell]
background-image=
background-color=0xff00ff00
panel-position=none
locking=false
[input-method]
path=
INI
# --debug lets weston-screenshooter take screenshots; pixman renders without a GPU.
weston --backend=headless-backend.so --use-pixman --debug --socket=dorvane-test \
  --width=1024 --height=768 --config="$work/weston.ini" --log="$work/weston.log" 2>/dev/null &
weston_pid=$!
for _ in $(seq 1 200); do
  [[ -S "$XDG_RUNTIME_DIR/dorvane-test" ]] && break
  kill -0 "$weston_pid" 2>/dev/null || fail "weston did not start"
  sleep 0.05
done
[[ -S "$XDG_RUNTIME_DIR/dorvane-test" ]] || fail "weston's socket never appeared"
unset DISPLAY QT_QPA_PLATFORM
export WAYLAND_DISPLAY=dorvane-test XDG_SESSION_TYPE=wayland

# 1. Start, show the first frame, end: the protocol log shows the app id and a
# 678 x 517 buffer committed to the window's surface; nothing else is printed.
WAYLAND_DEBUG=1 DORVANE_QUIT_AFTER_FIRST_FRAME=1 timeout 30 "$work/dorvane" >"$work/client.log" 2>&1 ||
  fail "the program did not end cleanly (status $?)"
grep -q "xdg_toplevel@[0-9]*\.set_app_id(\"$id\")" "$work/client.log" || fail "app id is not $id"
grep -q 'wl_surface@[0-9]*\.damage_buffer(0, 0, 678, 517)' "$work/client.log" ||
  fail "no 678 x 517 frame was shown"
if grep -v '^\[' "$work/client.log" | grep -q .; then
  grep -v '^\[' "$work/client.log"
  fail "the program printed warnings"
fi

# 2. The window as the compositor shows it: found by trimming the green desktop.
"$work/dorvane" >"$work/run.log" 2>&1 &
pid=$!
geometry=""
for _ in $(seq 1 150); do
  rm -f "$work"/shots/*.png
  (cd "$work/shots" && weston-screenshooter) || fail "weston-screenshooter failed"
  shot=$(ls "$work"/shots/*.png)
  geometry=$(convert "$shot" -trim -format '%w %h %X %Y' info: 2>/dev/null)
  [[ "$geometry" == "678 517 "* ]] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended: $(cat "$work/run.log")"
  sleep 0.1
done
read -r w h x y <<<"${geometry//+/}"
[[ "$w $h" == "678 517" ]] || fail "no 678 x 517 window in the screenshot ($geometry)"
pixel() { convert "$shot" -format "%[pixel:p{$1,$2}]" info:; }
green=$(pixel 0 0)
for corner in "$x $y" "$((x + 677)) $y" "$x $((y + 516))" "$((x + 677)) $((y + 516))"; do
  [[ "$(pixel $corner)" == "$green" ]] || fail "corner $corner is not see-through"
done
[[ "$(pixel $((x + 339)) "$y")" != "$green" ]] || fail "the top edge is see-through"
[[ "$(pixel $((x + 7)) $((y + 7)))" != "$green" ]] || fail "the corner is cut too deep"
through=$(convert "$shot" -crop "7x7+$x+$y" +repage -fill white -opaque "$green" \
  -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:)
[[ "$through" == 23 ]] || fail "$through see-through pixels in the top-left corner, not 23"
key=$(convert "$shot" -fill white +opaque 'rgb(101,67,33)' -fill black -opaque 'rgb(101,67,33)' \
  -negate -format '%[fx:round(mean*w*h)]' info:)
[[ "$key" == 0 ]] || fail "$key pixels of the key colour show"
echo PASS
