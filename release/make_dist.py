#!/usr/bin/env python3
"""Writes the release files into OUT: the zip, SHA256SUMS and the version file.

  ventrix-VERSION.zip  ventrix.exe, LICENSE.txt and README.txt (the user guide taken from
                       README.md, see readme_guide.py), in that order
  SHA256SUMS           the SHA-256 checksums of ventrix.exe and of the zip, as sha256sum writes them
  ventrixMAJOR.txt     the version file that the program's web update check reads: the version
                       and the zip's address under the web site

The same inputs give the same bytes: every zip entry is dated SOURCE_DATE_EPOCH (the commit's
time; the zip format's earliest date, 1980-01-01, when it is unset or earlier), with fixed
attributes, in a fixed order. The texts get Windows line ends.

Usage: make_dist.py --exe EXE --source SOURCE_DIR --version 3.36 --site https://... --out OUT
"""

import argparse
import hashlib
import os
import pathlib
import sys
import time
import zipfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import readme_guide  # noqa: E402

# The folder under the web site where the program's default Web Update URL looks for the
# version file (settings/general.cpp); the zip is published beside it.
DOWNLOAD_FOLDER = "download/ventrix"
EARLIEST_ZIP_TIME = (1980, 1, 1, 0, 0, 0)
MSDOS = 0  # the zip's "made by" system: no Unix permissions recorded
ZIP_LEVEL = 9


def zip_name(version):
    return f"ventrix-{version}.zip"


def version_file_name(version):
    return f"ventrix{version.split('.')[0]}.txt"


def zip_time():
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH") or 0)
    return max(EARLIEST_ZIP_TIME, time.gmtime(epoch)[:6])


def windows_text(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def write_zip(path, entries):
    when = zip_time()
    with zipfile.ZipFile(path, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=when)
            info.create_system = MSDOS
            info.external_attr = 0
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=ZIP_LEVEL)


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", type=pathlib.Path, required=True)
    parser.add_argument("--source", type=pathlib.Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--site", required=True)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    args = parser.parse_args()

    readme = (args.source / "README.md").read_text(encoding="utf-8")
    guide = readme_guide.guide_text(readme, f"Ventrix {args.version}")
    licence = (args.source / "LICENSE").read_text(encoding="utf-8")

    args.out.mkdir(parents=True, exist_ok=True)
    exe = args.out / "ventrix.exe"
    exe.write_bytes(args.exe.read_bytes())
    archive = args.out / zip_name(args.version)
    write_zip(archive, [("ventrix.exe", exe.read_bytes()),
                        ("LICENSE.txt", windows_text(licence)),
                        ("README.txt", windows_text(guide))])
    sums = "".join(f"{sha256(path)}  {path.name}\n" for path in (exe, archive))
    (args.out / "SHA256SUMS").write_text(sums, encoding="ascii", newline="\n")
    version_file = (
        "# Ventrix release information\n"
        f"version: {args.version}\n"
        f"download: {args.site}/{DOWNLOAD_FOLDER}/{archive.name}\n")
    (args.out / version_file_name(args.version)).write_text(version_file, encoding="ascii",
                                                            newline="\n")
    print(f"release {args.version} in {args.out}: {archive.name}, SHA256SUMS, "
          f"{version_file_name(args.version)}")


if __name__ == "__main__":
    main()
