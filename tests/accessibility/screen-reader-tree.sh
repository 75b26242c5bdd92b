#!/usr/bin/env bash
# Starts the built game the way a screen reader user's desktop does and lets walk-tree.py read
# it over AT-SPI: a virtual X server, a private session bus, the accessibility bus with its
# registry, and the game with its accessibility bridge forced on.
#
# Usage: screen-reader-tree.sh GAME_PROGRAM
# Needs xvfb-run, dbus-run-session (dbus), at-spi-bus-launcher (at-spi2-core) and Debian's own
# Python with pyatspi (python3-pyatspi); scripts/setup installs them all. Exits 77 (skipped)
# only when no bus can be started here.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
# The Debian interpreter, whatever python3 comes first on PATH: pyatspi is installed for it.
python=/usr/bin/python3

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
skip() {
    echo "SKIP: $*" >&2
    exit 77
}

if [[ "${1:-}" != "--inside" ]]; then
    game=$(realpath "${1:?usage: screen-reader-tree.sh GAME_PROGRAM}")
    [[ -x "$game" ]] || fail "no game program at $game"
    command -v dbus-run-session >/dev/null || fail "dbus-run-session is missing: run scripts/setup"
    [[ -x "$launcher" ]] || fail "$launcher is missing (at-spi2-core): run scripts/setup"
    "$python" -c 'import pyatspi' 2>/dev/null ||
        fail "$python cannot import pyatspi (python3-pyatspi): run scripts/setup"
    dbus-run-session -- true 2>/dev/null || skip "no private session bus can be started here"
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" dbus-run-session -- "$0" --inside "$game"
fi
game=$2

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

# The accessibility bus, announced on the session bus as org.a11y.Bus; the registry is started
# on it when the game first registers.
"$launcher" --launch-immediately 2>"$runtime/launcher.err" &
pids+=($!)
bus_up=false
for _ in $(seq 1 100); do
    if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null 2>&1; then
        bus_up=true
        break
    fi
    sleep 0.1
done
if [[ $bus_up != true ]]; then
    cat "$runtime/launcher.err" >&2
    skip "the accessibility bus did not start within 10 s"
fi

# The walk starts the game itself, with its accessibility bridge forced on.
if "$python" "$here/walk-tree.py" "$game" "$runtime/game.err"; then
    echo "screen reader tree: names, reading order, image and Messages as expected"
else
    echo "--- the game's stderr ---" >&2
    cat "$runtime/game.err" >&2
    exit 1
fi
