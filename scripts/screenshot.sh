#!/usr/bin/env bash
# Photographs the game window as it opens, under a virtual X server, into docs/screenshot.png.
#
# Usage: scripts/screenshot.sh [BUILD_DIR [OUTPUT_PNG]]
#   Without BUILD_DIR the game is configured and built in build/screenshot first.
#   SCALE=2 (a whole number) photographs it as on a screen scaled to 200 % (QT_SCALE_FACTOR),
#   into docs/screenshot-2x.png unless OUTPUT_PNG says otherwise.
#
# Needs xvfb and xauth (listed in scripts/packages-test.txt) and two tools used only here:
# imagemagick (import) and x11-utils (xwininfo).
set -euo pipefail

scale=${SCALE:-1}

if [[ "${1:-}" == "--inside-x" ]]; then
    exe=$2
    out=$3
    game_dir=$(cd "$(dirname "$exe")" && pwd -P)

    # Start the game the way a desktop launcher might: through a symbolic link, from elsewhere.
    # It must still find its files beside the real program.
    launch_dir=$(mktemp -d)
    trap 'rm -rf "$launch_dir"' EXIT
    ln -s "$game_dir/$(basename "$exe")" "$launch_dir/mukiro-tough"
    (cd / && SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale \
        exec "$launch_dir/mukiro-tough") &
    game_pid=$!
    trap 'kill "$game_pid" 2>/dev/null || true; rm -rf "$launch_dir"' EXIT

    window=""
    for _ in $(seq 1 100); do
        # The game's top-level window is the one of its class that is at least the client width.
        window=$(xwininfo -root -tree 2>/dev/null |
            awk '/"mukiro-tough" "mukiro-tough"/ && match($0, / [0-9]+x[0-9]+\+/) {
                     split(substr($0, RSTART + 1, RLENGTH - 2), s, "x");
                     if (s[1] >= 705 && s[2] >= 524) { print $1; exit } }')
        [[ -n "$window" ]] && break
        kill -0 "$game_pid" 2>/dev/null || { echo "the game exited before its window came up" >&2; exit 1; }
        sleep 0.2
    done
    [[ -n "$window" ]] || { echo "no game window appeared" >&2; exit 1; }
    sleep 1  # let the first paint finish

    cwd=$(readlink "/proc/$game_pid/cwd")
    if [[ "$cwd" != "$game_dir" ]]; then
        echo "started through a link, the game works in $cwd instead of $game_dir" >&2
        exit 1
    fi

    geometry=$(xwininfo -id "$window" | awk '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {printf "%dx%d+%d+%d", w, h, x, y}')
    import -window root -crop "$geometry" +repage "$out"
    echo "window $window at $geometry -> $out"
    exit 0
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-}
if [[ "$scale" == 1 ]]; then
    out=${2:-$root/docs/screenshot.png}
else
    out=${2:-$root/docs/screenshot-${scale}x.png}
fi
if [[ -z "$build" ]]; then
    build=$root/build/screenshot
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    cmake --build "$build" --target mukiro-tough -j2
fi
exe=$build/game/mukiro-tough
[[ -x "$exe" ]] || { echo "no game program at $exe" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")

SCALE=$scale xvfb-run -a -s "-screen 0 $((1024 * scale))x$((768 * scale))x24 -noreset" "$0" --inside-x "$exe" "$out"
