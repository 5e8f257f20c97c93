#!/usr/bin/env bash
# Makes a fresh Wine prefix for one run of the Windows tier: Wine's caption-button font, a
# CD-ROM drive D: backed by a folder, and the Windows release each version-test executable is
# told it runs on.
set -euo pipefail
# shellcheck source=tests/wine/prefix.sh
source "$(dirname "$0")/prefix.sh"
prefix=${1:?usage: setup-prefix.sh PREFIX}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

wineserver -k 2>/dev/null || true
rm -rf "$prefix"
mkdir -p "$prefix"
wine_prefix_init
wineserver -w
wine_prefix_fonts

# D: is a CD-ROM drive (GetDriveTypeA answers 5); storage requests to it reach Wine's mount
# manager, which names them on stderr.
mkdir -p "$prefix/cdrom"
ln -sfn "$prefix/cdrom" "$prefix/dosdevices/d:"
wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f /reg:64 >/dev/null 2>&1
wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null 2>&1

# version_<release>_test.exe runs as that release.
for release in win95 win98 winme nt40 win2k winxp win2003 vista win7 win10; do
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\version_${release}_test.exe" \
    /v Version /d "$release" /f >/dev/null 2>&1
done

wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
# Keep one server alive between the test executables (each Wine start costs seconds).
wineserver -p60 </dev/null >/dev/null 2>&1
echo "Wine prefix ready: $prefix"
