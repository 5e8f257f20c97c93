# Shared steps of the end-to-end scenarios (sourced by run-e2e.sh).

E2E_PASSED=0
E2E_FAILED=0
SETTINGS_KEY='HKCU\Software\VB and VBA Program Settings\Ventrix 3'
MAIN="Ventrix 3"
SPLASH="@Tarrowby"
SETTINGS="Ventrix Professional"
# shellcheck source=tests/wine/prefix.sh
source "$(dirname "${BASH_SOURCE[0]}")/../wine/prefix.sh"

e2e_setup() {
  mkdir -p "$1"
  E2E_OUT=$(cd "$1" && pwd)
  mkdir -p "$E2E_OUT"
  rm -f "$E2E_OUT"/*.png "$E2E_OUT"/*.log
  export WINEPREFIX="$E2E_OUT/prefix"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG="${WINEDEBUG:-fixme+mountmgr,err-all,warn-all}"
  E2E_WORK="$WINEPREFIX/drive_c/ventrix-e2e"

  wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wine_prefix_init || return 1
  WINEDEBUG=-all wineserver -w
  wine_prefix_fonts
  # D: is a CD-ROM drive backed by a folder.
  mkdir -p "$WINEPREFIX/cdrom"
  ln -sfn "$WINEPREFIX/cdrom" "$WINEPREFIX/dosdevices/d:"
  e2e_reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f /reg:64
  e2e_reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f
  wine_prefix_desktop
  WINEDEBUG=-all wineserver -k 2>/dev/null
  WINEDEBUG=-all wineserver -w 2>/dev/null
  WINEDEBUG=-all wineserver -p120 </dev/null >/dev/null 2>&1

  mkdir -p "$E2E_WORK"
  cp "$2" "$E2E_WORK/ventrix.exe"
  cp "$3" "$E2E_WORK/e2e_driver.exe"
  cp "$4" "$E2E_WORK/e2e_hook.dll"
  # Bring the desktop up before the first test so its start-up does not count against them.
  (cd "$E2E_WORK" && WINEDEBUG=-all wine e2e_driver.exe windows >/dev/null 2>&1)
  echo "# end-to-end prefix ready: $WINEPREFIX"
}

e2e_reg() { WINEDEBUG=-all wine reg "$@" >/dev/null 2>&1; }

# Runs the driver; its output on stdout.
drv() { (cd "$E2E_WORK" && WINEDEBUG=-all wine e2e_driver.exe "$@" 2>/dev/null | tr -d '\r'); }
drv_ok() { (cd "$E2E_WORK" && WINEDEBUG=-all wine e2e_driver.exe "$@" >/dev/null 2>&1); }

check() {
  local name=$1
  shift
  if "$@"; then
    E2E_PASSED=$((E2E_PASSED + 1))
    echo "ok - $name"
  else
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "FAIL - $name"
  fi
}

# Starts ventrix.exe as the given Windows release; its Wine log goes to $E2E_OUT/NAME.log.
start_ventrix() {
  local release=$1 name=$2
  e2e_reg add 'HKCU\Software\Wine\AppDefaults\ventrix.exe' /v Version /d "$release" /f
  VENTRIX_LOG="$E2E_OUT/$name.log"
  (cd "$E2E_WORK" && WINEDEBUG="${VENTRIX_WINEDEBUG:-$WINEDEBUG}" exec wine ventrix.exe >"$VENTRIX_LOG" 2>&1 </dev/null) &
  VENTRIX_PID=$!
  # The main window exists (shown or hidden) once start-up has run.
  for _ in $(seq 1 100); do
    drv windows | grep -q "^WINDOW|[^|]*|$MAIN|" && return 0
    sleep 0.2
  done
  echo "# ventrix.exe did not start"
  return 1
}

ventrix_running() { kill -0 "$VENTRIX_PID" 2>/dev/null; }

# Waits up to $1 seconds for ventrix.exe to end.
wait_ended() {
  local seconds=$1
  for _ in $(seq 1 $((seconds * 10))); do
    ventrix_running || return 0
    sleep 0.1
  done
  return 1
}

stop_ventrix() {
  ventrix_running || return 0
  drv_ok close "$MAIN"
  wait_ended 10 || { kill "$VENTRIX_PID" 2>/dev/null; WINEDEBUG=-all wine taskkill /f /im ventrix.exe >/dev/null 2>&1; }
  wait "$VENTRIX_PID" 2>/dev/null
}

clear_settings() { e2e_reg delete "$SETTINGS_KEY" /f; }
store_setting() { e2e_reg add "$SETTINGS_KEY\\$1" /v "$2" /t REG_SZ /d "$3" /f; }
settings_exist() { WINEDEBUG=-all wine reg query "$SETTINGS_KEY" >/dev/null 2>&1; }
setting_value() {
  WINEDEBUG=-all wine reg query "$SETTINGS_KEY\\$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_SZ *//p"
}

# Window state line of the program window named by caption (or @child-text).
window_line() {
  local selector=$1
  if [[ $selector == @* ]]; then
    drv windows | awk -v text="${selector#@}" -F'|' '
      /^WINDOW/ { current = $0 } /^CHILD/ && $3 == text { print current; exit }'
  else
    drv windows | awk -v caption="$selector" -F'|' '/^WINDOW/ && $3 == caption { print; exit }'
  fi
}
is_visible() { window_line "$1" | grep -q '|visible|'; }
is_hidden() { window_line "$1" | grep -q '|hidden|'; }
is_topmost() { window_line "$1" | grep -q '|topmost$'; }

# Captions of the visible items of one top-level menu of a window.
menu_items() {
  local window=$1 top=$2
  drv menu "$window" | awk -F'|' -v top="$top" '
    /^TOP/ { inside = ($2 == top) ; next } inside && /^ITEM/ { print $2 }'
}

# Texts of the window's children, one a line (WINDOW as caption or @child-text).
child_texts() {
  drv windows | awk -v sel="$1" -F'|' '
    function flush() { if (hit && !done) { for (i = 0; i < n; i++) print t[i]; done = 1 } }
    /^WINDOW/ { flush(); n = 0; hit = (substr(sel, 1, 1) != "@" && $3 == sel); next }
    /^CHILD/ { t[n++] = $3; if (("@" $3) == sel) hit = 1 }
    END { flush() }'
}

has_child_text() { child_texts "$1" | grep -qxF -- "$2"; }

screenshot() { import -window root "$E2E_OUT/$1.png" 2>/dev/null; }

e2e_finish() {
  stop_ventrix
  WINEDEBUG=-all wineserver -k 2>/dev/null
  echo "e2e: $E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}

not() { ! "$@"; }
equals() { [ "$1" == "$2" ]; }
log_has() { grep -qi -- "$1" "$VENTRIX_LOG"; }

# The notification area sits at the bottom right of the 800x600 desktop; Ventrix's icon is the
# only one there.
TRAY_X=790
TRAY_Y=590

tray_click() { xdotool mousemove "$TRAY_X" "$TRAY_Y" click "$1"; }
tray_double_click() { xdotool mousemove "$TRAY_X" "$TRAY_Y" click --repeat 2 --delay 80 1; }
tray_open_menu() {
  tray_click 3
  sleep 1
}
# The popup menu opens above the icon; its rows, from the top, at these heights (separators
# skipped). X input reaches Wine's desktop as mouse events; key presses need a focused X window,
# which Xvfb without a window manager does not give.
TRAY_MENU_X=720
TRAY_MENU_ROWS=(0 451 478 496 514 541 568)
# Picks the Nth command of the tray popup menu with the mouse.
tray_pick() {
  tray_open_menu
  xdotool mousemove "$TRAY_MENU_X" "${TRAY_MENU_ROWS[$1]}" sleep 0.3 click 1
  sleep 1
}
TRAY_OPEN=1 TRAY_EJECT_CLOSE=2 TRAY_LOCK_UNLOCK=3 TRAY_SETTINGS=4 TRAY_ABOUT=5 TRAY_EXIT=6

# How many visible program windows have this caption.
count_windows() { drv windows | awk -F'|' -v caption="$1" '/^WINDOW/ && $3 == caption && $4 == "visible"' | wc -l; }
log_has_text() { grep -qF -- "$1" "$VENTRIX_LOG"; }
# A status text may be replaced by "Ready" at any moment (the main window's timer), so the
# watcher starts before the action: watch_status TEXT; act; check ... seen_status.
watch_status() {
  rm -f "$E2E_WORK/watch-ready"
  E2E_READY=watch-ready drv_ok wait-text "$MAIN" "$1" 10000 &
  WATCH_PID=$!
  for _ in $(seq 1 100); do
    [ -f "$E2E_WORK/watch-ready" ] && break
    sleep 0.1
  done
}
seen_status() { wait "$WATCH_PID"; }
# Whether a screenshot region holds more than MIN colours, that is a picture rather than the
# plain task bar or desktop: the tray icon, a balloon.
region_has_picture() {
  local shot="$E2E_OUT/$1.png" geometry=$2 min=$3
  local colours
  colours=$(convert "$shot" -crop "$geometry" +repage -format %k info: 2>/dev/null)
  [ "${colours:-0}" -gt "$min" ]
}
TRAY_ICON_REGION=16x16+782+582
BALLOON_REGION=140x50+655+512

# Runs `ventrix.exe ARGS...` to its end, beside the running instance (if any); its exit code is
# the function's.
run_ventrix_command() {
  (cd "$E2E_WORK" && WINEDEBUG=-all exec wine ventrix.exe "$@" >>"$E2E_OUT/commands.log" 2>&1 </dev/null)
}
# How many popup menus (class #32768) the program has open.
count_open_menus() { drv windows | grep -c '^WINDOW|#32768|[^|]*|visible|'; }
# The counting drive (the hook's model of a real CD drive, e2e_accepting_drive.h): its lock
# count for a drive letter, kept in the test folder across handles and program restarts.
drive_locks() { drive_field "$1" locks; }
# Its last request and answer, as "eject-refused", "lock-taken" and the like.
drive_last() { drive_field "$1" last; }
# One field of its record: drive_field LETTER KEY.
drive_field() { sed -n "s/^$2 //p" "$E2E_WORK/drive-$1.txt" 2>/dev/null | tr -d '\r'; }
# Sets fields of its record: set_drive LETTER KEY VALUE [KEY VALUE...].
set_drive() {
  local file="$E2E_WORK/drive-$1.txt"
  shift
  touch "$file"
  while [ $# -ge 2 ]; do
    sed -i "/^$1 /d" "$file"
    echo "$1 $2" >>"$file"
    shift 2
  done
}
forget_drive_model() { rm -f "$E2E_WORK/drive-$1.txt"; }
# Starts ventrix.exe (as start_ventrix) with its device requests on the counting drive.
start_counting() { start_ventrix "$@" && drv_ok drive-counts "$MAIN"; }
# Acts, then waits for the status text: expect_status TEXT COMMAND...
expect_status() {
  local text=$1
  shift
  watch_status "$text"
  "$@"
  seen_status
}
# A double click on the status line, whatever it reads. The text it was found by may turn back
# to "Ready" before the click is sent, so it is read again and the click repeated.
status_dblclick() {
  for _ in 1 2 3; do
    drv_ok dblclick "$MAIN" "$(child_texts "$MAIN" | grep -m1 -E '^(Ready|Device )')" && return 0
  done
  return 1
}
# How many notification icons (owner windows of the program's icon) exist.
count_tray_icons() { drv windows | grep -c '^WINDOW|VentrixTrayIconOwner|'; }
# How many balloons the program asked the shell for (needs trace+systray in the Wine log): once
# the icon is added and its tooltip kept for notification version 4 (one NIM_MODIFY right after
# the add), every change the program asks for (NIM_MODIFY) is a balloon.
count_balloons() { grep -c 'Shell_NotifyIconW dwMessage = 1,' "$VENTRIX_LOG"; }
# The instance that a command started, not by start_ventrix: ends it by its close box.
stop_started_instance() {
  drv_ok close "$MAIN"
  for _ in $(seq 1 50); do
    window_line "$MAIN" | grep -q . || return 0
    sleep 0.2
  done
  WINEDEBUG=-all wine taskkill /f /im ventrix.exe >/dev/null 2>&1
}
