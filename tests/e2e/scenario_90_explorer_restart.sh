# Explorer restart: the notification area comes back empty and broadcasts "TaskbarCreated"; the
# program must put its icon back, with its popup menu working.
#
# Under Wine the notification area belongs to the explorer.exe that owns the desktop window
# itself: ending it destroys every window of the desktop, the program's tray owner window
# included, and a new explorer.exe starts a bare desktop that no window of the program is on.
# So the restart is staged as it reaches the program: the shell forgets the icon (a NIM_DELETE
# for the program's owner window and icon id) and then "TaskbarCreated" is broadcast.

# Where a second icon would show, left of the program's.
TRAY_SECOND_ICON_REGION=16x16+762+582

clear_settings
start_ventrix winxp explorer-restart
sleep 3
check "explorer restart: the icon is in the notification area at first" drv_ok tray-present

drv_ok tray-remove
sleep 1
screenshot explorer-restart-icon-gone
check "explorer restart: the restarted shell holds no icon" not drv_ok tray-present
check "explorer restart: no icon shows" \
  not region_has_picture explorer-restart-icon-gone "$TRAY_ICON_REGION" 1

drv_ok taskbar-created
sleep 2
screenshot explorer-restart-icon-back
check "explorer restart: after TaskbarCreated the icon is back" drv_ok tray-present
check "explorer restart: the icon shows again" \
  region_has_picture explorer-restart-icon-back "$TRAY_ICON_REGION" 1

tray_pick "$TRAY_ABOUT"
check "explorer restart: the icon's menu opens the About box" drv_ok wait "About Ventrix 3" 3000
drv_ok click "About Ventrix 3" "OK"
check "explorer restart: About OK closes it" drv_ok wait-hidden "About Ventrix 3" 3000

# A broadcast while the icon is still there (another program's doing) adds no second one.
drv_ok taskbar-created
sleep 2
screenshot explorer-restart-broadcast-again
check "explorer restart: a second broadcast keeps one icon" \
  not region_has_picture explorer-restart-broadcast-again "$TRAY_SECOND_ICON_REGION" 1
check "explorer restart: the icon is still there" drv_ok tray-present

tray_pick "$TRAY_EXIT"
check "explorer restart: the icon's menu still ends the program" wait_ended 5
stop_ventrix
