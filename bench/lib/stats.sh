# shellcheck shell=bash
# Small figures helpers (sourced by run-bench.sh).

# The value of KEY in a line of key=value pairs.
field() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }

# Median, minimum and maximum of the numbers on stdin, as "median min max".
median_min_max() {
  sort -g | awk '{ v[NR] = $1 }
    END {
      if (NR == 0) { print "? ? ?"; exit }
      m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "%.1f %.1f %.1f\n", m, v[1], v[NR]
    }'
}

# A / B to two decimals, or "?" when B is zero or unknown.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 == 0 || a == "?") print "?"; else printf "%.2f\n", a / b }'; }

# "yes" when A <= B, "no" otherwise, "?" when either is unknown.
at_most() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "?" || b == "?") print "?"; else print (a + 0 <= b + 0) ? "yes" : "no" }'; }

kib() { awk -v bytes="$1" 'BEGIN { printf "%.1f\n", bytes / 1024 }'; }
ns_to_ms() { awk -v ns="$1" 'BEGIN { printf "%.1f\n", ns / 1e6 }'; }
