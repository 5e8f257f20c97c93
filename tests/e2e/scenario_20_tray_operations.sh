# The typical road on Windows XP: a double click on the status line ejects, a second closes.
# Wine's folder-backed CD-ROM drive has no device behind it and refuses every storage request,
# so the status line reports each request as refused.

clear_settings
store_setting settings "Visible on Start-up" 1
VENTRIX_WINEDEBUG="err-all,fixme-all,trace+file" start_ventrix winxp xp-double-click
watch_status "Device D: Tray could not be ejected."
drv_ok dblclick "$MAIN" "Ready"
check "double click: status reports the refused eject" seen_status
check "double click: the device \\\\.\\D: was opened" log_has_text 'CreateFileW L"\\\\.\\D:"'
check "double click: the eject request was sent" log_has ',0x2d4808,'
check "double click: Operations offers only Close" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Close Drive (D:\);'
check "status line: Ready again within seven seconds" drv_ok wait-text "$MAIN" "Ready" 8000
watch_status "Device D: Tray could not be closed."
drv_ok dblclick "$MAIN" "Ready"
check "second double click: status reports the refused close" seen_status
check "second double click: the load request was sent" log_has ',0x2d480c,'
check "the operations write nothing to the registry" equals "$(setting_value settings "Device Status")" ""
stop_ventrix

# A drive as Windows keeps it (the counting drive): a lock is never stacked, and one Un-Lock
# leaves the lock count at 0, whichever road locked the drive.
clear_settings
forget_drive_model D
store_setting settings "Visible on Start-up" 1
check "counting drive: the program's requests reach it" start_counting winxp counting-menu
check "menu: Lock" expect_status "Device D: is locked." drv_ok pick "$MAIN" 'Lock Drive (D:\)'
check "status line: the locked drive refuses the eject" \
  expect_status "Device D: Tray could not be ejected." status_dblclick
check "status line: closes" expect_status "Device D: Tray is Closed." status_dblclick
check "menu: Lock is offered again and says locked" \
  expect_status "Device D: is locked." drv_ok pick "$MAIN" 'Lock Drive (D:\)'
check "menu: the second Lock sent no second lock" equals "$(drive_locks D)" 1
check "menu: Un-Lock" expect_status "Device D: is unlocked." drv_ok pick "$MAIN" 'Un-Lock Drive (D:\)'
check "menu and status line: count 0 after one Un-Lock" equals "$(drive_locks D)" 0

# Lock, Exit, start, Lock, Exit, start: the drive counts two locks, and one Un-Lock undoes both.
# Ventrix records the locks it placed (a log-on task's /lock each day does the same).
check "tray popup: Lock" expect_status "Device D: is locked." tray_pick "$TRAY_LOCK_UNLOCK"
tray_pick "$TRAY_EXIT"
check "tray popup: Exit ends the program" wait_ended 10
check "after the exit the drive stays locked" equals "$(drive_locks D)" 1
check "after the exit the lock is recorded" equals "$(setting_value 'Drive Locks' 'D:')" 1
start_counting winxp counting-restart
check "restart: the Operations menu offers Un-Lock for the recorded lock" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Eject Drive (D:\);Un-Lock Drive (D:\);'
check "restart: /lock" expect_status "Device D: is locked." run_ventrix_command /lock
stop_ventrix
check "second exit: the drive counts two locks" equals "$(drive_locks D)" 2
start_counting winxp counting-second-restart
check "second restart: Un-Lock" \
  expect_status "Device D: is unlocked." drv_ok pick "$MAIN" 'Un-Lock Drive (D:\)'
check "lock, exit, start, lock, exit, start: count 0 after one Un-Lock" equals "$(drive_locks D)" 0
check "... and the record says so" equals "$(setting_value 'Drive Locks' 'D:')" 0
check "... and the menu offers Lock again" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Eject Drive (D:\);Lock Drive (D:\);'

# Locked, then the process is ended hard (the lock was recorded before it was sent); the next
# run's tray popup offers Un-Lock at once.
drv_ok pick "$MAIN" 'Lock Drive (D:\)'
sleep 1
WINEDEBUG=-all wine taskkill /f /im ventrix.exe >/dev/null 2>&1
wait "$VENTRIX_PID" 2>/dev/null
check "after the crash the drive stays locked" equals "$(drive_locks D)" 1
start_counting winxp counting-crash
check "after the crash, tray popup: Un-Lock" \
  expect_status "Device D: is unlocked." tray_pick "$TRAY_LOCK_UNLOCK"
check "crash and restart: count 0 after one Un-Lock" equals "$(drive_locks D)" 0
stop_ventrix

# Two drives, each with its own record; the menus follow the drive picked in the settings
# window. E: is a second CD-ROM drive defined through Wine's mount manager.
plugged_e="$WINEPREFIX/cdrom-e"
mkdir -p "$plugged_e"
forget_drive_model E
check "two drives: E: plugged in" drv_ok cdrom-plug E "$plugged_e"
start_counting winxp counting-two-drives
check "two drives: Lock D:" expect_status "Device D: is locked." drv_ok pick "$MAIN" 'Lock Drive (D:\)'
drv_ok pick "$MAIN" "&Settings"
drv_ok wait "$SETTINGS" 3000
check "two drives: E: picked" drv_ok select "$SETTINGS" 'E:\'
check "E: picked: the Operations menu offers Lock" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Eject Drive (D:\);Lock Drive (D:\);'
check "E: picked: /unlock unlocks E:" expect_status "Device E: is unlocked." run_ventrix_command /unlock
check "... and D: stays locked" equals "$(drive_locks D)" 1
check "two drives: D: picked again" drv_ok select "$SETTINGS" 'D:\'
check "D: picked: the Operations menu offers Un-Lock" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Eject Drive (D:\);Un-Lock Drive (D:\);'
check "D: picked: Un-Lock" expect_status "Device D: is unlocked." drv_ok pick "$MAIN" 'Un-Lock Drive (D:\)'
check "two drives: D: counts 0" equals "$(drive_locks D)" 0
check "two drives: E: counts 0" equals "$(drive_locks E)" 0
stop_ventrix
drv_ok cdrom-unplug E
forget_drive_model E

# A drive without a motorised tray (a slot-loading or laptop drive) refuses the close.
clear_settings
store_setting settings "Visible on Start-up" 1
printf 'locks 0\ntray closed\nmotorised 0\n' >"$E2E_WORK/drive-D.txt"
VENTRIX_WINEDEBUG="err-all,fixme-all,trace+systray" start_counting winxp counting-disc
check "no motorised tray: ejects" expect_status "Device D: Tray is Ejected." status_dblclick
check "no motorised tray: the close is refused" \
  expect_status "Device D: Tray could not be closed." status_dblclick

# The drive's own button: a disc taken out means the tray opened, one put in that it closed.
# Wine announces neither, so the test broadcasts what Windows does.
drv_ok volume removal D disc
check "disc taken out: Operations offers Close" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Close Drive (D:\);'
drv_ok wait-text "$MAIN" "Ready" 8000
check "disc taken out: the toggle now closes" \
  expect_status "Device D: Tray could not be closed." status_dblclick
# Taken out again, then locked from the tray popup: the menu offers Close and Un-Lock.
drv_ok volume removal D disc
check "tray popup: Lock with the tray open" expect_status "Device D: is locked." tray_pick "$TRAY_LOCK_UNLOCK"
check "locked with the tray open: Operations offers Close and Un-Lock" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Close Drive (D:\);Un-Lock Drive (D:\);'
balloons=$(count_balloons)
drv_ok volume arrival D disc
check "disc put in while locked: Operations offers Eject and Un-Lock" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Eject Drive (D:\);Un-Lock Drive (D:\);'
check "disc put in: no balloon" equals "$(count_balloons)" "$balloons"
drv_ok volume removal E disc
check "another drive's disc changes nothing" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Eject Drive (D:\);Un-Lock Drive (D:\);'
# The status line turns back to "Ready" at the main window's next timer tick, which may come
# at once: the drive's record of the request shows which one the tray popup sent.
tray_pick "$TRAY_EJECT_CLOSE"
check "disc put in: the tray popup sends an eject, which the locked drive refuses" \
  equals "$(drive_last D)" eject-refused
check "disc road, tray popup: Un-Lock" \
  expect_status "Device D: is unlocked." tray_pick "$TRAY_LOCK_UNLOCK"
check "disc road: count 0 after one Un-Lock" equals "$(drive_locks D)" 0
stop_ventrix

# The tray as the drive tells it: the counting drive answers SCSI pass-through and CHECK_VERIFY2
# as its record says. A tray moved behind the program's back (its own button, another program)
# is found where it is; what the drive cannot tell, the remembered state decides.
clear_settings
forget_drive_model D
store_setting settings "Visible on Start-up" 1
VENTRIX_WINEDEBUG="err-all,fixme-all,trace+systray" start_counting winxp asking
set_drive D tells mechanism tray opened
check "mechanism status: the tray opened behind the program's back is closed" \
  expect_status "Device D: Tray is Closed." status_dblclick
check "mechanism status: the drive was asked" test "$(drive_field D asked)" -ge 1
set_drive D tray opened
tray_pick "$TRAY_EJECT_CLOSE"
check "tray popup: closes the tray the drive reports open" equals "$(drive_last D)" close-taken
set_drive D tells sense tray opened disc 0
run_ventrix_command /toggle
check "sense: /toggle closes the tray the drive reports open (exit 0)" \
  equals "$?:$(drive_last D)" 0:close-taken
drv_ok pick "$MAIN" 'Eject Drive (D:\)'
set_drive D tells readiness tray closed disc 1
check "readiness: a tray pushed in with a disc is ejected, not closed" \
  expect_status "Device D: Tray is Ejected." status_dblclick
set_drive D tells none tray closed
check "the drive cannot tell: the remembered state closes" \
  expect_status "Device D: Tray is Closed." status_dblclick
set_drive D tells mechanism tray opened rw-open 0
check "the read-write open refused: the remembered state ejects" \
  expect_status "Device D: Tray is Ejected." status_dblclick
check "the read-write open refused: the drive's record shows the eject" \
  equals "$(drive_last D)" eject-taken
set_drive D tells none tray closed rw-open 1
drv_ok pick "$MAIN" 'Close Drive (D:\)'

# The drive's own button while locked: the system tells the window registered for the drive's
# events, and the balloon says why the tray stays shut.
check "not locked: no window is registered for the drive's events" \
  equals "$(drive_field D watched)" 0
drv_ok pick "$MAIN" 'Lock Drive (D:\)'
check "locked: the main window is registered for the drive's events" \
  equals "$(drive_field D watched)" 1
drv_ok wait-text "$MAIN" "Ready" 8000
balloons=$(count_balloons)
check "the drive's button while locked: the status line says the drive is locked" \
  expect_status "Device D: is locked." drv_ok device-event "$MAIN" eject-request
check "the drive's button while locked: a balloon says it" \
  equals "$(count_balloons)" "$((balloons + 1))"
sleep 3
screenshot locked-drive-button-balloon
drv_ok device-event "$MAIN" media-removal
check "a disc taken out (the drive's event): Operations offers Close and Un-Lock" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Close Drive (D:\);Un-Lock Drive (D:\);'
drv_ok device-event "$MAIN" media-arrival
check "a disc put in (the drive's event): Operations offers Eject and Un-Lock" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Eject Drive (D:\);Un-Lock Drive (D:\);'
drv_ok device-event "$MAIN" query-remove
check "the drive about to be removed: the registration is dropped" \
  equals "$(drive_field D watched)" 0
run_ventrix_command /lock
check "/lock while locked: registered again" equals "$(drive_field D watched)" 1
check "Un-Lock" expect_status "Device D: is unlocked." drv_ok pick "$MAIN" 'Un-Lock Drive (D:\)'
check "unlocked: the registration is dropped" equals "$(drive_field D watched)" 0
check "unlocked: no window hears the drive's button" not drv_ok device-event "$MAIN" eject-request
check "locked again from the tray popup" \
  expect_status "Device D: is locked." tray_pick "$TRAY_LOCK_UNLOCK"
tray_pick "$TRAY_EXIT"
check "Exit ends the program" wait_ended 10
check "at exit the registration is gone" equals "$(drive_field D watched)" 0
forget_drive_model D
