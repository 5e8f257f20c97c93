# The tray icon as a user drives it: real mouse clicks on the icon, the keyboard in its menu.
# Wine's folder-backed CD-ROM drive refuses every storage request: the statuses say so.

clear_settings
VENTRIX_WINEDEBUG="err-all,fixme-all,trace+file" start_ventrix winxp tray-icon
sleep 3
tray_click 1
sleep 3
screenshot tray-balloon-before-any-operation

watch_status "Device D: Tray could not be ejected."
tray_pick "$TRAY_EJECT_CLOSE"
check "tray Eject / Close: reports the refused eject" seen_status
check "tray Eject / Close: the eject request was sent" log_has ',0x2d4808,'
sleep 3
screenshot tray-balloon-eject
check "tray Eject / Close: a balloon shows" region_has_picture tray-balloon-eject "$BALLOON_REGION" 4
watch_status "Device D: Tray could not be closed."
tray_pick "$TRAY_EJECT_CLOSE"
check "tray Eject / Close again: reports the refused close" seen_status
check "tray Eject / Close again: the load request was sent" log_has ',0x2d480c,'
watch_status "Device D: could not be locked."
tray_pick "$TRAY_LOCK_UNLOCK"
check "tray Lock / Unlock: reports the refused lock" seen_status
watch_status "Device D: could not be unlocked."
tray_pick "$TRAY_LOCK_UNLOCK"
check "tray Lock / Unlock again: reports the refused unlock" seen_status
check "the main window is still hidden" is_hidden "$MAIN"

tray_open_menu
screenshot tray-popup-menu
xdotool mousemove 100 100 click 1
sleep 1
check "a dismissed tray menu opens nothing" equals "$(count_windows "$SETTINGS")$(count_windows "About Ventrix 3")" "00"
# Wine's shell sends WM_CONTEXTMENU after the right button's release to an icon of version 4:
# only one of the two opens the menu, so none is left open once the first is dismissed.
check "a right click opens the tray menu once" equals "$(count_open_menus)" "0"

tray_pick "$TRAY_SETTINGS"
check "tray Settings shows the settings window" drv_ok wait "$SETTINGS" 3000
drv_ok click "$SETTINGS" "&Close"
check "settings Close hides it" drv_ok wait-hidden "$SETTINGS" 3000

tray_pick "$TRAY_ABOUT"
check "tray About shows the About box" drv_ok wait "About Ventrix 3" 3000
screenshot about-box
drv_ok click "About Ventrix 3" "OK"
check "About OK closes it" drv_ok wait-hidden "About Ventrix 3" 3000

# The keyboard on the icon, posted as Windows' shell posts it to an icon of version 4 (Wine's
# shell sends no keyboard notifications). Enter, sent twice for one press, runs the double click;
# the Apps key opens the menu at the icon's corner, not at the mouse pointer.
drv_ok tray-notify keyselect 782 582
drv_ok tray-notify keyselect 782 582
check "Enter on the icon brings the hidden main window back" drv_ok wait "$MAIN" 3000
drv_ok pick "$MAIN" "&Close"
drv_ok wait-hidden "$MAIN" 3000
drv_ok tray-notify contextmenu 300 200
sleep 1
screenshot tray-menu-from-keyboard
check "the Apps key opens the tray menu" equals "$(count_open_menus)" "1"
check "... where the shell says, not at the mouse pointer" \
  region_has_picture tray-menu-from-keyboard 100x60+300+200 4
xdotool mousemove 100 100 click 1
sleep 1

tray_double_click
check "double click on the icon brings the hidden main window back" drv_ok wait "$MAIN" 3000

tray_click 1
sleep 3
screenshot tray-balloon-repeated
check "left click repeats the last balloon" region_has_picture tray-balloon-repeated "$BALLOON_REGION" 4

tray_pick "$TRAY_OPEN"
check "Open Ventrix keeps the main window shown" is_visible "$MAIN"

tray_pick "$TRAY_EXIT"
check "tray Exit ends the program at once (Minimise to Tray on Exit ticked)" wait_ended 5
stop_ventrix
