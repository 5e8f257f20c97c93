# The README's screenshots of a drive's answer show what a real drive answers. Wine's
# folder-backed drive refuses every storage request (the scenarios above check those answers),
# so here the hook makes the program's DeviceIoControl answer success, as a drive that accepts
# would; these screenshots are taken for the README only and check nothing about the drive.

clear_settings
start_ventrix winxp readme-screenshots
# The popup menu before any balloon covers it.
tray_open_menu
screenshot readme-tray-popup-menu
xdotool mousemove 100 100 click 1
sleep 1
check "readme screenshots: the program's device requests answer success" \
  drv_ok drive-accepts "$MAIN"
watch_status "Device D: Tray is Ejected."
tray_pick "$TRAY_EJECT_CLOSE"
check "readme screenshots: an accepted eject reads as a real drive's" seen_status
sleep 3
screenshot readme-tray-balloon-eject
watch_status "Device D: Tray is Closed."
tray_pick "$TRAY_EJECT_CLOSE"
seen_status
watch_status "Device D: is locked."
tray_pick "$TRAY_LOCK_UNLOCK"
seen_status
watch_status "Device D: is unlocked."
tray_pick "$TRAY_LOCK_UNLOCK"
check "readme screenshots: an accepted unlock reads as a real drive's" seen_status
tray_pick "$TRAY_ABOUT"
drv_ok wait "About Ventrix 3" 3000
screenshot readme-about-box
drv_ok click "About Ventrix 3" "OK"
stop_ventrix
