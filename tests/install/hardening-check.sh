#!/usr/bin/env bash
# Checks that a program carries the hardening a distribution expects: a position-independent
# executable, full RELRO (a read-only relocation segment, every symbol bound at start-up), a
# stack that cannot run code, the stack protector and fortified libc calls.
#
# Usage: hardening-check.sh [--without-fortify] PROGRAM
#        hardening-check.sh [--without-fortify] PACKAGE.deb PATH_IN_PACKAGE
#   --without-fortify  for unoptimised builds, where _FORTIFY_SOURCE has no effect
# Needs readelf (binutils) and, for a package, dpkg-deb.
set -euo pipefail

fortify=true
if [[ "${1:-}" == "--without-fortify" ]]; then
    fortify=false
    shift
fi
program=${1:?usage: hardening-check.sh [--without-fortify] PROGRAM | PACKAGE.deb PATH}
if (($# > 1)); then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    dpkg-deb --fsys-tarfile "$1" | tar -xf - -C "$work" "./${2#/}"
    program=$work/${2#/}
fi

failures=()
header=$(readelf -hW "$program")
dynamic=$(readelf -dW "$program")
segments=$(readelf -lW "$program")
symbols=$(readelf -sW --dyn-syms "$program" | awk '{print $8}')

# A PIE is a shared object (type DYN) that the dynamic section marks PIE.
grep -Eq '^ *Type: +DYN' <<<"$header" && grep -Eq 'FLAGS_1.*\<PIE\>' <<<"$dynamic" ||
    failures+=("not a position-independent executable (PIE)")
grep -q 'GNU_RELRO' <<<"$segments" || failures+=("no GNU_RELRO segment (-z relro)")
grep -Eq '\(FLAGS\).*\<BIND_NOW\>|\(FLAGS_1\).*\<NOW\>' <<<"$dynamic" ||
    failures+=("symbols are bound lazily: no BIND_NOW (-z now)")
grep -Eq 'GNU_STACK.* RWE ' <<<"$segments" && failures+=("the stack is executable")
grep -q '^__stack_chk_fail\>' <<<"$symbols" || failures+=("no stack protector (__stack_chk_fail)")
if $fortify; then
    grep -Eq '^__[a-z0-9_]+_chk\>' <<<"$(grep -v '^__stack_chk_fail\>' <<<"$symbols")" ||
        failures+=("no fortified libc calls (__*_chk): built without _FORTIFY_SOURCE")
fi

if ((${#failures[@]} > 0)); then
    for failure in "${failures[@]}"; do
        echo "FAIL: $1: $failure" >&2
    done
    exit 1
fi
echo "hardened: $1 (PIE, RELRO, BIND_NOW, non-executable stack, stack protector$($fortify && echo ", fortified calls"))"
