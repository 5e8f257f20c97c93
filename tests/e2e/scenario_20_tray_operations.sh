# The typical road on Windows XP: a double click on the status line ejects, a second closes.
# Wine's folder-backed CD-ROM drive has no device behind it and refuses every storage request,
# so the status line reports each request as refused.

clear_settings
store_setting settings "Visible on Start-up" 1
VENTRIX_WINEDEBUG="err-all,fixme-all,trace+file" start_ventrix winxp xp-double-click
watch_status "Device D: Tray could not be ejected."
drv_ok dblclick "$MAIN" "Ready"
check "double click: status reports the refused eject" seen_status
check "double click: the device \\\\.\\D: was opened" log_has_text 'CreateFileW L"\\\\.\\D:"'
check "double click: the eject request was sent" log_has ',0x2d4808,'
check "double click: Operations offers only Close" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Close Drive (D:\);'
check "status line: Ready again within seven seconds" drv_ok wait-text "$MAIN" "Ready" 8000
watch_status "Device D: Tray could not be closed."
drv_ok dblclick "$MAIN" "Ready"
check "second double click: status reports the refused close" seen_status
check "second double click: the load request was sent" log_has ',0x2d480c,'
check "the operations write nothing to the registry" equals "$(setting_value settings "Device Status")" ""
stop_ventrix
