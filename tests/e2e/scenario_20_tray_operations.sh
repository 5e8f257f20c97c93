# The typical road on Windows XP: a double click on the status line ejects, a second closes.

clear_settings
store_setting settings "Visible on Start-up" 1
VENTRIX_WINEDEBUG="err-all,fixme-all,trace+file" start_ventrix winxp xp-double-click
watch_status "Device D: Tray is Ejected."
drv_ok dblclick "$MAIN" "Ready"
check "double click: status reads the eject" seen_status
check "double click: the device \\\\.\\D: was opened" log_has_text 'CreateFileW L"\\\\.\\D:"'
check "double click: the eject request was sent" log_has ',0x2d4808,'
check "double click: Operations offers only Close" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Close Drive (D:\);'
check "status line: Ready again within seven seconds" drv_ok wait-text "$MAIN" "Ready" 8000
watch_status "Device D: Tray is Closed."
drv_ok dblclick "$MAIN" "Ready"
check "second double click: status reads the close" seen_status
check "second double click: the load request was sent" log_has ',0x2d480c,'
check "the operations write nothing to the registry" equals "$(setting_value settings "Device Status")" ""
stop_ventrix
