#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Footprint and speed of ventrix.exe next to bench/baseline (a bare window with one label and a
# notification icon), both under Wine on the X display in one prefix and one run: file size,
# start-up time to "Ready", peak working set and idle CPU. `make bench` runs it under Xvfb.
# The same baseline with ventrix.exe's manifest (baseline_themed.exe: common controls 6, DPI
# awareness) runs alongside, so that the figures tell the library's cost from ventrix.exe's own.
#
# Usage: bench/run-bench.sh [BUILD_DIR]        (default build/windows; results in build/bench)
#   BENCH_RUNS=15          start-ups of each program, the two alternating (1 to 1000)
#   BENCH_IDLE_SECONDS=60  length of each program's idle window (1 to 3600)
#   BENCH_SETTLE_MS=1000   wait after "Ready" before memory and idle figures are read (0 to 60000)
#   BENCH_BANNER=0         "Banner Enabled" stored for ventrix.exe: 1 shows its splash at start-up
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
: "${DISPLAY:?the benchmark needs an X display (make bench runs it under xvfb-run)}"

source "$here/lib/wine_prefix.sh"
source "$here/lib/linux_process.sh"
source "$here/lib/stats.sh"

runs=${BENCH_RUNS:-15}
idle_seconds=${BENCH_IDLE_SECONDS:-60}
settle_ms=${BENCH_SETTLE_MS:-1000}
banner=${BENCH_BANNER:-0}
in_range() { [[ $1 =~ ^[0-9]+$ ]] && ((10#$1 >= $2 && 10#$1 <= $3)); }
in_range "$runs" 1 1000 || { echo "BENCH_RUNS must be 1 to 1000" >&2; exit 2; }
in_range "$idle_seconds" 1 3600 || { echo "BENCH_IDLE_SECONDS must be 1 to 3600" >&2; exit 2; }
in_range "$settle_ms" 0 60000 || { echo "BENCH_SETTLE_MS must be 0 to 60000" >&2; exit 2; }
[[ $banner == 0 || $banner == 1 ]] || { echo "BENCH_BANNER must be 0 or 1" >&2; exit 2; }

VENTRIX=ventrix.exe
BASELINE=baseline.exe
THEMED=baseline_themed.exe
ventrix_exe=$build/app/$VENTRIX
baseline_exe=$build/bench/baseline/$BASELINE
themed_exe=$build/bench/baseline/$THEMED
launcher_exe=$build/bench/tools/bench_launcher.exe
for file in "$ventrix_exe" "$baseline_exe" "$themed_exe" "$launcher_exe"; do
  [ -f "$file" ] || { echo "missing $file: build the windows preset first (make windows)" >&2; exit 2; }
done

out=$root/build/bench
mkdir -p "$out"
runs_file=$out/runs.txt
results=$out/results.md
load_at_start=$(cut -d' ' -f1-3 /proc/loadavg)
started_at=$(date '+%Y-%m-%d %H:%M')

echo "# Preparing the Wine prefix $out/prefix"
bench_prefix_setup "$out/prefix" "$banner" "$ventrix_exe" "$baseline_exe" "$themed_exe" \
  "$launcher_exe"
trap bench_prefix_stop EXIT

# One start-up of EXE, measured by the launcher; its line on stdout, empty when it failed.
measure() { launcher measure "$(bench_path "$1")" "$settle_ms" || true; }

echo "# Warming up (desktop, first loads of every DLL)"
measure "$VENTRIX" >/dev/null
measure "$BASELINE" >/dev/null
measure "$THEMED" >/dev/null

echo "# Start-up and memory: $runs runs of each, alternating"
: >"$runs_file"
failures=0
for round in $(seq 1 "$runs"); do
  # Each round turns the order, so that no program always follows the same one.
  case $((round % 3)) in
    1) order="$VENTRIX $BASELINE $THEMED" ;;
    2) order="$BASELINE $THEMED $VENTRIX" ;;
    *) order="$THEMED $VENTRIX $BASELINE" ;;
  esac
  for exe in $order; do
    line=$(measure "$exe")
    if [ -z "$(field "$line" ready_ms)" ]; then
      failures=$((failures + 1))
      echo "round $round $exe: FAILED"
      continue
    fi
    echo "$exe round=$round $line" >>"$runs_file"
    echo "round $round $exe: $line"
  done
done

# Median, min and max of KEY over the runs of EXE.
summary() { awk -v exe="$1" '$1 == exe' "$runs_file" | while read -r line; do field "$line" "$2"; done |
  grep -v '?' | median_min_max; }
read -r v_ready v_ready_min v_ready_max <<<"$(summary "$VENTRIX" ready_ms)"
read -r b_ready b_ready_min b_ready_max <<<"$(summary "$BASELINE" ready_ms)"
read -r v_answered _ _ <<<"$(summary "$VENTRIX" answered_ms)"
read -r b_answered _ _ <<<"$(summary "$BASELINE" answered_ms)"
read -r v_peak _ _ <<<"$(summary "$VENTRIX" peak_ws_kib)"
read -r b_peak _ _ <<<"$(summary "$BASELINE" peak_ws_kib)"
read -r t_ready _ _ <<<"$(summary "$THEMED" ready_ms)"
read -r t_peak _ _ <<<"$(summary "$THEMED" peak_ws_kib)"
read -r v_start_cpu _ _ <<<"$(summary "$VENTRIX" cpu_ms)"
read -r b_start_cpu _ _ <<<"$(summary "$BASELINE" cpu_ms)"

# How long a program is left after start-up before its idle window: longer than its longest
# timer interval, so that start-up's first ticks are over.
QUIET_SECONDS=8
# The targets, as ratios to the bare program.
READY_TARGET=1.1
PEAK_TARGET=1.15
# Idle: the program started and left alone for QUIET_SECONDS; its CPU time and wake-ups over the
# window, as the Linux scheduler counts them for its Wine process, and the prefix's wineserver
# over the same window (it serves every process of the prefix, so that figure is an upper bound).
idle() {
  local exe=$1 line pid winpid server cpu0 cpu1 sw0 sw1 srv0 srv1
  line=$(launcher start "$(bench_path "$exe")") || { echo "? ? ? ? ? ?"; return; }
  winpid=$(field "$line" pid)
  pid=$(linux_pid_of "$exe") || { echo "? ? ? ? ? ?"; return; }
  server=$(wineserver_pid) || server=""
  sleep "$(awk -v ms="$settle_ms" 'BEGIN { print ms / 1000 }')"
  sleep "$QUIET_SECONDS"
  cpu0=$(cpu_ns "$pid") sw0=$(context_switches "$pid") srv0=$(cpu_ns "${server:-0}")
  sleep "$idle_seconds"
  cpu1=$(cpu_ns "$pid") sw1=$(context_switches "$pid") srv1=$(cpu_ns "${server:-0}")
  local hwm rss windows_peak
  hwm=$(status_kib "$pid" VmHWM) rss=$(status_kib "$pid" VmRSS)
  windows_peak=$(field "$(launcher usage "$winpid")" peak_ws_kib)
  launcher close "$winpid" >/dev/null || true
  echo "$(ns_to_ms $((cpu1 - cpu0))) $((sw1 - sw0)) $(ns_to_ms $((srv1 - srv0))) $hwm $rss" \
    "${windows_peak:-?}"
}
# Idle with the main window hidden (the stored default "Visible on Start-up" 0): no window shows
# "Ready", so the program is started directly and left QUIET_SECONDS; then its wake-ups are
# counted over the same window as above. Ended by its Linux process id.
idle_hidden() {
  local exe=$1 settings='HKCU\Software\VB and VBA Program Settings\Ventrix 3\settings' pid sw0 sw1
  bench_reg add "$settings" /v "Visible on Start-up" /t REG_SZ /d 0 /f
  (cd "$BENCH_DIR" && wine "$(bench_path "$exe")" </dev/null >/dev/null 2>&1 &)
  local result="?"
  if pid=$(linux_pid_of "$exe"); then
    sleep "$QUIET_SECONDS"
    sw0=$(context_switches "$pid")
    sleep "$idle_seconds"
    sw1=$(context_switches "$pid")
    result=$((sw1 - sw0))
    kill "$pid" 2>/dev/null || true
  fi
  bench_reg add "$settings" /v "Visible on Start-up" /t REG_SZ /d 1 /f
  echo "$result"
}
per_minute() {
  awk -v n="$1" -v s="$idle_seconds" 'BEGIN { if (n == "?") print "?"; else printf "%.0f\n", n * 60 / s }'
}

echo "# Idle: ${idle_seconds}s of each, one after the other"
read -r b_idle_cpu b_idle_switches b_idle_server b_hwm b_rss b_winpeak <<<"$(idle "$BASELINE")"
echo "$BASELINE idle: cpu_ms=$b_idle_cpu switches=$b_idle_switches wineserver_ms=$b_idle_server"
read -r v_idle_cpu v_idle_switches v_idle_server v_hwm v_rss v_winpeak <<<"$(idle "$VENTRIX")"
echo "$VENTRIX idle: cpu_ms=$v_idle_cpu switches=$v_idle_switches wineserver_ms=$v_idle_server"
v_hidden_switches=$(idle_hidden "$VENTRIX")
echo "$VENTRIX idle, main window hidden: switches=$v_hidden_switches"

v_size=$(stat -c %s "$ventrix_exe")
b_size=$(stat -c %s "$baseline_exe")
size_limit_kib=400
ready_ratio=$(ratio "$v_ready" "$b_ready")
answered_ratio=$(ratio "$v_answered" "$b_answered")
peak_ratio=$(ratio "$v_peak" "$b_peak")
idle_limit=$(awk -v b="$b_idle_cpu" 'BEGIN { if (b == "?") print "?"; else printf "%.1f\n", b * 1.1 }')

{
  echo "# Ventrix footprint and speed"
  echo
  echo "$started_at, $(wine --version), ${runs} start-ups of each (alternating), idle window" \
    "${idle_seconds} s, settle ${settle_ms} ms, stored \"Visible on Start-up\" 1 and" \
    "\"Banner Enabled\" ${banner}; load average at start ${load_at_start} on $(nproc) CPUs."
  echo
  echo "| Measure | ventrix.exe | baseline.exe | Ratio | Target | Met |"
  echo "|---|---|---|---|---|---|"
  echo "| File size, stripped (KiB) | $(kib "$v_size") | $(kib "$b_size") | - |" \
    "ventrix <= ${size_limit_kib} | $(at_most "$(kib "$v_size")" "$size_limit_kib") |"
  echo "| Start-up until the window shows \"Ready\", median (ms) | $v_ready | $b_ready |" \
    "$ready_ratio | <= $READY_TARGET | $(at_most "$ready_ratio" "$READY_TARGET") |"
  echo "| ... fastest / slowest (ms) | $v_ready_min / $v_ready_max |" \
    "$b_ready_min / $b_ready_max | - | - | - |"
  echo "| Start-up until it answers a message, median (ms) | $v_answered | $b_answered |" \
    "$answered_ratio | - | - |"
  echo "| CPU time of start-up + settle, median (ms, 10 ms steps) | $v_start_cpu |" \
    "$b_start_cpu | - | - | - |"
  echo "| Peak working set after start-up, median (KiB) | $v_peak | $b_peak | $peak_ratio |" \
    "<= $PEAK_TARGET | $(at_most "$peak_ratio" "$PEAK_TARGET") |"
  echo "| ... after the idle window: PeakWorkingSetSize / Linux VmHWM / VmRSS (KiB) |" \
    "$v_winpeak / $v_hwm / $v_rss | $b_winpeak / $b_hwm / $b_rss | - | - | - |"
  echo "| Idle CPU over ${idle_seconds} s (ms) | $v_idle_cpu | $b_idle_cpu |" \
    "$(ratio "$v_idle_cpu" "$b_idle_cpu") | within 10%: <= $idle_limit |" \
    "$(at_most "$v_idle_cpu" "$idle_limit") |"
  echo "| Idle wake-ups over ${idle_seconds} s (context switches) | $v_idle_switches |" \
    "$b_idle_switches | - | - | - |"
  echo "| Idle wake-ups a minute, main window shown, after ${QUIET_SECONDS} s |" \
    "$(per_minute "$v_idle_switches") |" \
    "$(per_minute "$b_idle_switches") | - | - | - |"
  echo "| Idle wake-ups a minute, main window hidden (stored default), after ${QUIET_SECONDS} s |" \
    "$(per_minute "$v_hidden_switches") | $(per_minute "$b_idle_switches") | - | - | - |"
  echo "| wineserver CPU during that idle window (ms) | $v_idle_server | $b_idle_server |" \
    "- | - | - |"
  echo
  echo "What the common controls library costs by itself: the same bare program with" \
    "ventrix.exe's manifest ($THEMED), measured in the same rounds:"
  echo
  echo "| Measure | ventrix.exe | $THEMED | Ratio | $THEMED / baseline.exe |"
  echo "|---|---|---|---|---|"
  echo "| Start-up until the window shows \"Ready\", median (ms) | $v_ready | $t_ready |" \
    "$(ratio "$v_ready" "$t_ready") | $(ratio "$t_ready" "$b_ready") |"
  echo "| Peak working set after start-up, median (KiB) | $v_peak | $t_peak |" \
    "$(ratio "$v_peak" "$t_peak") | $(ratio "$t_peak" "$b_peak") |"
  echo
  echo "Failed start-ups: $failures. Per-run figures: build/bench/runs.txt."
  echo
  echo "How: bench_launcher.exe (bench/tools) runs inside the same Wine session, takes the time"
  echo "just before CreateProcess and looks every 1 ms for a visible top-level window of the new"
  echo "process with a child control whose text is \"Ready\" (texts read without messages to the"
  echo "program); \"answers\" is when that window then returns a WM_NULL. Peak working set is"
  echo "GetProcessMemoryInfo's PeakWorkingSetSize ${settle_ms} ms after \"Ready\" (Wine fills it"
  echo "from the Linux VmHWM of the process). Idle CPU and wake-ups are the Linux scheduler's"
  echo "counts (/proc/PID/task/*/schedstat, ctxt_switches) for the program's Wine process."
  echo
  echo "Commands:"
  echo
  echo "    make bench"
  echo "    BENCH_RUNS=$runs BENCH_IDLE_SECONDS=$idle_seconds BENCH_SETTLE_MS=$settle_ms" \
    "BENCH_BANNER=$banner \\"
  echo "      xvfb-run -a -s \"-screen 0 1024x768x24\" bench/run-bench.sh build/windows"
} >"$results"

echo
cat "$results"
