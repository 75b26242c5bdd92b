#!/usr/bin/env bash
# Counts the instructions a program runs from its start until it sits idle with its window up,
# under callgrind on a virtual X server: the window's thread alone, and all threads.
#
#   bench/startup-instructions.sh PROGRAM [SECONDS]   (default 20: long enough under callgrind)
#
# The program is stopped after SECONDS; what it runs while idle is a few thousand instructions.
# Prints "main_thread_Ir all_threads_Ir".
set -euo pipefail

if [[ "${1:-}" == "--inside-x" ]]; then
    program=$2
    seconds=$3
    out=$4
    valgrind --tool=callgrind --separate-threads=yes --callgrind-out-file="$out" "$program" \
        >/dev/null 2>&1 &
    pid=$!
    sleep "$seconds"
    kill -TERM "$pid"
    wait "$pid" || true
    exit 0
fi

program=$(realpath "${1:?program}")
seconds=${2:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work
SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
    "$0" --inside-x "$program" "$seconds" "$work/callgrind.out"
total() { awk '/^(summary|totals):/ {print $2; exit}' "$1"; }
main=$(total "$work/callgrind.out-01")
all=0
for part in "$work"/callgrind.out-*; do
    all=$((all + $(total "$part")))
done
echo "$main $all"
