# shellcheck shell=bash
# What Linux sees of a Wine process of the benchmark's prefix (sourced by run-bench.sh).

# The Linux process id of the running program EXE (a file name) of prefix $WINEPREFIX: Wine
# shows the Windows command line as the process's own, and the prefix is in its environment.
linux_pid_of() {
  local exe=$1 dir cmdline
  for _ in $(seq 1 50); do
    for dir in /proc/[0-9]*; do
      cmdline=$({ tr '\0' ' ' <"$dir/cmdline"; } 2>/dev/null) || continue
      [[ ${cmdline,,} == *"\\${exe,,}"* ]] || continue
      grep -qzx "WINEPREFIX=$WINEPREFIX" "$dir/environ" 2>/dev/null || continue
      echo "${dir#/proc/}"
      return 0
    done
    sleep 0.1
  done
  return 1
}

# The prefix's wineserver.
wineserver_pid() {
  local dir
  for dir in /proc/[0-9]*; do
    [[ $({ tr '\0' ' ' <"$dir/cmdline"; } 2>/dev/null) == *wineserver* ]] || continue
    grep -qzx "WINEPREFIX=$WINEPREFIX" "$dir/environ" 2>/dev/null || continue
    echo "${dir#/proc/}"
    return 0
  done
  return 1
}

# Nanoseconds on a CPU, summed over the process's threads (the scheduler's own count, finer than
# the 10 ms ticks of utime and stime).
cpu_ns() {
  local total=0 task ns
  for task in /proc/"$1"/task/*; do
    read -r ns _ <"$task/schedstat" 2>/dev/null || continue
    total=$((total + ns))
  done
  echo "$total"
}

# Times the process's threads gave up or lost the CPU: each wake-up costs at least one.
context_switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ { n += $2 } END { print n + 0 }'
}

# A field of /proc/PID/status in KiB (VmHWM: peak resident set; VmRSS: resident set now).
status_kib() { awk -v key="$2:" '$1 == key { print $2 }' /proc/"$1"/status; }
