#!/usr/bin/env bash
# `make run`: starts ventrix.exe under Wine. With a display it runs there until you end it
# (tray icon > Exit); without one it runs in a Wine desktop on Xvfb for a while and saves a
# screenshot of that desktop. It uses its own prefix, so your own Wine settings are left alone.
set -euo pipefail
exe=$(readlink -f "${1:?usage: run-ventrix.sh ventrix.exe}")
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tests/wine/prefix.sh
source "$root/tests/wine/prefix.sh"
export WINEPREFIX="${VENTRIX_RUN_PREFIX:-$root/build/run-prefix}"
export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG="${WINEDEBUG:--all}"
seconds=${VENTRIX_RUN_SECONDS:-20}
settings='HKCU\Software\VB and VBA Program Settings\Ventrix 3\settings'

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparing a Wine prefix for Ventrix in $WINEPREFIX (first run only)..."
  mkdir -p "$WINEPREFIX"
  wine_prefix_init
  # So that a first look shows the window: splash and main window on at start-up.
  wine reg add "$settings" /v "Banner Enabled" /d 1 /f >/dev/null 2>&1
  wine reg add "$settings" /v "Visible on Start-up" /d 1 /f >/dev/null 2>&1
  wine_prefix_desktop
  wineserver -w
fi
# Also for a prefix made before the font was part of the set-up.
wine_prefix_fonts

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting Ventrix under Wine on $DISPLAY (end it from its tray icon: Exit)."
  exec wine "$exe"
fi

shot="$root/build/ventrix-run.png"
echo "No display: running Ventrix under Xvfb for ${seconds}s in a Wine desktop."
# The screen is the Wine desktop's size, so the screenshot is that desktop and nothing else.
screen="${WINE_DESKTOP_WIDTH}x${WINE_DESKTOP_HEIGHT}x24"
xvfb-run -a -s "-screen 0 $screen" bash -c '
  wine "$1" >/dev/null 2>&1 &
  sleep 6
  import -window root "$2"
  sleep "$3"
  wineserver -k
' _ "$exe" "$shot" "$seconds" || true
echo "Ventrix ran; screenshot saved to $shot"
