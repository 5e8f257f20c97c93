#!/usr/bin/env python3
"""Checks a release folder as `make dist` writes it.

- ventrix-VERSION.zip holds exactly ventrix.exe, LICENSE.txt and README.txt, in that order,
  each dated alike; LICENSE.txt is the source tree's LICENSE; README.txt is the user guide with
  the introduction and the sections Install, Command line and Behaviour notes, in plain text;
- SHA256SUMS names ventrix.exe and the zip, and its sums are those of the zip and of the
  ventrix.exe inside it (and of the ventrix.exe beside it);
- ventrixMAJOR.txt publishes VERSION and the zip's address under SITE, in the version file's
  format (key: value lines, '#' comments).

Usage: check_dist.py DIST_DIR SOURCE_DIR VERSION SITE
"""

import hashlib
import pathlib
import re
import sys
import zipfile

ENTRIES = ["ventrix.exe", "LICENSE.txt", "README.txt"]
GUIDE_HEADINGS = ["Install", "Command line", "Behaviour notes"]
# What a user needs from the guide's Install section.
GUIDE_PHRASES = ["certutil -hashfile ventrix.exe SHA256", "Get-FileHash", "shell:startup",
                 'reg delete "HKCU\\Software\\VB and VBA Program Settings\\Ventrix 3" /f']
MARKDOWN = re.compile(r"\*\*|`|\]\(|^#|^\|", re.MULTILINE)

failures = []


def check(condition, what):
    print(("ok - " if condition else "FAIL - ") + what)
    if not condition:
        failures.append(what)


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def main():
    dist, source, version, site = (sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4])
    dist, source = pathlib.Path(dist), pathlib.Path(source)
    zip_path = dist / f"ventrix-{version}.zip"
    check(zip_path.is_file(), f"{zip_path.name} exists")
    if failures:
        return 1

    with zipfile.ZipFile(zip_path) as archive:
        infos = archive.infolist()
        check([info.filename for info in infos] == ENTRIES, "the zip holds " + ", ".join(ENTRIES))
        check(len({info.date_time for info in infos}) == 1, "every entry carries the same date")
        contents = {info.filename: archive.read(info) for info in infos}

    exe = contents.get("ventrix.exe", b"")
    check(exe[:2] == b"MZ", "ventrix.exe in the zip is a Windows program")
    licence = contents.get("LICENSE.txt", b"").decode("utf-8", "replace")
    expected_licence = (source / "LICENSE").read_text(encoding="utf-8").replace("\n", "\r\n")
    check(licence == expected_licence, "LICENSE.txt is LICENSE with Windows line ends")

    guide = contents.get("README.txt", b"").decode("utf-8", "replace")
    lines = guide.split("\r\n")
    check(lines[0] == f"Ventrix {version}", "the guide is titled with the version")
    for heading in GUIDE_HEADINGS:
        underlined = any(lines[i] == heading and lines[i + 1] == "-" * len(heading)
                         for i in range(len(lines) - 1))
        check(underlined, f"the guide has the section {heading}")
    for phrase in GUIDE_PHRASES:
        check(phrase in guide, f"the guide says {phrase}")
    check(not MARKDOWN.search(guide), "the guide is plain text, no Markdown left")
    check("\n" not in guide.replace("\r\n", ""), "the guide has Windows line ends only")

    sums = {}
    for line in (dist / "SHA256SUMS").read_text(encoding="ascii").splitlines():
        digest, name = line.split("  ", 1)
        sums[name] = digest
    check(sorted(sums) == sorted(["ventrix.exe", zip_path.name]), "SHA256SUMS names the exe and zip")
    check(sums.get(zip_path.name) == sha256(zip_path.read_bytes()), "the zip's checksum matches")
    check(sums.get("ventrix.exe") == sha256(exe), "the checksum of the zipped ventrix.exe matches")
    check((dist / "ventrix.exe").read_bytes() == exe, "the zipped ventrix.exe is the one beside it")

    version_file = dist / f"ventrix{version.split('.')[0]}.txt"
    fields = {}
    for line in version_file.read_text(encoding="ascii").splitlines():
        if line and not line.startswith("#"):
            key, value = line.split(":", 1)
            fields[key.strip()] = value.strip()
    check(fields.get("version") == version, f"{version_file.name} publishes version {version}")
    check(fields.get("download") == f"{site}/download/ventrix/{zip_path.name}",
          f"{version_file.name} gives the zip's address under {site}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
