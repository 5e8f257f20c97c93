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

# Waits up to 10 s for the shell to hold the program's icon.
tray_comes_back() {
  for _ in $(seq 1 20); do
    drv_ok tray-present && return 0
    sleep 0.5
  done
  return 1
}

# The shell lost the icon without a broadcast: the next change (a command's balloon) adds it back.
drv_ok tray-remove
run_ventrix_command /eject
check "a lost icon: the next balloon puts it back" drv_ok tray-present

# A notification area that refuses the first adds after its restart, as at log-on: the icon
# comes once it takes them, with no further broadcast.
drv_ok tray-remove
check "refusing shell: the hook refuses the next three requests" drv_ok refuse-tray "$MAIN" 3
drv_ok taskbar-created
sleep 1
check "refusing shell: no icon while the shell refuses" not drv_ok tray-present
check "refusing shell: the icon comes once the shell takes it" tray_comes_back

# A shut-down that another program cancels: every window agreed, nothing ended, the icon stays.
check "cancelled session end: every window agrees to end" drv_ok session-end-cancelled
sleep 1
check "cancelled session end: Ventrix still runs" ventrix_running
check "cancelled session end: the icon stays" drv_ok tray-present

tray_pick "$TRAY_EXIT"
check "explorer restart: the icon's menu still ends the program" wait_ended 5
stop_ventrix

# Restart Manager closes Ventrix for an update (ENDSESSION_CLOSEAPP; Wine has no Restart
# Manager, so the driver sends what it would): the icon is gone by the time WM_ENDSESSION
# returns, and the program ends.
clear_settings
start_ventrix winxp close-app
check "Restart Manager's close: the icon goes with WM_ENDSESSION" drv_ok session-end-close-app
check "Restart Manager's close: Ventrix ends" wait_ended 5
stop_ventrix

# The session ends for real.
VENTRIX_WINEDEBUG="err-all,fixme-all,trace+systray" start_ventrix winxp end-session
WINEDEBUG=-all wine wineboot --end-session >/dev/null 2>&1
check "session end: Ventrix ends" wait_ended 10
check "session end: its icon was removed" log_has 'Shell_NotifyIconW dwMessage = 2,'
stop_ventrix
