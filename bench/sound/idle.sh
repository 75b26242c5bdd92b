#!/bin/sh
# Measures what the game costs while it sits idle with its window up: the processor time of the
# game and of the sound server over IDLE_SECONDS (default 10), from /proc, and what the server
# says of the game's stream and of the sink then. A private PulseAudio server with a null sink,
# without the keep-alive stream the tests use, so an idle sink can go idle; a virtual X server.
#
#   bench/sound/idle.sh GAME [IDLE_SECONDS]   GAME: e.g. build/release/game/mukiro-tough
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ "${1:-}" = "--inside-x" ]; then
    game=$2
    seconds=$3
    pulse=$4
    ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
    "$game" >/dev/null 2>&1 &
    pid=$!
    # The opening cue plays, then the player rests; the window has long been up by then.
    sleep 5
    server=$(cat "$pulse/pulse.pid")
    game0=$(ticks "$pid")
    server0=$(ticks "$server")
    sleep "$seconds"
    game1=$(ticks "$pid")
    server1=$(ticks "$server")
    hz=$(getconf CLK_TCK)
    awk -v g=$((game1 - game0)) -v s=$((server1 - server0)) -v t="$seconds" -v hz="$hz" 'BEGIN {
        printf "game CPU over %d idle s: %.1f %% of a core\n", t, 100 * g / hz / t
        printf "sound server CPU over %d idle s: %.1f %% of a core\n", t, 100 * s / hz / t }'
    streams=$(pactl list sink-inputs | grep -c 'application.name = "ムキロ・タフ"' || true)
    corked=$(pactl list sink-inputs | grep -B30 'application.name = "ムキロ・タフ"' |
        awk '/Corked:/ {c = $2} END {print c}')
    echo "game streams on the server: $streams${corked:+ (corked: $corked)}"
    echo "sink: $(pactl list short sinks | awk '{print $2, $NF}')"
    kill "$pid"
    { wait "$pid"; } 2>/dev/null || true
    exit 0
fi
game=$(realpath "${1:?game program}")
seconds=${2:-10}
work=$(mktemp -d)
trap '"$root/tests/sound/pulse-server.sh" stop "$work/pulse"; rm -rf "$work"' EXIT INT TERM
"$root/tests/sound/pulse-server.sh" start "$work/pulse"
# No keep-alive stream, and a desktop's suspend-on-idle: a sink nobody plays to is suspended.
kill "$(cat "$work/pulse/pacat.pid")"
rm -f "$work/pulse/pacat.pid"
PULSE_SERVER="unix:$work/pulse/native" pactl load-module module-suspend-on-idle timeout=1 >/dev/null
mkdir -m 700 "$work/xdg"
XDG_RUNTIME_DIR="$work/xdg" PULSE_SERVER="unix:$work/pulse/native" SDL_AUDIODRIVER=pulseaudio \
    xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" --inside-x "$game" "$seconds" "$work/pulse"
