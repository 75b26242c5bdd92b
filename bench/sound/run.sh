#!/bin/sh
# Runs the cue player's benchmark against a private PulseAudio server with a null sink.
#   bench/sound/run.sh [BUILD_DIR]   (default: build/release; build target sound_bench first)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/release}
bench="$build/bench/sound/sound_bench"
[ -x "$bench" ] || { echo "no $bench; build the target sound_bench first" >&2; exit 2; }

dir=$(mktemp -d)
trap '"$root/tests/sound/pulse-server.sh" stop "$dir"; rm -rf "$dir"' EXIT INT TERM
"$root/tests/sound/pulse-server.sh" start "$dir"
PULSE_SERVER="unix:$dir/native" SDL_AUDIODRIVER=pulseaudio "$bench" mukiro_test
