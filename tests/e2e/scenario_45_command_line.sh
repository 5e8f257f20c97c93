# One instance per user and session, and the tray operations from the command line.
# Wine's folder-backed CD-ROM drive refuses storage requests, so a command there exits 1.

clear_settings
VENTRIX_WINEDEBUG="err-all,fixme-all,trace+file,trace+systray" start_ventrix winxp instance
sleep 2
check "before a second start: the main window is hidden" is_hidden "$MAIN"
run_ventrix_command
check "a second start exits 0" equals "$?" 0
check "a second start brings the running instance's main window back" drv_ok wait "$MAIN" 3000
check "a second start adds no second icon" equals "$(count_tray_icons)" 1
instance_named_by_sid() { drv windows | grep -q '^WINDOW|Ventrix3Instance|Ventrix3-S-1-5-'; }
check "the instance is named after the user's SID" instance_named_by_sid
screenshot second-start

balloons=$(count_balloons)
tray_double_click
sleep 2
check "a double click on the icon repeats no balloon" equals "$(count_balloons)" "$balloons"
tray_click 1
sleep 2
check "a single left click repeats the balloon once" equals "$(count_balloons)" "$((balloons + 1))"

balloons=$(count_balloons)
watch_status "Device D: Tray could not be ejected."
run_ventrix_command /eject
code=$?
check "/eject: the running instance's status line reads the eject" seen_status
check "/eject: exits 1, the drive refused" equals "$code" 1
check "/eject: a balloon reports it" equals "$(count_balloons)" "$((balloons + 1))"
sleep 3
screenshot command-eject-balloon
check "/eject: the eject request was sent" log_has ',0x2d4808,'
check "/eject: still one icon" equals "$(count_tray_icons)" 1

watch_status "Device D: Tray could not be closed."
run_ventrix_command -TOGGLE
check "/toggle after the eject: closes" seen_status
watch_status "Device D: Tray could not be ejected."
run_ventrix_command /toggle
check "/toggle again: ejects" seen_status

requests=$(grep -c ',0x2d48' "$VENTRIX_LOG")
run_ventrix_command /bogus &
command_pid=$!
check "/bogus: the usage box shows" drv_ok wait "Ventrix3" 5000
check "/bogus: the box lists the five commands, one a line" has_child_text "Ventrix3" \
  "$(printf '/eject\tejects the tray\n/close\tcloses the tray\n/toggle\tejects or closes the tray\n/lock\tlocks the drive\n/unlock\tunlocks the drive')"
screenshot usage-box
drv_ok click "Ventrix3" "OK"
wait "$command_pid"
check "/bogus: exits 2" equals "$?" 2
check "/bogus: nothing was sent to the drive" equals "$(grep -c ',0x2d48' "$VENTRIX_LOG")" "$requests"
stop_ventrix

# No instance runs: the command starts one, which stays.
clear_settings
e2e_reg add 'HKCU\Software\Wine\AppDefaults\ventrix.exe' /v Version /d winxp /f
run_ventrix_command /lock
code=$?
check "/lock without an instance: exits 1 with the lock's answer" equals "$code" 1
check "/lock without an instance: Ventrix started and keeps running" drv_ok wait-text "$MAIN" "Device D: could not be locked." 7000
check "/lock without an instance: one icon" equals "$(count_tray_icons)" 1
check "the commands write nothing to the registry" not settings_exist
stop_started_instance

# A crashed instance leaves its mutex abandoned: the next start runs all the same.
start_ventrix winxp crashed
WINEDEBUG=-all wine taskkill /f /im ventrix.exe >/dev/null 2>&1
wait "$VENTRIX_PID" 2>/dev/null
started_at=$SECONDS
check "a start after a crashed instance runs" start_ventrix winxp after-crash
# Without waiting for the crashed one's window, which never comes (that wait is 10 s).
check "a start after a crashed instance does not wait for it" test $((SECONDS - started_at)) -lt 8
check "a start after a crashed instance: one icon" equals "$(count_tray_icons)" 1
stop_ventrix

# The Windows 98 road: the multimedia command's answer is not read.
clear_settings
start_ventrix win98 instance-win98
run_ventrix_command /eject
check "/eject on Windows 98: exits 0" equals "$?" 0
stop_ventrix

# The command line on a drive as Windows keeps it (the counting drive): /lock twice, then one
# /unlock, leaves it unlocked.
clear_settings
forget_drive_model D
check "command line: the running instance's requests reach the counting drive" \
  start_counting winxp command-counting
run_ventrix_command /lock
check "/lock on the counting drive: exits 0" equals "$?" 0
run_ventrix_command /lock
check "/lock again: exits 0" equals "$?" 0
check "/lock twice: the drive holds one lock" equals "$(drive_locks D)" 1
run_ventrix_command /unlock
check "/unlock: exits 0" equals "$?" 0
check "/lock twice, then /unlock: count 0" equals "$(drive_locks D)" 0
stop_ventrix
forget_drive_model D
