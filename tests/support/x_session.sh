# SPDX-License-Identifier: GPL-3.0-or-later
# A private X display for end-to-end tests, ready before the first client comes.
# Source it, then:
#   x_session_start [--wm]    Xvfb (and openbox with --wm); exports DISPLAY
#   x_session_track PID...    more processes to end with the session
#   x_session_at_exit CMD     a command to run when the script ends
#   x_session_wait SECS CMD…  runs CMD until it succeeds (every 0.05 s); 1 on timeout
# Key repeat is off, so that a key pressed by a test is typed once however late
# its release comes. Xvfb chooses a free display itself and writes its number to
# -displayfd once it accepts connections, so no other server can take the number
# meanwhile; xdpyinfo then confirms that it answers. The window manager counts as ready when it has
# announced itself on the root window (_NET_SUPPORTING_WM_CHECK). When the script
# ends, for whatever reason, everything started here is killed.

x_session_pids=()
x_session_exit_commands=()
x_session_dir=""

x_session_track() { x_session_pids+=("$@"); }
x_session_at_exit() { x_session_exit_commands+=("$1"); }

x_session_wait() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

x_session_cleanup() {
  local command pid i
  for command in "${x_session_exit_commands[@]}"; do eval "$command" || true; done
  # Clients first, the server last.
  for ((i = ${#x_session_pids[@]} - 1; i >= 0; i--)); do
    pid=${x_session_pids[i]}
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  [[ -z "$x_session_dir" ]] || rm -rf "$x_session_dir"
}

x_session_fail() {
  echo "x_session: $*" >&2
  [[ -z "$x_session_dir" ]] || cat "$x_session_dir"/*.log >&2 2>/dev/null || true
  exit 1
}

# Bounded: now and then openbox keeps the server grabbed as it starts, and every
# other client then waits; that openbox is ended and started again below.
x_session_wm_ready() {
  [[ "$(timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" == *"window id"* ]]
}

# Ready, or ended without becoming so.
x_session_wm_settled() { x_session_wm_ready || ! kill -0 "$x_session_wm_pid" 2>/dev/null; }

x_session_start() {
  local wm="" display=""
  [[ "${1:-}" == --wm ]] && wm=openbox
  for tool in Xvfb xdpyinfo ${wm:+xprop "$wm"}; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  trap x_session_cleanup EXIT
  trap 'exit 143' TERM INT HUP
  x_session_dir=$(mktemp -d)
  mkfifo "$x_session_dir/displayfd"
  # -r: no key repeat. On a busy machine the tool that types can be held up for
  # more than the repeat delay (660 ms) between pressing a key and letting it go,
  # and the server would then type that key again and again (eight extra Tabs
  # once). `xset r off` does not reach the device that xdotool types with.
  Xvfb -r -displayfd 3 -screen 0 "${X_SESSION_SCREEN:-1280x1024x24}" -nolisten tcp \
    3>"$x_session_dir/displayfd" >"$x_session_dir/xvfb.log" 2>&1 &
  x_session_track $!
  # The server writes its number when it is ready; end of file means it died.
  read -r -t 30 display <"$x_session_dir/displayfd" || x_session_fail "Xvfb did not start"
  export DISPLAY=":$display"
  x_session_wait 30 xdpyinfo || x_session_fail "display $DISPLAY does not answer"
  if [[ -n "$wm" ]]; then
    # Now and then openbox gives up on a display that has just answered, or keeps
    # it grabbed; it is started again then, up to three times.
    local attempt
    for attempt in 1 2 3; do
      openbox --sm-disable >>"$x_session_dir/wm.log" 2>&1 &
      x_session_wm_pid=$!
      x_session_wait 30 x_session_wm_settled
      x_session_wm_ready && break
      kill "$x_session_wm_pid" 2>/dev/null || true
      wait "$x_session_wm_pid" 2>/dev/null || true
    done
    x_session_track "$x_session_wm_pid"
    x_session_wm_ready || x_session_fail "openbox does not manage windows"
  fi
}
