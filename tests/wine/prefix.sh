# shellcheck shell=bash
# What every Wine prefix of this project gets, sourced by each prefix set-up: the Windows tier's
# (setup-prefix.sh), the end-to-end tier's (e2e/lib.sh), the benchmark's and `make run`'s
# (run-ventrix.sh). WINEPREFIX names the prefix.

# Wine's own Marlett font (Debian's fonts-wine).
WINE_MARLETT=/usr/share/wine/fonts/marlett.ttf
# The desktop that the programs of a prefix share, in pixels.
WINE_DESKTOP_WIDTH=800
WINE_DESKTOP_HEIGHT=600

# Seconds a first start of Wine in a new prefix may take (about 15 on this project's machines).
WINE_START_SECONDS=60

# Makes the prefix (wineboot). When Wine cannot start at all (no loader for this kernel, a
# broken install) it says why and fails within WINE_START_SECONDS, so that a test tier does not
# wait out its own timeout.
wine_prefix_init() {
  local output
  if output=$(WINEDEBUG=-all timeout "$WINE_START_SECONDS" wine wineboot --init 2>&1 </dev/null); then
    return 0
  fi
  echo "Wine cannot start here (wineboot --init failed or took over ${WINE_START_SECONDS}s):" >&2
  printf '%s\n' "$output" | head -5 >&2
  return 1
}

# Caption buttons are drawn from the Marlett font; this Wine build does not look in its own font
# folder, so without a copy in the prefix they come out as the letters "0 1 r".
wine_prefix_fonts() {
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp "$WINE_MARLETT" "$WINEPREFIX/drive_c/windows/Fonts/"
}

# Every program of the prefix runs in one desktop with a task bar and notification area.
wine_prefix_desktop() {
  WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f \
    >/dev/null 2>&1
  WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell \
    /d "${WINE_DESKTOP_WIDTH}x${WINE_DESKTOP_HEIGHT}" /f >/dev/null 2>&1
}
