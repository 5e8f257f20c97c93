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
check "/bogus: the box lists the five commands, one a line, and the drive form" has_child_text "Ventrix3" \
  "$(printf '/eject\tejects the tray\n/close\tcloses the tray\n/toggle\tejects or closes the tray\n/lock\tlocks the drive\n/unlock\tunlocks the drive\n/eject E:\tany of these on drive E: instead of the selected one')"
screenshot usage-box
drv_ok click "Ventrix3" "OK"
wait "$command_pid"
check "/bogus: exits 2" equals "$?" 2
check "/bogus: nothing was sent to the drive" equals "$(grep -c ',0x2d48' "$VENTRIX_LOG")" "$requests"

# Started again by Windows (after an update, at sign-in) while Ventrix runs, started from the
# Startup folder: the restarted one ends at once and shows nothing. Its main window is hidden.
drv_ok pick "$MAIN" "&Close"
drv_ok wait-hidden "$MAIN" 3000
started_at=$SECONDS
run_ventrix_command /restarted
code=$?
check "/restarted while Ventrix runs: exits 0 at once" equals "$code:$((SECONDS - started_at < 5))" "0:1"
check "/restarted while Ventrix runs: the main window stays hidden" is_hidden "$MAIN"
check "/restarted while Ventrix runs: no usage box" equals "$(count_windows Ventrix3)" 0
check "/restarted while Ventrix runs: still one icon" equals "$(count_tray_icons)" 1
stop_ventrix

# A busy instance, its main window hidden: About's "System Info" box (no system information tool
# here) held open across a second start and across commands.
clear_settings
VENTRIX_WINEDEBUG="err-all,fixme-all,trace+file,fixme+msg,fixme+process" start_ventrix winxp busy
drv_ok pick "$MAIN" "&About"
drv_ok wait "About Ventrix 3" 3000
drv_ok click "About Ventrix 3" "&System Info..."
check "busy instance: its message box is up" drv_ok wait "Ventrix3" 3000
started_at=$SECONDS
run_ventrix_command
code=$?
check "busy instance: a second start exits 0 at once" equals "$code:$((SECONDS - started_at < 5))" "0:1"
check "busy instance: no second instance" equals "$(count_tray_icons)" 1
check "busy instance: the main window waits for the box" is_hidden "$MAIN"
locks=$(grep -c ',0x2d4804,' "$VENTRIX_LOG")
run_ventrix_command /lock
check "busy instance: /lock exits 3 while the box stays open" equals "$?" 3
run_ventrix_command /eject &
command_pid=$!
sleep 2
drv_ok click "Ventrix3" "OK"
wait "$command_pid"
check "busy instance: /eject given while the box was open runs when it closes" equals "$?" 1
check "busy instance: the main window comes back when the box closes" drv_ok wait "$MAIN" 3000
sleep 2
check "busy instance: the withdrawn /lock never runs" equals "$(grep -c ',0x2d4804,' "$VENTRIX_LOG")" "$locks"
check "busy instance: still one instance" equals "$(count_tray_icons)" 1
drv_ok click "About Ventrix 3" "OK"

# Elevation and restarts cannot be staged under Wine: the calls are in the log (fixme+msg,
# fixme+process), with their arguments.
# The messages let through, in hex: WM_COPYDATA (4a), the instance's "show" (WM_APP + 3) and the
# registered "TaskbarCreated" (c000 to ffff), and no other.
filtered_messages() {
  sed -n 's/.*ChangeWindowMessageFilterEx [0-9A-Fa-f]* \([0-9a-f]*\) 1 .*/\1/p' "$VENTRIX_LOG" |
    sort | tr '\n' ' '
}
check "privilege isolation lets through exactly the commands, show and TaskbarCreated" \
  grep -qE '^4a 8003 [c-f][0-9a-f]{3} $' <<<"$(filtered_messages)"
check "the instance registers its restart after an update, marked /restarted, not after a crash, hang or reboot" \
  log_has 'RegisterApplicationRestart.*(L"/restarted",11)'

stop_ventrix

# No instance runs: the command starts one, which stays.
clear_settings
e2e_reg add 'HKCU\Software\Wine\AppDefaults\ventrix.exe' /v Version /d winxp /f
run_ventrix_command /lock
code=$?
check "/lock without an instance: exits 1 with the lock's answer" equals "$code" 1
check "/lock without an instance: Ventrix started and keeps running" drv_ok wait-text "$MAIN" "Device D: could not be locked." 7000
check "/lock without an instance: one icon" equals "$(count_tray_icons)" 1
check "the commands write no setting (only the record of Ventrix's locks)" \
  not e2e_reg query "$SETTINGS_KEY\\settings"
stop_started_instance

# A command given in another folder (a script's, a USB stick's): the instance it starts runs in
# its own folder, so that folder can be removed while it runs.
script_folder="$E2E_WORK/script-folder"
mkdir -p "$script_folder"
(cd "$script_folder" && WINEDEBUG=-all exec wine ../ventrix.exe /lock >>"$E2E_OUT/commands.log" 2>&1 </dev/null)
check "/lock from another folder: Ventrix started" drv_ok wait-text "$MAIN" "Device D: could not be locked." 7000
(cd "$E2E_WORK" && WINEDEBUG=-all wine cmd /c rd script-folder >/dev/null 2>&1)
check "the command's folder can be removed while the instance it started runs" not test -d "$script_folder"
check "... and that instance still runs" equals "$(count_tray_icons)" 1
stop_started_instance
rm -rf "$script_folder"

# Two commands at once with none running: one instance starts, and it answers both.
clear_settings
run_ventrix_command /lock &
first_pid=$!
run_ventrix_command /unlock &
second_pid=$!
wait "$first_pid"
first=$?
wait "$second_pid"
check "two commands at once without an instance: both answered" equals "$first$?" 11
check "two commands at once without an instance: one instance" equals "$(count_tray_icons)" 1
check "two commands at once without an instance: it stays hidden" is_hidden "$MAIN"
stop_started_instance

# Two starts at the same instant: one instance, whose window the other brings back.
clear_settings
run_ventrix_command &
first_pid=$!
run_ventrix_command &
second_pid=$!
check "two starts at once: the main window comes" drv_ok wait "$MAIN" 10000
check "two starts at once: one instance" equals "$(count_tray_icons)" 1
stop_started_instance
wait "$first_pid" "$second_pid"

# A folder whose name is outside the ANSI code page: the command still starts Ventrix.
unicode_folder="$E2E_WORK/Łukasz"
mkdir -p "$unicode_folder"
cp "$E2E_WORK/ventrix.exe" "$unicode_folder/"
(cd "$unicode_folder" && WINEDEBUG=-all exec wine ventrix.exe /lock >>"$E2E_OUT/commands.log" 2>&1 </dev/null)
check "/lock from a Unicode folder: exits 1 with the lock's answer" equals "$?" 1
check "/lock from a Unicode folder: Ventrix started" equals "$(count_tray_icons)" 1
stop_started_instance
rm -rf "$unicode_folder"

# An instance window that refuses the command: exit 4 at once, not 3 after the wait.
start_ventrix winxp refusing
instance_title=$(drv windows | awk -F'|' '/^WINDOW\|Ventrix3Instance\|/ { print $3; exit }')
stop_ventrix
drv_ok refusing-instance "$instance_title" 8000 &
refusing_pid=$!
sleep 2
started_at=$SECONDS
run_ventrix_command /eject
code=$?
check "a refusing instance window: /eject exits 4 at once" equals "$code:$((SECONDS - started_at < 5))" "4:1"
wait "$refusing_pid"

# An instance running elevated (User Account Control), still starting: its mutex exists but a
# normal start may not open it (CreateMutexA is refused, access denied), and its window comes
# 4 s later. A start waits for that window and hands "show" over; it never runs as a second.
drv elevated-instance "$instance_title" 4000 9000 >"$E2E_OUT/elevated-instance.txt" &
elevated_pid=$!
sleep 1
run_ventrix_command &
start_pid=$!
for _ in $(seq 1 80); do kill -0 "$start_pid" 2>/dev/null || break; sleep 0.1; done
check "an elevated instance still starting: no second instance while it starts" \
  equals "$(count_tray_icons)" 0
# A start that ran as a second instance would not end by itself.
kill -0 "$start_pid" 2>/dev/null && stop_started_instance
wait "$start_pid"
check "an elevated instance still starting: a start exits 0 once its window is up" equals "$?" 0
wait "$elevated_pid"
check "an elevated instance still starting: its window gets the start's request" \
  grep -qx 'REQUESTS|1' "$E2E_OUT/elevated-instance.txt"

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
# /lock, exit, start, /lock, exit, start, /unlock: each run's lock is recorded and undone.
run_ventrix_command /lock
stop_ventrix
start_counting winxp command-counting-restart
run_ventrix_command /lock
stop_ventrix
check "/lock in two runs: the drive counts two locks" equals "$(drive_locks D)" 2
start_counting winxp command-counting-second-restart
run_ventrix_command /unlock
check "/unlock in the third run: exits 0" equals "$?" 0
check "/lock, exit, /lock, exit, /unlock: count 0" equals "$(drive_locks D)" 0
stop_ventrix
forget_drive_model D

# Two drives: a command may name the drive it acts on, for that command only. E: is a second
# CD-ROM drive plugged in through Wine's mount manager.
plugged_e="$WINEPREFIX/cdrom-e"
mkdir -p "$plugged_e"
clear_settings
forget_drive_model E
check "E: plugged in" drv_ok cdrom-plug E "$plugged_e"
start_counting winxp command-two-drives
watch_status "Device E: Tray is Ejected."
run_ventrix_command /eject E:
code=$?
check "/eject E:: the status line names E:" seen_status
check "/eject E:: exits 0, E: ejected" equals "$code:$(drive_last E)" 0:eject-taken
check "/eject E:: nothing sent to the selected D:" equals "$(drive_last D)" ""
check "/eject E:: the Operations menu still names the selected drive" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Close Drive (D:\);'
run_ventrix_command /lock e
check "/lock e: exits 0, E: holds one lock" equals "$?:$(drive_locks E)" 0:1
check "/lock e: the Operations menu goes on offering the selected D:'s Lock" \
  equals "$(menu_items "$MAIN" "&Operations" | tr '\n' ';')" 'Close Drive (D:\);Lock Drive (D:\);'
run_ventrix_command /unlock 'E:\'
check "/unlock E:\\: exits 0, E: unlocked" equals "$?:$(drive_locks E)" 0:0
for not_cd in C: Q:; do
  run_ventrix_command /eject "$not_cd" &
  command_pid=$!
  check "/eject $not_cd (not a CD drive): the usage box shows" drv_ok wait "Ventrix3" 5000
  drv_ok click "Ventrix3" "OK"
  wait "$command_pid"
  check "/eject $not_cd: exits 2" equals "$?" 2
done
check "the commands on E: left D: and the stored drive alone" \
  equals "$(drive_last D):$(setting_value settings 'Default CD Drive Letter')" ":"
stop_ventrix
drv_ok cdrom-unplug E
forget_drive_model E
