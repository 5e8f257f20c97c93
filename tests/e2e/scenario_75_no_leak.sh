# No leak: eject/close and lock/unlock cycles picked from the Operations menu leave the
# program's kernel handle, GDI and USER object counts where they were (bench/leak.sh does the
# same with 1,000 cycles of each).

source "$(dirname "${BASH_SOURCE[0]}")/leak_cycles.sh"
LEAK_CYCLES=50
LEAK_WARM_UP=3
# A leak on any one of the four operations grows a count by at least LEAK_CYCLES; the slack
# absorbs an object that Wine creates once, the first time a path runs after the warm-up.
LEAK_TOLERANCE=2

clear_settings
store_setting settings "Visible on Start-up" 1
VENTRIX_WINEDEBUG=$LEAK_WINEDEBUG start_ventrix winxp no-leak
leak_eject=$(operations_item Eject)
leak_lock=$(operations_item Lock)
leak_close="Close${leak_eject#Eject}"
leak_unlock="Un-Lock${leak_lock#Lock}"
run_cycles "$leak_eject" "$leak_close" "$LEAK_WARM_UP" "Device D: Tray could not be closed."
run_cycles "$leak_lock" "$leak_unlock" "$LEAK_WARM_UP" "Device D: could not be unlocked."
leak_before=$(object_counts)
check "no leak: $LEAK_CYCLES eject/close cycles from the Operations menu" \
  run_cycles "$leak_eject" "$leak_close" "$LEAK_CYCLES" "Device D: Tray could not be closed."
check "no leak: $LEAK_CYCLES lock/unlock cycles from the Operations menu" \
  run_cycles "$leak_lock" "$leak_unlock" "$LEAK_CYCLES" "Device D: could not be unlocked."
leak_after=$(object_counts)
leak_total=$((LEAK_WARM_UP + LEAK_CYCLES))
check "no leak: every eject and load request reached \\\\.\\D:" \
  equals "$(ioctl_count $IOCTL_EJECT),$(ioctl_count $IOCTL_LOAD)" "$leak_total,$leak_total"
check "no leak: every lock and unlock request reached \\\\.\\D:" \
  equals "$(ioctl_count $IOCTL_MEDIA_REMOVAL)" "$((2 * leak_total))"
check "no leak: handle, GDI and USER objects counted" counts_measured "$leak_before"
leak_table=$(compare_counts "$leak_before" "$leak_after" "$LEAK_TOLERANCE")
leak_grew=$?
sed 's/^/# /' <<<"$leak_table"
check "no leak: no count grew by more than $LEAK_TOLERANCE" equals "$leak_grew" 0
stop_ventrix
