#!/usr/bin/env bash
# Runs a command on a fresh virtual X display with a window manager (openbox)
# that is ready: a window shown before the manager is may never be mapped, and
# full screen is the manager's to grant. The command's exit status is this
# script's; the display and the manager end with it. The command sees
# WHIRL_XVFB_DESKTOP set to the display's size.
#
#   tests/support/xvfb-desktop.sh WIDTHxHEIGHT COMMAND [ARG...]
set -u
size=$1
shift
if [ -z "${WHIRL_XVFB_DESKTOP:-}" ]; then
    for tool in xvfb-run openbox; do
        command -v $tool > /dev/null || { echo "xvfb-desktop: $tool is missing (make test installs it)" >&2; exit 2; }
    done
    WHIRL_XVFB_DESKTOP=$size exec xvfb-run -a -s "-screen 0 ${size}x24" bash "$0" "$size" "$@"
fi
ready=$(mktemp -d)
openbox --startup "touch $ready/wm" > /dev/null 2>&1 &
wm=$!
trap 'kill $wm 2> /dev/null; rm -rf "$ready"' EXIT
for _ in $(seq 100); do [ -e "$ready/wm" ] && break; sleep 0.1; done
[ -e "$ready/wm" ] || { echo "xvfb-desktop: the window manager did not start within 10 s" >&2; exit 2; }
"$@"
