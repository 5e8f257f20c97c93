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

# The drive in use shows in the list and a save keeps it; the list follows drives plugged in
# and out. E: is a second CD-ROM drive, defined through Wine's mount manager while the program
# runs; Wine announces no drive, so the test broadcasts what Windows does.
plugged_e="$WINEPREFIX/cdrom-e"
mkdir -p "$plugged_e"
clear_settings
store_setting settings "Visible on Start-up" 1
store_setting settings "Default CD Drive Letter" "E:"
check "E: plugged in before the start" drv_ok cdrom-plug E "$plugged_e"
start_ventrix winxp settings-drive-in-use
drv_ok pick "$MAIN" "&Settings"
check "the list shows the stored drive" drv_ok wait-text "$SETTINGS" 'E:\' 3000
drv_ok click "$SETTINGS" "&Save Settings"
check "Save Settings keeps the stored drive" drv_ok wait-text "$SETTINGS" "Settings Saved" 3000
check "the saved drive is E:" equals "$(setting_value settings 'Default CD Drive Letter')" "E:"

check "E: unplugged" drv_ok cdrom-unplug E
drv_ok volume removal E drive
check "E: left: the list shows the first drive" drv_ok wait-text "$SETTINGS" 'D:\' 3000
check "E: left: the list no longer holds it" not has_child_text "$SETTINGS" 'E:\'
check "E: left: operations still act on E: and say it could not" \
  expect_status "Device E: Tray could not be ejected." drv_ok pick "$MAIN" 'Eject Drive (E:)'
check "E: plugged in again" drv_ok cdrom-plug E "$plugged_e"
drv_ok volume arrival E drive
check "E: came back: the list shows it selected again" drv_ok wait-text "$SETTINGS" 'E:\' 3000
screenshot settings-drive-plugged-in
stop_ventrix
drv_ok cdrom-unplug E
