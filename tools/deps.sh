#!/usr/bin/env bash
# `make deps`: installs what the build and the tests need on Debian 12, only what is missing
# (as root, as on a fresh machine). A package index that cannot be fetched (a mirror in the
# middle of a sync) does not stop the set-up; only a package that cannot be installed does.
# 32-bit Wine is optional: it is tried only where the kernel runs 32-bit programs, and without
# it the Windows tiers run the x86-64 build under Wine's 64-bit loader.
set -uo pipefail

packages=(cmake g++ make googletest g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
  binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 wine wine64 xvfb xauth imagemagick xdotool python3 clang-format
  clang libclang-rt-14-dev fonts-wine osslsigncode)
commands=(cmake g++ i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix wine xvfb-run
  import xdotool python3 clang++ osslsigncode)
files=(/usr/src/googletest/CMakeLists.txt /usr/share/wine/fonts/marlett.ttf)
fuzzer_runtime='/usr/lib/llvm-14/lib/clang/14*/lib/linux/libclang_rt.fuzzer-x86_64.a'
# Where a machine that could not install 32-bit Wine says so, so that later runs do not try
# again (removed with the build folder).
wine32_unavailable=${DEPS_STAMP_DIR:-build}/wine32-unavailable

export DEBIAN_FRONTEND=noninteractive

missing() {
  local tool file
  for tool in "${commands[@]}"; do command -v "$tool" >/dev/null || return 0; done
  for file in "${files[@]}"; do [ -f "$file" ] || return 0; done
  # shellcheck disable=SC2086 # the runtime's path is a pattern
  compgen -G $fuzzer_runtime >/dev/null || return 0
  return 1
}

# One retry for an index that failed to download; then the lists at hand are used.
update_lists() {
  apt-get update -qq && return 0
  echo "Some package lists could not be fetched; trying once more..."
  sleep 5
  apt-get update -qq && return 0
  echo "Some package lists are still unavailable; going on with the lists at hand."
}

# Installs the packages; when the whole set fails, each alone, and names those that fail.
install_packages() {
  apt-get install -y -qq "$@" >/dev/null && return 0
  local package failed=()
  for package in "$@"; do
    apt-get install -y -qq "$package" >/dev/null 2>&1 || failed+=("$package")
  done
  [ ${#failed[@]} = 0 ] && return 0
  echo "The set-up cannot install: ${failed[*]}" >&2
  return 1
}

# A 96-byte 32-bit Linux program that only exits with code 7: whether this kernel runs 32-bit
# programs at all, asked without 32-bit Wine.
kernel_runs_32bit() {
  local probe status
  probe=$(mktemp)
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000'\
'\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000'\
'\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000'\
'\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\007\000\000\000\315\200' \
    >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  status=$?
  rm -f "$probe"
  [ "$status" = 7 ]
}

wine32_wanted() {
  [ -e "$wine32_unavailable" ] && return 1
  dpkg -s wine32:i386 >/dev/null 2>&1 && return 1
  kernel_runs_32bit
}

install_wine32() {
  echo "This kernel runs 32-bit programs: installing 32-bit Wine (wine32:i386)..."
  dpkg --add-architecture i386 && update_lists
  apt-get install -y -qq wine32:i386 >/dev/null 2>&1 && return 0
  echo "32-bit Wine (wine32:i386) cannot be installed here; the Windows tiers run the x86-64" \
    "build under Wine's 64-bit loader."
  # Without i386 packages the architecture goes again, so later updates do not fetch its lists.
  dpkg --remove-architecture i386 2>/dev/null && apt-get update -qq >/dev/null 2>&1
  mkdir -p "$(dirname "$wine32_unavailable")" && touch "$wine32_unavailable"
}

if missing; then
  echo "Installing build and test dependencies..."
  update_lists
  install_packages "${packages[@]}" || exit 1
fi
if wine32_wanted; then install_wine32; fi
exit 0
