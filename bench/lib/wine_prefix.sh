# shellcheck shell=bash
# The benchmark's own Wine prefix (sourced by run-bench.sh).

BENCH_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=tests/wine/prefix.sh
source "$BENCH_ROOT/tests/wine/prefix.sh"

# Makes a fresh prefix: D: a CD-ROM drive, one desktop with a task bar and notification area,
# ventrix.exe's stored settings, and the programs copied to C:\bench. Leaves one wineserver
# running for the whole benchmark so that no start-up pays for starting it.
# Usage: bench_prefix_setup PREFIX BANNER EXE...
bench_prefix_setup() {
  local prefix=$1 banner=$2
  shift 2
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # The Windows tier's fresh prefix with its folder-backed CD-ROM drive D:.
  "$BENCH_ROOT/tests/wine/setup-prefix.sh" "$prefix" >/dev/null
  wine_prefix_desktop
  local settings='HKCU\Software\VB and VBA Program Settings\Ventrix 3\settings'
  bench_reg add "$settings" /v "Visible on Start-up" /t REG_SZ /d 1 /f
  bench_reg add "$settings" /v "Banner Enabled" /t REG_SZ /d "$banner" /f

  BENCH_DIR="$prefix/drive_c/bench"
  mkdir -p "$BENCH_DIR"
  cp "$@" "$BENCH_DIR/"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p </dev/null >/dev/null 2>&1
}

bench_reg() { wine reg "$@" >/dev/null 2>&1; }

# Runs the launcher in C:\bench; its one line of output on stdout, its complaints on stderr.
# Both go through files: a program the launcher leaves running inherits them and would hold a
# pipe open.
launcher() {
  local output errors status=0
  output=$(mktemp)
  errors=$(mktemp)
  (cd "$BENCH_DIR" && wine bench_launcher.exe "$@" </dev/null >"$output" 2>"$errors") || status=$?
  tr -d '\r' <"$output"
  tr -d '\r' <"$errors" >&2
  rm -f "$output" "$errors"
  return "$status"
}

# The Windows path of a program copied to C:\bench.
bench_path() { printf 'C:\\bench\\%s' "$1"; }

bench_prefix_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
