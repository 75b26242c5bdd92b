#!/bin/bash
# Prints each cue's length, peak and RMS level, to check that the cues sound equally loud.
#
#   tools/cues/measure-cues.sh [cue folder]      (default: assets/sounds)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
dir=${1:-$here/../../assets/sounds}

printf '%-16s %8s %10s %9s\n' file seconds 'peak dBFS' 'RMS dBFS'
find "$dir" -name '*.wav' -printf '%P\n' | LC_ALL=C sort | while read -r name; do
    sox "$dir/$name" -n stat 2>&1 | awk -v name="$name" '
        /^Length/            { secs = $3 }
        /^Maximum amplitude/ { hi = $3 }
        /^Minimum amplitude/ { lo = -$3 }
        /^RMS +amplitude/    { rms = $3 }
        END {
            peak = hi > lo ? hi : lo
            printf "%-16s %8.3f %10.2f %9.2f\n", name, secs, 20 * log(peak) / log(10),
                   20 * log(rms) / log(10)
        }'
done
