#!/usr/bin/env bash
# The hardening check must catch each missing protection on its own: a small program is built
# fully hardened and then with one protection taken away at a time, and the check must pass
# the first and name the missing protection in each of the others.
#
# Usage: hardening-check-test.sh   (needs g++ and readelf)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A local array for the stack protector to guard, and a call glibc can fortify.
cat >"$work/probe.cpp" <<'CPP'
#include <cstdio>
int main(int argc, char* argv[]) {
    char name[16];
    std::snprintf(name, sizeof name, "%s%d", argv[0], argc);
    std::puts(name);
}
CPP

readonly hardened="-O2 -D_FORTIFY_SOURCE=2 -fstack-protector-strong -fPIE -pie -Wl,-z,relro -Wl,-z,now"

# label | flags added after the hardened ones | what the check must report ("" = passes)
cases=(
    "hardened||"
    "no PIE|-fno-PIE -no-pie|not a position-independent executable"
    "no RELRO|-Wl,-z,norelro|no GNU_RELRO segment"
    "lazy binding|-Wl,-z,lazy|no BIND_NOW"
    "executable stack|-Wl,-z,execstack|the stack is executable"
    "no stack protector|-fno-stack-protector|no stack protector"
    "no fortify|-U_FORTIFY_SOURCE|no fortified libc calls"
)

failed=0
for row in "${cases[@]}"; do
    IFS='|' read -r label extra expected <<<"$row"
    # shellcheck disable=SC2086 # the flags are words on purpose
    g++ $hardened $extra -o "$work/probe" "$work/probe.cpp"
    status=0
    output=$("$here/hardening-check.sh" "$work/probe" 2>&1) || status=$?
    if [[ -z "$expected" ]]; then
        if ((status == 0)); then
            echo "ok: $label"
        else
            echo "FAIL: $label: rejected: $output"
            failed=1
        fi
    elif ((status == 0)); then
        echo "FAIL: $label: passed the check"
        failed=1
    elif [[ "$output" != *"$expected"* ]] || (($(grep -c '^FAIL' <<<"$output") != 1)); then
        echo "FAIL: $label: expected only '$expected', got: $output"
        failed=1
    else
        echo "ok: $label"
    fi
done
exit "$failed"
