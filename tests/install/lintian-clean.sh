#!/usr/bin/env bash
# Runs lintian on a build's .changes (the source package and every .deb it lists) and fails on
# any error or warning; informational tags are shown too. Each override in debian/ says why its
# tag does not apply.
#
# Usage: lintian-clean.sh PACKAGE.changes
set -euo pipefail

# lintian leaves scratch files in TMPDIR: give it one of its own and remove it after.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
TMPDIR=$scratch lintian --fail-on error,warning --display-info "${1:?usage: lintian-clean.sh PACKAGE.changes}"
