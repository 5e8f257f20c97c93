# Start-up: first run, splash and main window, the platform line of each release.

clear_settings
start_ventrix winxp first-run
sleep 3
check "first run: the main window stays hidden" is_hidden "$MAIN"
check "first run: no splash screen" is_hidden "$SPLASH"
check "first run: nothing is written to the registry" not settings_exist
screenshot first-run-tray-only
check "first run: only the tray icon shows" region_has_picture first-run-tray-only "$TRAY_ICON_REGION" 1
stop_ventrix

clear_settings
store_setting settings "Banner Enabled" 1
store_setting settings "Visible on Start-up" 1
start_ventrix winxp splash
check "splash: shown" is_visible "$SPLASH"
check "splash: on top of all windows" is_topmost "$SPLASH"
screenshot splash
check "splash: hides itself within about two seconds" drv_ok wait-hidden "$SPLASH" 3500
check "main window: shown" is_visible "$MAIN"
check "main window: status Ready" has_child_text "$MAIN" "Ready"
check "Operations offers eject and lock of D:\\ only" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Eject Drive (D:\);Lock Drive (D:\);'
check "File item reads &Close" equals "$(menu_items "$MAIN" "&File" | tr '\n' ';')" '&Close;'
drv_ok open-menu "$MAIN" o
sleep 1
screenshot main-window-operations-menu
xdotool mousemove 100 100 click 1
stop_ventrix

for pair in "win98|Windows 98" "winxp|OS - Windows XP" "nt40|OS - Windows"; do
  release=${pair%%|*}
  text=${pair#*|}
  clear_settings
  # The splash alone on screen, for the record.
  [ "$release" = winxp ] && store_setting settings "Banner Enabled" 1
  start_ventrix "$release" "platform-$release"
  [ "$release" = winxp ] && screenshot splash-alone
  check "splash platform line on $release: $text" has_child_text "$SPLASH" "$text"
  stop_ventrix
done
