# The settings window saves what the user chose.

clear_settings
store_setting settings "Visible on Start-up" 1
start_ventrix winxp settings
drv_ok pick "$MAIN" "&Settings"
check "Options > Settings shows the settings window" drv_ok wait "$SETTINGS" 3000
screenshot settings-window
drv_ok click "$SETTINGS" "&Save Settings"
check "Save Settings reports it" drv_ok wait-text "$SETTINGS" "Settings Saved" 3000
check "saved drive D: without backslash" equals "$(setting_value settings 'Default CD Drive Letter')" "D:"
check "saved Always On Top 0" equals "$(setting_value settings 'Always On Top')" "0"
check "saved Banner Enabled 0" equals "$(setting_value settings 'Banner Enabled')" "0"
check "saved Visible on Start-up 1" equals "$(setting_value settings 'Visible on Start-up')" "1"
check "saved Device Status closed" equals "$(setting_value settings 'Device Status')" "closed"
check "saved Lock Status 0" equals "$(setting_value settings 'Lock Status')" "0"
check "saved Send to Tray 1" equals "$(setting_value settings 'Send to Tray')" "1"
check "saved the web update address under Web Update" \
  equals "$(setting_value 'Web Update' 'Web Update URL')" "https://www.tarrowby.com/download/ventrix/ventrix3.txt"
# Esc is the close box: the window hides and the program runs on.
drv_ok escape "$SETTINGS"
check "Esc hides the settings window" drv_ok wait-hidden "$SETTINGS" 3000
check "... and the program runs on" ventrix_running
stop_ventrix
