#!/usr/bin/env bash
# Runs one Windows test executable under Wine in the test prefix (WINEPREFIX, set by CTest).
# Output goes through a file: Wine's helper processes (services, explorer) outlive the test and
# would otherwise hold CTest's pipe open until the server shuts down.
set -uo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
export WINEPREFIX
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
wine "$@" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
exit $status
