#!/usr/bin/env bash
# Fuzzes one target for FUZZ_SECONDS (default 5) over a scratch corpus in WORK_DIR, seeded from the
# committed corpus, which is only read. Finds land in WORK_DIR/artifacts; the exit status is the
# fuzzer's (non-zero on a crash, a leak, a sanitizer report or a broken invariant).
#
# usage: run-fuzzer.sh FUZZER SEED_DIR WORK_DIR [extra libFuzzer flags...]
set -euo pipefail

fuzzer=$1
seeds=$2
work=$3
shift 3
seconds=${FUZZ_SECONDS:-5}
# Generous per-input limits: no input of these targets comes near them, and a slow machine
# must not turn a short run into a failure.
input_timeout_seconds=60
rss_limit_mb=2048

mkdir -p "$work/corpus" "$work/artifacts"
cp -R "$seeds/." "$work/corpus/"

flags=(-max_total_time="$seconds" -timeout="$input_timeout_seconds" -rss_limit_mb="$rss_limit_mb"
       -artifact_prefix="$work/artifacts/" -print_final_stats=1)
dictionary="${seeds%/}.dict"
[ -f "$dictionary" ] && flags+=(-dict="$dictionary")

echo "fuzzing $(basename "$fuzzer") for ${seconds}s over $work/corpus"
exec "$fuzzer" "${flags[@]}" "$@" "$work/corpus"
