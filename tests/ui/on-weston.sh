#!/usr/bin/env bash
# Runs a test program as a client of weston at 200 %, nested in the current X server (run this
# under xvfb-run). Weston's headless back end has no input device, so nothing could press its
# pointer; nested in X, weston's pointer is the X pointer, which xdotool moves and clicks.
# Exits 77 (skip) when weston is missing or cannot start here.
#
# Usage: on-weston.sh PROGRAM [ARGUMENTS...]
set -euo pipefail

if ! command -v weston >/dev/null; then
    echo "skipped: weston is not installed (Debian package weston)"
    exit 77
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=mukiro-input
weston_pid=
cleanup() {
    if [[ -n "$weston_pid" ]]; then
        kill "$weston_pid" 2>/dev/null || true
        wait "$weston_pid" 2>/dev/null || true
    fi
    rm -rf "$runtime"
}
trap cleanup EXIT

# A desktop of the test's own, whatever weston.ini the machine or its user has: no panel, so
# nothing but the game lies under the pointer (the panel's launcher would take a press and open
# a terminal over the game), no lock screen, no animations, and a plain grey background that
# cannot pass for the pictures' colour.
cat >"$runtime/weston.ini" <<'INI'
[core]
idle-time=0

[shell]
panel-position=none
locking=false
animation=none
close-animation=none
startup-animation=none
focus-animation=none
background-image=
background-color=0xff404040
INI

# 900 x 700 logical pixels hold the whole window; the output is twice that on the X screen.
XDG_RUNTIME_DIR=$runtime weston --config="$runtime/weston.ini" --backend=x11-backend.so \
    --use-pixman --width=900 --height=700 --scale=2 --socket="$socket" --idle-time=0 \
    >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 1 100); do
    [[ -S "$runtime/$socket" ]] && break
    if ! kill -0 "$weston_pid" 2>/dev/null; then
        echo "skipped: weston could not start here: $(tail -5 "$runtime/weston.log")"
        exit 77
    fi
    sleep 0.1
done
[[ -S "$runtime/$socket" ]] || { echo "skipped: weston opened no socket"; exit 77; }

# Weston follows the X pointer from the moment it enters weston's window. A pointer that lay
# there already when weston came up is never handed over: weston keeps its own at its corner and
# passes no motion on to its clients (about every other start), and a press lands there. So the
# pointer goes out of weston's window (the X screen is larger than weston's 1800 x 1400 at its
# top-left) and back in before the test begins.
read -r screen_width screen_height < <(xdotool getdisplaygeometry)
if ((screen_width <= 1800 && screen_height <= 1400)); then
    echo "on-weston.sh: the X screen (${screen_width}x$screen_height) has no room beside weston's window" >&2
    exit 1
fi
xdotool mousemove $((screen_width - 1)) $((screen_height - 1)) mousemove 900 700

status=0
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$@" || status=$?
exit "$status"
