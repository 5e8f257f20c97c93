# The File item by "Minimise to Tray on Exit", and one window per Help item.

clear_settings
store_setting settings "Visible on Start-up" 1
store_setting settings "Send to Tray" 1
start_ventrix winxp file-close
drv_ok pick "$MAIN" "&Close"
check "File &Close (box ticked) hides the main window" drv_ok wait-hidden "$MAIN" 3000
sleep 1
check "File &Close (box ticked) keeps the program running" ventrix_running
stop_ventrix

store_setting settings "Send to Tray" 0
start_ventrix winxp file-exit
check "File item reads E&xit with the box unticked" \
  equals "$(menu_items "$MAIN" "&File" | tr '\n' ';')" 'E&xit;'
drv_ok pick "$MAIN" "E&xit"
check "File E&xit (box unticked) ends the program" wait_ended 5
stop_ventrix

store_setting settings "Send to Tray" 1
start_ventrix winxp help-windows
drv_ok pick "$MAIN" "Check for Update"
drv_ok wait "Web Update" 3000
drv_ok pick "$MAIN" "Check for Update"
sleep 1
check "Check for Update twice gives one window" equals "$(count_windows "Web Update")" "1"
screenshot web-update-window
drv_ok pick "$MAIN" "&About"
drv_ok wait "About Ventrix 3" 3000
drv_ok pick "$MAIN" "&About"
sleep 1
check "About twice gives one window" equals "$(count_windows "About Ventrix 3")" "1"
stop_ventrix
