# Bad stored settings: all eight keys hold, in turn, the same kind of unusable value (empty text,
# 1 MiB of text, a non-number, an out-of-range number, a REG_DWORD, a REG_BINARY). Each start
# must fall back to every key's default where the value cannot serve, and the stored key must
# stay byte for byte as it was, while running and after closing, until the user saves.

S70_HUGE_LENGTH=1048576
S70_KEY='HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Ventrix 3'

# One REGEDIT4 value line: s70_value NAME KIND DATA, where KIND is sz, dword or hex.
s70_value() {
  local name=$1 kind=$2 data=$3
  case $kind in
    sz) printf '"%s"="' "$name"; printf '%s' "$data" | sed 's/[\\"]/\\&/g'; printf '"\n' ;;
    dword) printf '"%s"=dword:%s\n' "$name" "$data" ;;
    hex) printf '"%s"=hex:%s\n' "$name" "$data" ;;
  esac
}

# Writes a .reg file that replaces the whole settings key with one kind of bad value in every key:
# the drive, the four flags that default to 0, "Send to Tray" (default 1), the device status and
# the web update address. The flag values read as 1 (and "Send to Tray" as 0) by a careless
# parser, so a misread shows on screen.
s70_reg_file() {
  local kind=$1 drive flag send text key format=sz
  case $kind in
    empty) drive='' flag='' send='' text='' ;;
    huge)
      flag=$(head -c "$S70_HUGE_LENGTH" /dev/zero | tr '\0' 1)
      send=$(head -c "$S70_HUGE_LENGTH" /dev/zero | tr '\0' 0)
      drive=$flag text=$flag ;;
    non-number) drive=1x flag=1x send=0x text=1x ;;
    out-of-range) drive=65537 flag=65537 send=65536 text=65537 ;;
    # "E:" and "E:\" as the raw bytes of a number or a binary value.
    dword) format=dword drive=00003a45 flag=00000001 send=00000000 text=00000001 ;;
    binary) format=hex drive=45,3a,5c,00 flag=31,00 send=30,00 text=31,00 ;;
  esac
  {
    printf 'REGEDIT4\n\n[-%s]\n\n[%s\\settings]\n' "$S70_KEY" "$S70_KEY"
    s70_value "Default CD Drive Letter" $format "$drive"
    for key in "Always On Top" "Banner Enabled" "Visible on Start-up" "Lock Status"; do
      s70_value "$key" $format "$flag"
    done
    s70_value "Send to Tray" $format "$send"
    s70_value "Device Status" $format "$text"
    printf '\n[%s\\Web Update]\n' "$S70_KEY"
    s70_value "Web Update URL" $format "$text"
  } >"$E2E_WORK/bad-settings.reg"
}

# Imports the .reg file and exports the key as it then stands, in one Wine start.
s70_store() {
  (cd "$E2E_WORK" && WINEDEBUG=-all wine cmd /c regedit /s bad-settings.reg '&' \
    reg export "$SETTINGS_KEY" "stored-before.reg" /y >/dev/null 2>&1)
}
s70_export() {
  (cd "$E2E_WORK" && WINEDEBUG=-all wine reg export "$SETTINGS_KEY" "stored-$1.reg" /y >/dev/null 2>&1)
}
s70_unchanged() { cmp -s "$E2E_WORK/stored-before.reg" "$E2E_WORK/stored-$1.reg"; }

# Field $2 of the window line captioned $1 in the captured window list.
s70_window_state() {
  awk -F'|' -v c="$1" -v f="$2" '/^WINDOW/ && $3 == c { print $f; exit }' <<<"$S70_WINDOWS"
}
# Visible/hidden of the window that has a child showing $1.
s70_window_with_child() {
  awk -F'|' -v t="$1" '/^WINDOW/ { w = $4 } /^CHILD/ && $3 == t { print w; exit }' <<<"$S70_WINDOWS"
}
# The settings window's boxes, in window order, as checked or -.
s70_boxes() {
  local boxes='^(Always on Top|Visible on startup|Show Splash Screen|Minimise to Tray on Exit)$'
  awk -F'|' -v boxes="$boxes" '/^CHILD\|Button\|/ && $3 ~ boxes { printf "%s=%s;", $3, $5 }' \
    <<<"$S70_WINDOWS"
}
s70_combo() { awk -F'|' '/^CHILD\|ComboBox\|/ { print $3; exit }' <<<"$S70_WINDOWS"; }
# Captions of the visible items under the top-level menu $1 in the captured menu.
s70_items() {
  awk -F'|' -v top="$1" '/^TOP/ { inside = ($2 == top); next } inside && /^ITEM/ { printf "%s;", $2 }' \
    <<<"$S70_MENU"
}

S70_DEFAULT_BOXES='Always on Top=-;Visible on startup=-;Show Splash Screen=-;Minimise to Tray on Exit=checked;'

# Each kind with the drive the Operations menu then names: a text that is not a drive is still a
# text and shows as stored (the device requests refuse it); what cannot be read at all gives way
# to the first CD drive.
for pair in 'empty|' 'huge|D:\' 'non-number|1x' 'out-of-range|65537' 'dword|D:\' 'binary|D:\'; do
  kind=${pair%%|*}
  drive=${pair#*|}
  s70_reg_file "$kind"
  s70_store
  start_ventrix winxp "bad-settings-$kind"
  # The hook answers once the program pumps messages, that is after the whole start-up.
  S70_MENU=$(drv menu "$MAIN")
  S70_WINDOWS=$(drv windows)
  check "bad $kind: the main window stays hidden, not on top" \
    equals "$(s70_window_state "$MAIN" 4)|$(s70_window_state "$MAIN" 5)" "hidden|normal"
  check "bad $kind: no splash screen" equals "$(s70_window_with_child Tarrowby)" hidden
  check "bad $kind: the settings boxes show the defaults" equals "$(s70_boxes)" "$S70_DEFAULT_BOXES"
  check "bad $kind: the drive list selects D:\\" equals "$(s70_combo)" 'D:\'
  check "bad $kind: File item reads &Close" equals "$(s70_items '&File')" '&Close;'
  check "bad $kind: Operations name the drive ($drive)" \
    equals "$(s70_items '&Operations')" "Eject Drive ($drive);Lock Drive ($drive);"
  s70_export running
  check "bad $kind: the stored key is untouched while running" s70_unchanged running
  if [ "$kind" = binary ]; then
    # Saving is what replaces the bad values: with the defaults, as REG_SZ texts.
    drv_ok pick "$MAIN" "&Settings"
    drv_ok wait "$SETTINGS" 3000
    drv_ok click "$SETTINGS" "&Save Settings"
    check "bad $kind: Save Settings reports it" drv_ok wait-text "$SETTINGS" "Settings Saved" 3000
    saved="$(setting_value settings 'Default CD Drive Letter')|$(setting_value settings 'Banner Enabled')"
    saved+="|$(setting_value settings 'Send to Tray')|$(setting_value settings 'Device Status')"
    check "bad $kind: the save writes the defaults as texts" equals "$saved" 'D:|0|1|closed'
    # From here on the saved key is the one that must stay as it is.
    s70_export before
  fi
  stop_ventrix
  s70_export closed
  check "bad $kind: the stored key is untouched after closing" s70_unchanged closed
done
rm -f "$E2E_WORK"/bad-settings.reg "$E2E_WORK"/stored-*.reg
