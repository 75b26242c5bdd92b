#!/bin/bash
# Converts the cues as the web build does and decodes each in Chromium as the page will: every
# cue must decode, keep its opening and start on time. Skipped (77) without lame or chromium.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
for program in lame chromium; do  # each is also the name of its Debian package
    if ! command -v "$program" >/dev/null; then
        echo "skipped: $program is missing (Debian package $program)"
        exit 77
    fi
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$root/tools/cues/make-web-cues" "$root/assets/sounds" "$out"
"$root/tools/cues/check-web-cues" "$root/assets/sounds" "$out"
