#!/bin/sh
# Starts or stops a private PulseAudio server with one null sink, for the sound tests and the
# sound benchmark: no desktop session, no sound card, works as root.
#
#   pulse-server.sh start DIR   server socket DIR/native, sink "mukiro_test", monitor
#                               "mukiro_test.monitor"; returns once the server answers
#   pulse-server.sh stop DIR    stops the server and the keep-alive player started with it
set -eu

action=${1:?start or stop}
dir=${2:?run directory}
sink=mukiro_test

# Whoever reaps our background processes may be slow to, so a zombie counts as gone.
running() {
    state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -c1)
    [ -n "$state" ] && [ "$state" != Z ]
}

stop_pid() {
    pidfile=$1
    signal=$2
    [ -f "$pidfile" ] || return 0
    pid=$(cat "$pidfile")
    rm -f "$pidfile"
    kill -s "$signal" "$pid" 2>/dev/null || return 0
    # Wait for it to go, so the next start finds the socket free.
    i=0
    while running "$pid" && [ $i -lt 100 ]; do
        sleep 0.05
        i=$((i + 1))
    done
    kill -9 "$pid" 2>/dev/null || true
}

case "$action" in
start)
    mkdir -p "$dir"
    # The keep-alive player has nothing worth draining; the server gets to close cleanly.
    stop_pid "$dir/pacat.pid" KILL
    stop_pid "$dir/pulse.pid" TERM
    rm -rf "$dir/runtime" "$dir/state"
    mkdir -p "$dir/runtime" "$dir/state"
    chmod 700 "$dir/runtime"
    export XDG_RUNTIME_DIR="$dir/runtime" XDG_STATE_HOME="$dir/state" HOME="$dir/state"
    export PULSE_RUNTIME_PATH="$dir/runtime" PULSE_STATE_PATH="$dir/state"
    unset PULSE_SERVER PULSE_SINK || true
    pulseaudio --system=false -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --disable-shm=yes --log-target=file:"$dir/pulse.log" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
        -L "module-null-sink sink_name=$sink rate=44100 channels=2 norewinds=1" \
        </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/pulse.pid"
    export PULSE_SERVER="unix:$dir/native"
    i=0
    until pactl info >/dev/null 2>&1; do
        i=$((i + 1))
        if [ $i -gt 100 ] || ! running "$(cat "$dir/pulse.pid")"; then
            echo "pulse-server.sh: the server did not start; see $dir/pulse.log" >&2
            stop_pid "$dir/pulse.pid" KILL
            exit 1
        fi
        sleep 0.1
    done
    # An idle null sink runs slower than real time; a steady stream of silence keeps its clock
    # true, so recordings last as long as what was played. Without rewinds the sink never renders
# far ahead of its clock, which otherwise kept an SDL stream waiting over a second to close.
    pacat --raw --device="$sink" --rate=44100 --channels=2 --format=s16le /dev/zero \
        </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/pacat.pid"
    ;;
stop)
    # The keep-alive player has nothing worth draining; the server gets to close cleanly.
    stop_pid "$dir/pacat.pid" KILL
    stop_pid "$dir/pulse.pid" TERM
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
