# SPDX-License-Identifier: GPL-3.0-or-later
# Driving a program on the display of x_session.sh as a person would: clicks at
# window coordinates, screenshots, and waits on what the screen shows.
# Source after x_session.sh, then:
#   x_drive_init DIR            screenshots go to DIR (kept there when a step fails)
#   step NAME                   names the step a failure reports
#   fail MESSAGE                reports the step and the message, exits 1
#   shot NAME                   screenshot of the root window, DIR/NAME.png
#   region NAME W H X Y         crop (window coordinates) of shot NAME, DIR/NAME-r.png
#   click X Y / drag X1 Y1 X2 Y2   at window coordinates (the window's X, Y set)
#   shot_changes NAME BEFORE W H X Y   waits (30 s) until region W H X Y differs from
#                               BEFORE's and has settled
#   window REGEX                first visible window whose title matches

x_drive_dir=""
x_drive_step="start"
X=0
Y=0

x_drive_init() { x_drive_dir=$1; mkdir -p "$x_drive_dir"; }
step() { x_drive_step=$1; echo "step: $1"; }
fail() {
  import -window root "$x_drive_dir/failed-${x_drive_step// /_}.png" 2>/dev/null || true
  echo "FAIL in step '$x_drive_step': $*"
  echo "screenshots kept in $x_drive_dir"
  exit 1
}
shot() { import -window root "$x_drive_dir/$1.png"; }
region() {
  convert "$x_drive_dir/$1.png" -crop "$2x$3+$((X + $4))+$((Y + $5))" +repage "$x_drive_dir/$1-r.png"
}
same_region() {
  [[ "$(compare -metric AE "$x_drive_dir/$1-r.png" "$x_drive_dir/$2-r.png" null: 2>&1 || true)" == 0 ]]
}
click() { xdotool mousemove "$((X + $1))" "$((Y + $2))" click 1; }
drag() {
  xdotool mousemove "$((X + $1))" "$((Y + $2))" mousedown 1
  local i
  for i in 1 2 3 4; do
    xdotool mousemove "$((X + $1 + ($3 - $1) * i / 4))" "$((Y + $2 + ($4 - $2) * i / 4))"
  done
  xdotool mouseup 1
}
# Settled: a second look a moment later shows the same but for a blinking caret
# (up to 50 pixels), so that the shot is not of a page half painted or of a drag
# the program is still catching up with.
x_drive_settled() {
  mv "$x_drive_dir/$1-r.png" "$x_drive_dir/$1-settling-r.png"
  sleep 0.1
  shot "$1" && region "$1" "${@:2}" && x_drive_differ "$1-settling" "$1" 50
}
x_drive_changed() {
  shot "$1" && region "$1" "${@:3}" && ! same_region "$2" "$1" && x_drive_settled "$1" "${@:3}"
}
shot_changes() {
  region "$2" "${@:3}" && x_session_wait 30 x_drive_changed "$@"
}
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | sed -n 1p; }

# choose_in_list NAME X Y KEYS…: opens the drop-down list at window X, Y, presses
# KEYS in its popup, and waits until the popup is gone and the list shows a new value.
# The popup is looked for a little below the list: the line just under page 4's
# lists changes with the focus (it tells the preview's keys while that has it).
x_drive_list_done() {
  shot "$1" && region "$1" 40 14 $(($2 - 20)) $(($3 - 7)) && ! same_region "$1-before" "$1" &&
    region "$1" 60 20 $(($2 - 20)) $(($3 + 36)) && same_region "$1-below" "$1"
}
x_drive_popup_open() {
  shot "$1" && region "$1" 60 20 $(($2 - 20)) $(($3 + 36)) && ! same_region "$1-below" "$1"
}
choose_in_list() {
  local name=$1 x=$2 y=$3
  shift 3
  shot "$name-before" && region "$name-before" 60 20 $((x - 20)) $((y + 36))
  mv "$x_drive_dir/$name-before-r.png" "$x_drive_dir/$name-below-r.png"
  region "$name-before" 40 14 $((x - 20)) $((y - 7))
  click "$x" "$y"
  x_session_wait 30 x_drive_popup_open "$name" "$x" "$y" || return 1
  xdotool key --delay 100 "$@"
  x_session_wait 30 x_drive_list_done "$name" "$x" "$y"
}

# shot_returns NAME BEFORE W H X Y: waits (30 s) until the region looks as in BEFORE
# again, but for under 1 % of its pixels (a focus frame drawn differently).
# x_drive_differ A B N: regions A and B differ in at most N pixels.
x_drive_differ() {
  local differ
  differ=$(compare -metric AE "$x_drive_dir/$1-r.png" "$x_drive_dir/$2-r.png" null: 2>&1 || true)
  [[ "$differ" =~ ^[0-9]+$ ]] && ((differ <= $3))
}
x_drive_close() { x_drive_differ "$1" "$2" $(($3 * $4 / 100)); }
x_drive_same() { shot "$1" && region "$1" "${@:3}" && x_drive_close "$2" "$1" "$3" "$4"; }
shot_returns() { region "$2" "${@:3}" && x_session_wait 30 x_drive_same "$@"; }
