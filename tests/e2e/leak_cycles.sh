# Leak measurement shared by bench/leak.sh and the end-to-end tier (sourced after lib.sh):
# eject/close and lock/unlock cycles picked from the Operations menu inside the running
# ventrix.exe, and the objects the program holds before and after.

# Wine's trace of the device requests, counted to prove every cycle reached the drive.
LEAK_WINEDEBUG="err-all,warn-all,fixme-all,trace+file"
IOCTL_EJECT=0x2d4808
IOCTL_LOAD=0x2d480c
IOCTL_MEDIA_REMOVAL=0x2d4804

# The program's counts, one "NAME VALUE" a line: what the hook measures inside the process
# (handles, gdi, user and its parts), and "fds", the open file descriptors of its Linux process,
# a figure from outside Wine (the drive requests themselves leave no descriptor open there).
object_counts() {
  drv counts "$MAIN" | awk -F'|' '/^COUNT/ { print $2, $3 }'
  echo "fds $(find "/proc/$VENTRIX_PID/fd" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)"
}

# How each count is measured, one "NAME: HOW" a line.
count_methods() {
  drv counts "$MAIN" | awk -F'|' '/^COUNT/ { print $2 ": " $4 }'
  echo "fds: entries of /proc/PID/fd of the Linux process running ventrix.exe"
}

# The Operations item whose caption starts with the given word.
operations_item() { menu_items "$MAIN" "&Operations" | grep -m1 "^$1 " ; }

# Picks FIRST then SECOND, N times, inside the program; the status line it shows afterwards
# must read STATUS.
run_cycles() {
  local first=$1 second=$2 cycles=$3 status=$4 reply
  reply=$(drv cycle "$MAIN" "$first" "$second" "$cycles")
  grep -qx "cycled|$cycles" <<<"$reply" || { echo "# cycling stopped: $reply"; return 1; }
  grep -qxF "CHILD|$status" <<<"$reply" || { echo "# status line after cycling: $reply"; return 1; }
}

# How many requests with this control code the program sent to \\.\D:, from its Wine log.
ioctl_count() { grep -c "DeviceIoControl ([0-9A-Fa-f]*,$1," "$VENTRIX_LOG"; }
device_opens() { grep -cF 'CreateFileW L"\\\\.\\D:"' "$VENTRIX_LOG"; }

# Whether the three main counts answered at all: a measure stuck at 0 would hide any leak.
counts_measured() {
  awk '$1 == "handles" || $1 == "gdi" || $1 == "user" { if ($2 > 0) seen++ } END { exit seen != 3 }' \
    <<<"$1"
}

# Prints the counts side by side: NAME BEFORE AFTER GROWTH; fails when a count grew by more than
# the tolerance.
compare_counts() {
  local before=$1 after=$2 tolerance=$3
  awk -v tolerance="$tolerance" '
    NR == FNR { before[$1] = $2; order[++n] = $1; next }
    { after[$1] = $2 }
    END {
      grew = 0
      printf "%-18s %8s %8s %8s\n", "count", "before", "after", "growth"
      for (i = 1; i <= n; i++) {
        name = order[i]
        if (!(name in after)) { print name ": missing after the cycles"; grew = 1; continue }
        growth = after[name] - before[name]
        printf "%-18s %8d %8d %8d\n", name, before[name], after[name], growth
        if (growth > tolerance) grew = 1
      }
      exit grew
    }' <(echo "$before") <(echo "$after")
}
