#!/usr/bin/env bash
# Reproducible release: runs `make dist` twice, in two copies of the source tree in two folders
# of different depth, one after the other and the second in another time zone and with another
# umask, and compares the SHA-256 sums of every release file. `make dist` builds only
# ventrix.exe and the release files. The first copy's dist/ stays for check_dist.py.
# Usage: check-reproducible.sh WORK_DIR [JOBS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:?usage: check-reproducible.sh WORK_DIR [JOBS]}
jobs=${2:-$(nproc)}
# Both builds date the zip alike: the commit's time, as `make dist` takes it in a checkout.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)}

rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
first=$work/one
second=$work/second-build/two

# Copies the source tree as it is (committed or not), without builds, releases or git data.
copy_source() {
  mkdir -p "$1"
  tar -C "$root" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$1" -xf -
}

release() {
  local dir=$1 log=$1.log
  if ! make -C "$dir" dist JOBS="$jobs" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "FAIL - make dist in $dir"
    exit 1
  fi
}

copy_source "$first"
release "$first"
copy_source "$second"
(export TZ=Pacific/Kiritimati && umask 077 && release "$second")

status=0
for file in "$first"/dist/*; do
  name=$(basename "$file")
  one=$(sha256sum <"$file" | cut -d' ' -f1)
  two=$(sha256sum <"$second/dist/$name" 2>/dev/null | cut -d' ' -f1 || true)
  if [ "$one" = "$two" ]; then
    echo "ok - $name $one"
  else
    echo "FAIL - $name differs: $one in $first, ${two:-none} in $second"
    status=1
  fi
done
[ "$(ls "$first/dist")" = "$(ls "$second/dist")" ] || { echo "FAIL - other files"; status=1; }
exit $status
