# The double-click road under other Windows releases.

clear_settings
store_setting settings "Visible on Start-up" 1

VENTRIX_WINEDEBUG="err-all,fixme-all,trace+mci,trace+file" start_ventrix win98 road-win98
drv_ok dblclick "$MAIN" "Ready"
sleep 2
check "win98: the command string opens the door" log_has 'set CDAudio door open'
check "win98: no status text" has_child_text "$MAIN" "Ready"
drv_ok dblclick "$MAIN" "Ready"
sleep 2
check "win98: the next double click closes it" log_has 'set CDAudio door closed'
stop_ventrix

VENTRIX_WINEDEBUG="err-all,fixme-all,trace+file" start_ventrix win2003 road-win2003
drv_ok dblclick "$MAIN" "Ready"
sleep 2
check "win2003: eject does nothing" has_child_text "$MAIN" "Ready"
check "win2003: no eject request" not log_has ',0x2d4808,'
watch_status "Device D: could not be locked."
drv_ok pick "$MAIN" 'Lock Drive (D:\)'
check "win2003: lock runs (refused by the Wine drive)" seen_status
check "win2003: the lock request was sent" log_has ',0x2d4804,'
stop_ventrix

VENTRIX_WINEDEBUG="err-all,fixme-all,trace+file" start_ventrix win10 road-win10
watch_status "Device D: Tray could not be ejected."
drv_ok dblclick "$MAIN" "Ready"
check "win10: the device path is used (refused by the Wine drive)" seen_status
check "win10: the eject request was sent" log_has ',0x2d4808,'
stop_ventrix
