#!/usr/bin/env bash
# What a Debian maintainer checks beyond the binary package: the source package built from the
# committed source, lintian --pedantic on it and on the binary package without an error, a
# warning or a pedantic note, and the package's autopkgtest run against the installed package.
# Usage: maintainer_checks.sh SOURCE CHANGES   (CHANGES: of the binary build; as root, with its
# package installed, for the autopkgtest)
set -uo pipefail
source=$(realpath "$1")
changes=$(realpath "$2")
fail() { echo "FAILED: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/gesamt"
git -C "$source" archive HEAD | tar -x -C "$work/gesamt" || fail "exporting the source"
(cd "$work/gesamt" && dpkg-buildpackage -S -us -uc >"$work/source.log" 2>&1) ||
    { tail -n 20 "$work/source.log"; fail "dpkg-buildpackage -S"; }
dsc=$(ls "$work"/gesamt_*.dsc)
report=$(lintian --pedantic --fail-on error,warning,pedantic "$changes" "$dsc" \
    "$work"/gesamt_*_source.changes 2>&1)
status=$?
report=$(grep -v "root privileges" <<<"$report")
[[ $status -eq 0 && -z $report ]] || fail "lintian --pedantic: $report"
echo "lintian --pedantic: nothing on $(basename "$changes") with its packages, $(basename "$dsc") and its changes"

[[ $(id -u) -eq 0 ]] || { echo "autopkgtest needs root: skipped"; exit 0; }
[[ $(dpkg-query -W -f='${Status}' gesamt 2>/dev/null) == "install ok installed" ]] ||
    fail "the package is not installed"
# As installed (-B: nothing built), on this machine itself (null).
autopkgtest -B "$dsc" -o "$work/autopkgtest" -- null >"$work/autopkgtest.log" 2>&1 ||
    { tail -n 30 "$work/autopkgtest.log"; fail "autopkgtest"; }
grep -E "^starten +PASS" "$work/autopkgtest/summary" || fail "autopkgtest: $(cat "$work/autopkgtest/summary")"
