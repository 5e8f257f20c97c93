#!/usr/bin/env bash
# End to end: the real ventrix.exe in a fresh Wine prefix on the X display (Xvfb), driven from
# outside as a user would: window texts, menus, clicks, the tray icon and the registry.
# Usage: run-e2e.sh VENTRIX_EXE DRIVER_EXE HOOK_DLL OUTPUT_DIR
# E2E_ONLY=REGEX runs only the scenarios whose file name matches (while working on one).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1 driver=$2 hook=$3 out=$4
: "${DISPLAY:?the end-to-end tier needs an X display (make test runs it under xvfb-run)}"

source "$here/lib.sh"
e2e_setup "$out" "$exe" "$driver" "$hook" || exit 1

for scenario in "$here"/scenario_*.sh; do
  [[ -n ${E2E_ONLY:-} && ! $(basename "$scenario") =~ $E2E_ONLY ]] && continue
  source "$scenario"
done

e2e_finish
