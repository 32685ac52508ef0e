# SPDX-License-Identifier: GPL-3.0-or-later
# Keeps a script that runs the real program on this machine: the one place that
# says how the program's network is set up in end-to-end tests. Source it first,
# before any other set-up, and call
#   hermetic "$0" "$@"
# As root (as CI runs), the script starts again in a network namespace of its own
# in which only loopback is up, so that nothing it starts can send a packet to
# another machine. Everywhere, the program's online check asks a DNS server on
# loopback: a port where nothing listens, which refuses at once, so the program
# knows at once that it is offline and shows the local resources page.
hermetic() {
  if [[ $(id -u) == 0 && -z "${DORVANE_HERMETIC:-}" ]] &&
    unshare --net -- ip link set lo up 2>/dev/null; then
    export DORVANE_HERMETIC=1
    exec unshare --net -- /bin/sh -c 'ip link set lo up && exec "$@"' hermetic "$@"
  fi
  export DORVANE_DNS_SERVER=127.0.0.1:9
}
