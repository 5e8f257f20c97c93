#!/usr/bin/env python3
"""Checks that a Windows exe can load on Windows XP SP3 (XP x64 for an x86-64 exe) and later.

Windows' loader refuses a whole program when one imported function is missing from its DLL,
and Wine cannot show this: its "winxp" setting changes only the version numbers a program
reads, never what the system's DLLs export. So every function the exe imports must be on the
committed list of functions known to exist on Windows XP SP3 (xp_imports.txt beside this
script), each with the fact it rests on; nothing may be imported by ordinal (ordinals differ
between releases); the subsystem version must be one that XP's loader accepts; and the
manifest must name the exe's own architecture wherever it names one: Windows starts no x64
program whose manifest asks for the x86 common controls, while Wine only warns.

Usage: check_xp_load.py OBJDUMP EXE LIST
"""

import pathlib
import re
import subprocess
import sys

# The newest subsystem version each XP loader accepts: 5.1 (XP) for 32-bit programs, 5.2 (XP
# x64, built on Windows Server 2003) for 64-bit ones; and the oldest any Windows NT accepts.
NEWEST_SUBSYSTEM = {"PE32": (5, 1), "PE32+": (5, 2)}
# The processorArchitecture a manifest gives for each kind of exe.
MANIFEST_ARCHITECTURE = {"PE32": "x86", "PE32+": "amd64"}
MANIFEST = re.compile(rb"<assembly\b.*?</assembly>", re.DOTALL)
OLDEST_SUBSYSTEM = (3, 10)

IMPORT_LINE = re.compile(r"^\t[0-9a-f]+\t +[0-9]+(?: +(\S+))?\s*$")


def read_list(path):
    """The listed functions, as (dll, function) in lower and original case, each with its fact."""
    listed = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        name, _, fact = (part.strip() for part in line.partition("|"))
        dll, _, function = name.partition("!")
        if not dll or not function or not fact:
            sys.exit(f"{path.name}:{number}: want 'DLL!Function | fact', got: {line}")
        listed[(dll.lower(), function)] = fact
    return listed


def read_imports(dump):
    """(dll, function) for every import, function None for one imported by ordinal."""
    imports = []
    dll = None
    for line in dump.splitlines():
        if "DLL Name:" in line:
            dll = line.split("DLL Name:", 1)[1].strip().lower()
            continue
        match = IMPORT_LINE.match(line)
        if dll and match:
            imports.append((dll, match.group(1)))
    return imports


def header_version(dump, name):
    major = re.search(rf"^Major{name}Version\s+(\d+)$", dump, re.MULTILINE)
    minor = re.search(rf"^Minor{name}Version\s+(\d+)$", dump, re.MULTILINE)
    return (int(major.group(1)), int(minor.group(1))) if major and minor else None


def main():
    objdump, exe, list_path = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    dump = subprocess.run([objdump, "-p", str(exe)], check=True, capture_output=True,
                          text=True).stdout
    listed = read_list(list_path)
    failures = []

    imports = read_imports(dump)
    if not imports:
        failures.append("no imports found: objdump's output was not understood")
    for dll, function in imports:
        if function is None:
            failures.append(f"{dll} is imported by ordinal")
        elif (dll, function) not in listed:
            failures.append(f"{dll}!{function} is not on {list_path.name}: look up its minimum "
                            "Windows; a function newer than XP must be found at run time")

    kind = "PE32+" if re.search(r"^Magic\s+020b", dump, re.MULTILINE) else "PE32"
    subsystem = header_version(dump, "Subsystem")
    if subsystem is None or not OLDEST_SUBSYSTEM <= subsystem <= NEWEST_SUBSYSTEM[kind]:
        newest = "%d.%d" % NEWEST_SUBSYSTEM[kind]
        failures.append(f"subsystem version {subsystem} is one Windows XP refuses "
                        f"(a {kind} program needs at most {newest})")

    manifests = MANIFEST.findall(exe.read_bytes())
    if len(manifests) != 1:
        failures.append(f"{len(manifests)} manifests found, not one")
    for manifest in manifests:
        for architecture in re.findall(rb'processorArchitecture="([^"]*)"', manifest):
            if architecture.decode("ascii", "replace") != MANIFEST_ARCHITECTURE[kind]:
                failures.append(f"the manifest names processorArchitecture {architecture!r} "
                                f"in a {kind} program (want {MANIFEST_ARCHITECTURE[kind]})")

    for failure in failures:
        print("FAIL - " + failure)
    print(f"{exe.name} ({kind}, subsystem {subsystem}): {len(imports)} imports, "
          f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
