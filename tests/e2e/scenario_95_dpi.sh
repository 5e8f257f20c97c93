# High DPI: the program at 144 and 192 dpi (Wine's LogPixels), its main window with the menu
# bar, the settings window and the tray popup menu, for the screenshots. Each Wine process reads
# the DPI when it starts (a new one sees a new LogPixels without a wineserver restart), the
# desktop's explorer.exe, which draws the task bar, included: so every process of the prefix
# is ended first. Last of the scenarios: it puts 96 dpi back at the end.

set_dpi() {
  e2e_reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f
  WINEDEBUG=-all wineserver -k 2>/dev/null
  WINEDEBUG=-all wineserver -w 2>/dev/null
  WINEDEBUG=-all wineserver -p120 </dev/null >/dev/null 2>&1
  drv_ok windows  # the desktop comes up at the new DPI
}

for dpi in 144 192; do
  set_dpi "$dpi"
  clear_settings
  store_setting settings "Visible on Start-up" 1
  start_ventrix winxp "dpi-$dpi"
  sleep 2
  check "$dpi dpi: the main window shows" is_visible "$MAIN"
  screenshot "main-window-${dpi}dpi"
  drv_ok pick "$MAIN" "&Settings"
  check "$dpi dpi: the settings window shows" drv_ok wait "$SETTINGS" 3000
  sleep 1
  screenshot "settings-window-${dpi}dpi"
  drv_ok click "$SETTINGS" "&Close"
  drv_ok close "$SETTINGS"
  sleep 1
  tray_open_menu
  screenshot "tray-menu-${dpi}dpi"
  xdotool key Escape
  xdotool mousemove 400 300 click 1
  sleep 1
  stop_ventrix
done
set_dpi 96
