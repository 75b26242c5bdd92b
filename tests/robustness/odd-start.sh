#!/usr/bin/env bash
# Starts the built game the way an odd desktop might, under a virtual X server, and checks it
# behaves exactly as when started plainly from its own folder:
#   - the game folder is copied to a path with spaces and Japanese characters;
#   - the game is started through a symbolic link (itself with a Japanese name), from another
#     working directory, with LC_ALL=C (a locale that knows no Japanese);
#   - its working directory must become the real game folder, its window must come up, its
#     stderr must carry no font, locale or encoding complaint, and the window, the Japanese
#     texts included, must look the same pixel for pixel as after a plain start;
#   - choosing the explanation must show the file (found by its Japanese name) the same way.
#
# Usage: odd-start.sh GAME_DIR
# Needs xvfb-run, xdotool (search, click), xwininfo and ImageMagick's import and compare.
set -euo pipefail

if [[ "${1:-}" != "--inside-x" ]]; then
    game=$(cd "${1:?usage: odd-start.sh GAME_DIR}" && pwd -P)
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" --inside-x "$game"
fi
source_game=$2

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

game_dir="$work/my games/ムキロ・タフ 2"
mkdir -p "$game_dir" "$work/links" "$work/elsewhere" "$work/shots"
cp -a "$source_game/." "$game_dir/"
game_dir=$(cd "$game_dir" && pwd -P)
ln -s "$game_dir/mukiro-tough" "$work/links/ムキロ・タフ"

# The game's own window: the one of its process that is at least the client size.
find_window() {
    local pid=$1 window geometry width height
    for _ in $(seq 1 150); do
        kill -0 "$pid" 2>/dev/null || fail "the game exited before its window came up"
        for window in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            geometry=$(xwininfo -id "$window" 2>/dev/null) || continue
            width=$(awk '/Width:/ {print $NF}' <<<"$geometry")
            height=$(awk '/Height:/ {print $NF}' <<<"$geometry")
            if ((width >= 705 && height >= 524)); then
                echo "$window"
                return
            fi
        done
        sleep 0.2
    done
    fail "no game window appeared"
}

shoot() {
    local window=$1 out=$2 previous="$work/shots/previous.png"
    # The window has settled once two pictures in a row agree: a repaint can come late on a
    # loaded machine (the explanation's focus frame, after the click activates the window).
    sleep 0.5
    import -window "$window" "$previous"
    for _ in $(seq 1 30); do
        sleep 0.3
        import -window "$window" "$out"
        [[ "$(differing_pixels "$previous" "$out")" == "0" ]] && return
        cp "$out" "$previous"
    done
    fail "the window never stopped changing: $out"
}

# Starts the game with the given environment from the given folder, photographs the window as it
# opens and again showing the explanation, and leaves the process's id in $started.
run_game() {
    local label=$1 from=$2 program=$3
    shift 3
    # The pointer starts at the same place for both starts, off the window (in the screen's far
    # corner, which the window does not reach), so that nothing in either shows it hovered.
    local screen_width screen_height
    read -r screen_width screen_height < <(xdotool getdisplaygeometry)
    xdotool mousemove $((screen_width - 1)) $((screen_height - 1))
    (cd "$from" && exec env "$@" "$program") 2>"$work/$label.err" &
    started=$!
    pids+=("$started")
    local window
    window=$(find_window "$started") || fail "$label: the game's stderr: $(cat "$work/$label.err")"

    local cwd
    cwd=$(readlink "/proc/$started/cwd")
    [[ "$cwd" == "$game_dir" ]] || fail "$label: the game works in '$cwd', not in '$game_dir'"

    # The caption is the one text outside the client area.
    local caption
    caption=$(xdotool getwindowname "$window")
    [[ "$caption" == "ムキロ・タフ ver2.0" ]] || fail "$label: the window is captioned '$caption'"

    shoot "$window" "$work/shots/$label-open.png"
    # The menu command 説明 sits at the left end of the menu bar.
    xdotool mousemove --window "$window" 15 9 click 1
    # The click activates the window, and the explanation then shows that it has the keyboard.
    for _ in $(seq 1 100); do
        [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$window" ]] && break
        sleep 0.1
    done
    shoot "$window" "$work/shots/$label-explained.png"
    # A Message would be a second window of the game: the file must have been found.
    local windows
    windows=$(xdotool search --onlyvisible --pid "$started" 2>/dev/null | wc -l)
    kill "$started"
    wait "$started" 2>/dev/null || true
    ((windows == 1)) || fail "$label: a Message came up instead of the explanation"
}

differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

# The plain start: from its own folder in a UTF-8 locale.
run_game plain "$game_dir" "$game_dir/mukiro-tough" LANG=C.UTF-8 LC_ALL=C.UTF-8 SDL_AUDIODRIVER=dummy
# The odd start.
run_game odd "$work/elsewhere" "$work/links/ムキロ・タフ" LANG=C LC_ALL=C SDL_AUDIODRIVER=dummy

if grep -Eqi 'font|locale|encoding|codec|utf-?8|ascii' "$work/odd.err"; then
    fail "complaints on stderr under LC_ALL=C: $(cat "$work/odd.err")"
fi
for shot in open explained; do
    count=$(differing_pixels "$work/shots/plain-$shot.png" "$work/shots/odd-$shot.png")
    [[ "$count" == "0" ]] || fail "the $shot window differs in $count pixels after the odd start"
done
# The explanation covers the window: the two pictures must not be alike.
count=$(differing_pixels "$work/shots/odd-open.png" "$work/shots/odd-explained.png")
((count > 10000)) || fail "choosing the explanation changed only $count pixels"
echo "odd start: same window and explanation as the plain start; cwd $game_dir"
