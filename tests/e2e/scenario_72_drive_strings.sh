# Drive strings: whatever is stored as the drive, and however many drives the machine has, the
# only device a request opens is a drive letter's device path (\\.\X:). Wine's file trace names
# every CreateFile of the program.

S72_TRACE="err-all,fixme-all,trace+file"
# A drive letter's device path as the trace writes it, backslashes doubled: L"\\\\.\\D:".
S72_DRIVE_DEVICE='^\\\\\\\\\.\\\\[A-Za-z]:$'
# What Wine's multimedia library and CD driver open on their own before they open the drive:
# their configuration, system.ini (in either spelling; the library reads it when the first
# command loads it), and the mount manager, which they ask for the CD drive.
S72_MCI_OWN='^C:\\\\windows\\\\SYSTEM\.INI$|^C:\\\\windows\\\\system\.ini$|^\\\\\\\\\.\\\\MountPointManager$'

# The names the program opened after line $1 of its log, without the end-to-end hook's own files.
s72_opened_since() {
  tail -n +"$(($1 + 1))" "$VENTRIX_LOG" |
    sed -n 's/^.*:trace:file:CreateFileW L"\([^"]*\)".*$/\1/p' | grep -v '^C:\\\\ventrix-e2e\\\\'
}
# Every name opened after line $1 is a drive letter's device (or, with $2, matches $2 too).
s72_only_drive_devices() {
  local others
  others=$(s72_opened_since "$1" | grep -Ev "$S72_DRIVE_DEVICE${2:+|$2}")
  [ -z "$others" ] || { echo "# also opened: $others"; return 1; }
}
# The trace was on while the operations ran: it shows the hook's own request files.
s72_traced_since() { tail -n +"$(($1 + 1))" "$VENTRIX_LOG" | grep -qF 'CreateFileW L"C:\\ventrix-e2e\\'; }
s72_nothing_opened() { s72_traced_since "$1" && [ -z "$(s72_opened "$1")" ]; }
s72_opened() { s72_opened_since "$1" | sort -u | tr '\n' ' ' | sed 's/ $//'; }
# The stored drive text was never handed to CreateFile, in any spelling of its backslashes.
s72_never_opened() {
  local escaped=${1//\\/\\\\}
  ! grep -qiF -- "CreateFileW L\"$escaped\"" "$VENTRIX_LOG" &&
    ! grep -qiF -- "CreateFileW L\"$1\"" "$VENTRIX_LOG"
}
s72_log_mark() { wc -l <"$VENTRIX_LOG"; }
s72_operations() { menu_items "$MAIN" "&Operations" | tr '\n' ';'; }

# Eject, close, lock and unlock from the Operations menu of a started program showing DRIVE; the
# menu after each step shows that the operation ran.
s72_run_operations() {
  local name=$1 drive=$2
  drv_ok pick "$MAIN" "Eject Drive ($drive)"
  check "$name: eject ran (Operations offers Close)" equals "$(s72_operations)" "Close Drive ($drive);"
  drv_ok pick "$MAIN" "Close Drive ($drive)"
  drv_ok pick "$MAIN" "Lock Drive ($drive)"
  check "$name: close and lock ran (Operations offers Unlock)" \
    equals "$(s72_operations)" "Eject Drive ($drive);Un-Lock Drive ($drive);"
  drv_ok pick "$MAIN" "Un-Lock Drive ($drive)"
  check "$name: unlock ran" equals "$(s72_operations)" "Eject Drive ($drive);Lock Drive ($drive);"
}

s72_start() {
  VENTRIX_WINEDEBUG=$S72_TRACE start_ventrix "$1" "$2"
  # The hook answers once start-up is over; everything opened after this is the operations' doing.
  drv_ok menu "$MAIN"
  S72_MARK=$(s72_log_mark)
}

S72_RUN=0
for drive in '\\.\PhysicalDrive0' '..\..' 'C:\Windows'; do
  S72_RUN=$((S72_RUN + 1))
  clear_settings
  store_setting settings "Default CD Drive Letter" "$drive"
  s72_start winxp "drive-string-xp-$S72_RUN"
  s72_run_operations "stored drive $drive on XP" "$drive"
  stop_ventrix
  check "stored drive $drive on XP: no device opened" s72_nothing_opened "$S72_MARK"
  check "stored drive $drive on XP: never opened by name" s72_never_opened "$drive"
done

# Windows 98 ejects through the multimedia command, which names no drive: Wine's CD driver opens
# the CD drive's letter. Lock still goes to the stored drive and is refused.
clear_settings
store_setting settings "Default CD Drive Letter" 'C:\Windows'
s72_start win98 drive-string-98
drv_ok pick "$MAIN" 'Eject Drive (C:\Windows)'
drv_ok pick "$MAIN" 'Lock Drive (C:\Windows)'
check "stored drive C:\\Windows on 98: lock ran" \
  equals "$(s72_operations)" 'Eject Drive (C:\Windows);Un-Lock Drive (C:\Windows);'
stop_ventrix
check "stored drive C:\\Windows on 98: the multimedia eject opened only the drive D:" \
  s72_only_drive_devices "$S72_MARK" "$S72_MCI_OWN"
check "stored drive C:\\Windows on 98: the drive D: was opened" \
  equals "$(s72_opened "$S72_MARK" | tr ' ' '\n' | grep -E "$S72_DRIVE_DEVICE")" '\\\\.\\D:'
check "stored drive C:\\Windows on 98: never opened by name" s72_never_opened 'C:\Windows'

# The drives Wine's mount manager knows are read when the server starts.
s72_restart_server() {
  WINEDEBUG=-all wineserver -k 2>/dev/null
  WINEDEBUG=-all wineserver -w 2>/dev/null
  WINEDEBUG=-all wineserver -p120 </dev/null >/dev/null 2>&1
}
s72_drive_type() {
  e2e_reg "$1" 'HKLM\Software\Wine\Drives' /v "$2" "${@:3}" /f /reg:64
  e2e_reg "$1" 'HKLM\Software\Wine\Drives' /v "$2" "${@:3}" /f
}

# All 26 letters in use, the only CD drive the last but one: the list is read whole (it does not
# fit the first read) and the requests reach that drive's device only.
S72_ADDED=()
for letter in {a..y}; do
  [ -e "$WINEPREFIX/dosdevices/$letter:" ] && continue
  ln -s ../drive_c "$WINEPREFIX/dosdevices/$letter:"
  S72_ADDED+=("$letter:")
done
ln -sfn "$WINEPREFIX/cdrom" "$WINEPREFIX/dosdevices/y:"
s72_drive_type delete d:
s72_drive_type add y: /d cdrom
s72_restart_server
clear_settings
s72_start winxp all-letters
check "26 letters: every root was asked for its type" \
  equals "$(grep -o 'name=L"\\\\??\\\\[A-Z]:\\\\"' "$VENTRIX_LOG" | sort -u | wc -l)" 26
check "26 letters: the drive list selects the CD drive Y:\\" has_child_text "$SETTINGS" 'Y:\'
s72_run_operations "26 letters" 'Y:\'
stop_ventrix
check "26 letters: only \\\\.\\Y: was opened" equals "$(s72_opened "$S72_MARK")" '\\\\.\\Y:'

# No CD drive at all: an empty drive, and no request opens anything.
for letter in "${S72_ADDED[@]}"; do rm -f "$WINEPREFIX/dosdevices/$letter"; done
s72_drive_type delete y:
s72_restart_server
clear_settings
s72_start winxp no-cd-drive
check "no CD drive: the drive list is empty" equals "$(drv windows | grep -c '^CHILD|ComboBox||')" 1
s72_run_operations "no CD drive" ''
stop_ventrix
check "no CD drive: no device opened" s72_nothing_opened "$S72_MARK"

# Back to the prefix the other scenarios expect: D: the one CD drive.
s72_drive_type add d: /d cdrom
s72_restart_server
