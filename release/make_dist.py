#!/usr/bin/env python3
"""Writes the release files into OUT, for the i686 (x86) and the x86-64 (x64) exe.

  ventrix-VERSION.zip      the x86 exe, LICENSE.txt and README.txt (the user guide taken from
                           README.md, see readme_guide.py), in that order
  ventrix-VERSION-x64.zip  the same with the x64 exe
  x86/ventrix.exe, x64/ventrix.exe
                           the exes beside the zips; signed, each with its signature alone
                           in ventrix.exe.sig, when a signing key is given
  ventrixMAJOR.txt         the version file that the program's web update check reads: the
                           version and the x86 zip's address (it runs wherever the x64 one does)
  winget/, scoop/          package manifests for both zips (manifests.py)
  SHA256SUMS               the SHA-256 checksums of every other file, as sha256sum writes them

The same inputs give the same bytes: every zip entry is dated SOURCE_DATE_EPOCH (the commit's
time; the zip format's earliest date, 1980-01-01, when it is unset or earlier), with fixed
attributes, in a fixed order, and a signature carries that time as its signing time. The texts
get Windows line ends.

Usage: make_dist.py --exe-x86 EXE --exe-x64 EXE --source SOURCE_DIR --out OUT
                    [--release-url https://...] [--sign-pkcs12 KEY.p12 --sign-pass-file FILE]
"""

import argparse
import hashlib
import os
import pathlib
import shutil
import subprocess
import sys
import time
import zipfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import manifests  # noqa: E402
import readme_guide  # noqa: E402
from release_facts import ARCHITECTURES, release_of  # noqa: E402

EARLIEST_ZIP_TIME = (1980, 1, 1, 0, 0, 0)
MSDOS = 0  # the zip's "made by" system: no Unix permissions recorded
ZIP_LEVEL = 9
SUMS = "SHA256SUMS"
SIGNATURE_SUFFIX = ".sig"


def source_date_epoch():
    return int(os.environ.get("SOURCE_DATE_EPOCH") or 0)


def zip_time():
    return max(EARLIEST_ZIP_TIME, time.gmtime(source_date_epoch())[:6])


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


def sign(unsigned, signed, pkcs12, pass_file):
    """Authenticode with SHA-256, signed at the commit's time so the bytes are reproducible;
    the signature alone goes beside the signed exe."""
    subprocess.run(["osslsigncode", "sign", "-pkcs12", str(pkcs12), "-readpass", str(pass_file),
                    "-h", "sha256", "-time", str(source_date_epoch()), "-in", str(unsigned),
                    "-out", str(signed)], check=True, stdout=subprocess.DEVNULL)
    signature = signed.with_name(signed.name + SIGNATURE_SUFFIX)
    subprocess.run(["osslsigncode", "extract-signature", "-in", str(signed), "-out",
                    str(signature)], check=True, stdout=subprocess.DEVNULL)


def write_text(path, text):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(text, encoding="utf-8", newline="\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for arch in ARCHITECTURES:
        parser.add_argument(f"--exe-{arch}", type=pathlib.Path, required=True)
    parser.add_argument("--source", type=pathlib.Path, required=True)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    parser.add_argument("--release-url")
    parser.add_argument("--sign-pkcs12", type=pathlib.Path)
    parser.add_argument("--sign-pass-file", type=pathlib.Path)
    args = parser.parse_args()
    if (args.sign_pkcs12 is None) != (args.sign_pass_file is None):
        parser.error("signing needs both --sign-pkcs12 and --sign-pass-file")

    release = release_of(args.source, args.release_url)
    readme = (args.source / "README.md").read_text(encoding="utf-8")
    guide = windows_text(readme_guide.guide_text(readme, f"Ventrix {release.version}"))
    licence = windows_text((args.source / "LICENSE").read_text(encoding="utf-8"))

    if args.out.exists():
        shutil.rmtree(args.out)
    args.out.mkdir(parents=True)
    for arch in ARCHITECTURES:
        exe = args.out / release.exe_path(arch)
        exe.parent.mkdir(parents=True)
        built = getattr(args, f"exe_{arch}")
        if args.sign_pkcs12:
            sign(built, exe, args.sign_pkcs12, args.sign_pass_file)
        else:
            shutil.copyfile(built, exe)
        write_zip(args.out / release.zip_name(arch),
                  [("ventrix.exe", exe.read_bytes()), ("LICENSE.txt", licence),
                   ("README.txt", guide)])

    write_text(args.out / release.version_file_name,
               "# Ventrix release information\n"
               f"version: {release.version}\n"
               f"download: {release.zip_url('x86')}\n")

    def sha256_of_zip(arch):
        return sha256(args.out / release.zip_name(arch))

    for name, text in manifests.winget(release, sha256_of_zip).items():
        write_text(args.out / "winget" / name, text)
    write_text(args.out / "scoop" / "ventrix.json",
               manifests.scoop(release, sha256_of_zip, SUMS))

    files = sorted(path.relative_to(args.out).as_posix() for path in args.out.rglob("*")
                   if path.is_file())
    write_text(args.out / SUMS, "".join(f"{sha256(args.out / name)}  {name}\n" for name in files))
    print(f"release {release.version} in {args.out}: "
          + ", ".join(release.zip_name(arch) for arch in ARCHITECTURES)
          + f", manifests, {SUMS}" + (", signed" if args.sign_pkcs12 else ""))


if __name__ == "__main__":
    main()
