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

# 900 x 700 logical pixels hold the whole window; the output is twice that on the X screen.
XDG_RUNTIME_DIR=$runtime weston --backend=x11-backend.so --use-pixman --width=900 --height=700 \
    --scale=2 --socket="$socket" --idle-time=0 >"$runtime/weston.log" 2>&1 &
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

status=0
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$@" || status=$?
exit "$status"
