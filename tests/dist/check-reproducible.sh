#!/usr/bin/env bash
# Reproducible release: runs `make dist` in two copies of the source tree in two folders of
# different depth, one after the other and the second in another time zone and with another
# umask, and compares the SHA-256 sums of every release file. Both are signed with a throwaway
# key made here, so the signatures are compared too; the second copy also makes an unsigned
# release first, to which the first copy's detached signatures are attached: that gives the
# first copy's signed exes to the byte, as anyone who rebuilds the release gets them.
# `make dist` builds only the two exes and the release files. The first copy's dist/ stays
# for check_dist.py (signed), the second's unsigned one in dist-unsigned/.
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

# A throwaway signing key: a self-signed certificate in a PKCS#12 file with its password.
key=$work/key
mkdir -p "$key"
openssl rand -hex 16 >"$key/pass"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$key/key.pem" -out "$key/cert.pem" \
  -days 2 -subj "/CN=Ventrix release test" 2>/dev/null
openssl pkcs12 -export -inkey "$key/key.pem" -in "$key/cert.pem" -out "$key/key.p12" \
  -passout "file:$key/pass"
signing=(SIGN_PKCS12="$key/key.p12" SIGN_PASS_FILE="$key/pass")

release() {
  local dir=$1 log=$1.log
  shift
  if ! make -C "$dir" dist JOBS="$jobs" "$@" >>"$log" 2>&1; then
    tail -n 40 "$log"
    echo "FAIL - make dist in $dir"
    exit 1
  fi
}

copy_source "$first"
release "$first" "${signing[@]}"
copy_source "$second"
(export TZ=Pacific/Kiritimati && umask 077 && release "$second" &&
  mv "$second/dist" "$second/dist-unsigned" && release "$second" "${signing[@]}")

status=0
while IFS= read -r name; do
  one=$(sha256sum <"$first/dist/$name" | cut -d' ' -f1)
  two=$(sha256sum <"$second/dist/$name" 2>/dev/null | cut -d' ' -f1 || true)
  if [ "$one" = "$two" ]; then
    echo "ok - $name $one"
  else
    echo "FAIL - $name differs: $one in $first, ${two:-none} in $second"
    status=1
  fi
done < <(cd "$first/dist" && find . -type f | sort)
[ "$(cd "$first/dist" && find . | sort)" = "$(cd "$second/dist" && find . | sort)" ] ||
  { echo "FAIL - other files"; status=1; }

for arch in x86 x64; do
  signed=$first/dist/$arch/ventrix.exe
  unsigned=$second/dist-unsigned/$arch/ventrix.exe
  if osslsigncode verify -CAfile "$key/cert.pem" -in "$signed" >/dev/null 2>&1; then
    echo "ok - $arch/ventrix.exe carries a valid SHA-256 signature"
  else
    echo "FAIL - $arch/ventrix.exe: no valid signature"
    status=1
  fi
  attached=$work/$arch-attached.exe
  osslsigncode attach-signature -sigin "$signed.sig" -CAfile "$key/cert.pem" -in "$unsigned" \
    -out "$attached" >/dev/null 2>&1
  if cmp -s "$attached" "$signed"; then
    echo "ok - the $arch signature attached to a rebuilt unsigned exe gives the released bytes"
  else
    echo "FAIL - the $arch signature attached to a rebuilt unsigned exe differs from the release"
    status=1
  fi
done
exit $status
