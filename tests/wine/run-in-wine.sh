#!/usr/bin/env bash
# Runs one Windows test executable under Wine in the test prefix (WINEPREFIX, set by CTest).
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
export WINEPREFIX
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
