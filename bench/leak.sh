#!/usr/bin/env bash
# No leak: the real ventrix.exe under Wine, D: a CD-ROM drive backed by a folder. After a short
# warm-up, CYCLES eject/close and CYCLES lock/unlock cycles are picked from its Operations menu
# inside the program; its kernel handle, GDI object and USER object counts (and the open file
# descriptors of its Linux process) are read before and after.
# Usage: leak.sh VENTRIX_EXE DRIVER_EXE HOOK_DLL OUTPUT_DIR [CYCLES] [TOLERANCE]
# Exit status 0 when no count grew by more than TOLERANCE (default 0) and every request reached
# the drive; 1 otherwise. Needs an X display (make bench-leak runs it under xvfb-run).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1 driver=$2 hook=$3 out=$4
cycles=${5:-1000}
tolerance=${6:-0}
warm_up=5
: "${DISPLAY:?the leak benchmark needs an X display}"

source "$here/../tests/e2e/lib.sh"
source "$here/../tests/e2e/leak_cycles.sh"

exe_size=$(stat -c %s "$exe")
e2e_setup "$out" "$exe" "$driver" "$hook" >/dev/null
clear_settings
store_setting settings "Visible on Start-up" 1
VENTRIX_WINEDEBUG=$LEAK_WINEDEBUG start_ventrix winxp leak || exit 1

eject=$(operations_item Eject)
close=$(operations_item Close)
lock=$(operations_item Lock)
unlock=$(operations_item Un-Lock)
if [ -z "$eject" ] || [ -z "$lock" ]; then
  echo "# the Operations menu offers no Eject or Lock item"
  e2e_finish
  exit 1
fi
# Close and Un-Lock are hidden until Eject and Lock have run: their captions follow the same
# pattern.
close=${close:-Close${eject#Eject}}
unlock=${unlock:-Un-Lock${lock#Lock}}

status=0
run_cycles "$eject" "$close" "$warm_up" "Device D: Tray could not be closed." || status=1
run_cycles "$lock" "$unlock" "$warm_up" "Device D: could not be unlocked." || status=1
before=$(object_counts)

started=$(date +%s%N)
run_cycles "$eject" "$close" "$cycles" "Device D: Tray could not be closed." || status=1
tray_done=$(date +%s%N)
run_cycles "$lock" "$unlock" "$cycles" "Device D: could not be unlocked." || status=1
lock_done=$(date +%s%N)
after=$(object_counts)
methods=$(count_methods)

total=$((warm_up + cycles))
echo "ventrix.exe ($exe_size bytes) under $(wine --version), pid $VENTRIX_PID"
nanoseconds_per_second=1000000000
printf '%d eject/close cycles in %d s, %d lock/unlock cycles in %d s (after %d of each to warm up)\n' \
  "$cycles" $(((tray_done - started) / nanoseconds_per_second)) \
  "$cycles" $(((lock_done - tray_done) / nanoseconds_per_second)) "$warm_up"
echo "requests seen by Wine: $(device_opens) opens of \\\\.\\D:, $(ioctl_count $IOCTL_EJECT) eject," \
  "$(ioctl_count $IOCTL_LOAD) load, $(ioctl_count $IOCTL_MEDIA_REMOVAL) lock/unlock" \
  "(expected $((4 * total)), $total, $total, $((2 * total)))"
[ "$(ioctl_count $IOCTL_EJECT)" -eq "$total" ] || status=1
[ "$(ioctl_count $IOCTL_LOAD)" -eq "$total" ] || status=1
[ "$(ioctl_count $IOCTL_MEDIA_REMOVAL)" -eq $((2 * total)) ] || status=1
[ "$(device_opens)" -eq $((4 * total)) ] || status=1
counts_measured "$before" || { echo "# a count read 0: not measured"; status=1; }
compare_counts "$before" "$after" "$tolerance" || status=1
echo "measured as:"
sed 's/^/  /' <<<"$methods"
stop_ventrix
WINEDEBUG=-all wineserver -k 2>/dev/null
if [ "$status" -eq 0 ]; then
  echo "no leak: no count grew by more than $tolerance"
else
  echo "LEAK or missed request (see above)"
fi
exit "$status"
