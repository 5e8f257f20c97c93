#!/usr/bin/env python3
"""Checks a release folder as `make dist` writes it.

- each zip (ventrix-VERSION.zip for x86, ventrix-VERSION-x64.zip) holds exactly ventrix.exe,
  LICENSE.txt and README.txt, in that order, each dated alike; its ventrix.exe is the one in
  the architecture's folder and is built for that architecture; LICENSE.txt is the source
  tree's LICENSE; README.txt is the user guide with the introduction and the sections Install,
  Command line and Behaviour notes, in plain text;
- SHA256SUMS names every other file, each with its checksum (what `sha256sum -c` checks);
- ventrixMAJOR.txt publishes VERSION and the x86 zip's address, in the version file's format;
- the winget and Scoop manifests carry the fields their schemas require, each zip's checksum,
  and https addresses that carry the version;
- with --signed, each exe has its signature beside it (the signing itself is checked by
  check-reproducible.sh, which has the key).

Usage: check_dist.py DIST_DIR SOURCE_DIR [--signed]
"""

import hashlib
import json
import pathlib
import re
import struct
import sys
import zipfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "release"))
import manifests  # noqa: E402
from release_facts import ARCHITECTURES, release_of  # noqa: E402

ENTRIES = ["ventrix.exe", "LICENSE.txt", "README.txt"]
GUIDE_HEADINGS = ["Install", "Command line", "Behaviour notes"]
# What a user needs from the guide's Install section.
GUIDE_PHRASES = ["certutil -hashfile ventrix.exe SHA256", "Get-FileHash", "shell:startup",
                 'reg delete "HKCU\\Software\\VB and VBA Program Settings\\Ventrix 3" /f',
                 "winget install --manifest", "scoop install"]
MARKDOWN = re.compile(r"\*\*|`|\]\(|^#|^\|", re.MULTILINE)
# The PE machine field of each architecture's exe.
MACHINES = {"x86": 0x14C, "x64": 0x8664}
# Required by manifest schema 1.12.0: the version, installer and default locale manifests, and
# each installer entry (InstallerType may stand at the top instead).
WINGET_REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType",
                "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType",
                  "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher",
                      "PackageName", "License", "ShortDescription", "ManifestType",
                      "ManifestVersion"],
}
WINGET_INSTALLER_REQUIRED = ["Architecture", "InstallerUrl", "InstallerSha256"]
# What Scoop needs to install, update and check: see its manifest reference.
SCOOP_REQUIRED = ["version", "description", "homepage", "license", "architecture", "bin",
                  "shortcuts", "checkver", "autoupdate"]

failures = []


def check(condition, what):
    print(("ok - " if condition else "FAIL - ") + what)
    if not condition:
        failures.append(what)


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def pe_machine(exe):
    if exe[:2] != b"MZ" or len(exe) < 0x40:
        return None
    header = struct.unpack_from("<I", exe, 0x3C)[0]
    if exe[header:header + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<H", exe, header + 4)[0]


def scalar(text):
    text = text.strip()
    return json.loads(text) if text.startswith('"') else text


def read_winget(path):
    """The top-level fields of one of our winget files, and its list items as dicts."""
    fields, items, current = {}, [], None
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        if line.startswith("- ") or line.startswith("  "):
            if line.startswith("- "):
                current = {}
                items.append((list(fields)[-1], current))
            key, _, value = line[2:].partition(":")
            current[key.strip()] = scalar(value)
        else:
            key, _, value = line.partition(":")
            fields[key.strip()] = scalar(value) if value.strip() else None
    return fields, items


def check_zip(dist, source, release, arch, exe_beside):
    zip_path = dist / release.zip_name(arch)
    check(zip_path.is_file(), f"{zip_path.name} exists")
    if not zip_path.is_file():
        return
    with zipfile.ZipFile(zip_path) as archive:
        infos = archive.infolist()
        check([info.filename for info in infos] == ENTRIES,
              f"{zip_path.name} holds " + ", ".join(ENTRIES))
        check(len({info.date_time for info in infos}) == 1,
              f"every entry of {zip_path.name} carries the same date")
        contents = {info.filename: archive.read(info) for info in infos}

    exe = contents.get("ventrix.exe", b"")
    check(pe_machine(exe) == MACHINES[arch], f"the exe in {zip_path.name} is built for {arch}")
    check(exe_beside == exe, f"the exe in {zip_path.name} is {release.exe_path(arch)}")
    licence = contents.get("LICENSE.txt", b"").decode("utf-8", "replace")
    expected_licence = (source / "LICENSE").read_text(encoding="utf-8").replace("\n", "\r\n")
    check(licence == expected_licence, f"LICENSE.txt in {zip_path.name} is LICENSE")

    guide = contents.get("README.txt", b"").decode("utf-8", "replace")
    lines = guide.split("\r\n")
    check(lines[0] == f"Ventrix {release.version}", "the guide is titled with the version")
    for heading in GUIDE_HEADINGS:
        underlined = any(lines[i] == heading and lines[i + 1] == "-" * len(heading)
                         for i in range(len(lines) - 1))
        check(underlined, f"the guide has the section {heading}")
    for phrase in GUIDE_PHRASES:
        check(phrase in guide, f"the guide says {phrase}")
    check(not MARKDOWN.search(guide), "the guide is plain text, no Markdown left")
    check("\n" not in guide.replace("\r\n", ""), "the guide has Windows line ends only")


def check_address(url, what, release):
    check(url.startswith("https://") and release.version in url and "latest" not in url.lower(),
          f"{what} is a versioned https address: {url}")


def check_winget(dist, release, zip_sums):
    folder = dist / "winget"
    identifier = manifests.PACKAGE["identifier"]
    names = {"version": f"{identifier}.yaml", "installer": f"{identifier}.installer.yaml",
             "defaultLocale": f"{identifier}.locale.{manifests.PACKAGE['locale']}.yaml"}
    for kind, name in names.items():
        path = folder / name
        check(path.is_file(), f"winget/{name} exists")
        if not path.is_file():
            continue
        text = path.read_text(encoding="utf-8")
        check(re.search(r"^PackageVersion: \"" + re.escape(release.version) + "\"$", text,
                        re.MULTILINE) is not None,
              f"winget/{name} quotes PackageVersion, so {release.version} stays a text")
        fields, items = read_winget(path)
        missing = [key for key in WINGET_REQUIRED[kind] if key not in fields]
        check(not missing, f"winget/{name} has every required field (missing: {missing})")
        check(fields.get("ManifestType") == kind and
              fields.get("ManifestVersion") == manifests.WINGET_SCHEMA,
              f"winget/{name} is a {kind} manifest of schema {manifests.WINGET_SCHEMA}")
        check(fields.get("PackageIdentifier") == identifier and
              fields.get("PackageVersion") == release.version,
              f"winget/{name} names {identifier} {release.version}")
        if kind != "installer":
            continue
        check(fields.get("InstallerType") == "zip" and
              fields.get("NestedInstallerType") == "portable",
              "the winget installers are zips holding a portable program")
        nested = [item for owner, item in items if owner == "NestedInstallerFiles"]
        check(nested == [{"RelativeFilePath": "ventrix.exe", "PortableCommandAlias": "ventrix"}],
              "the winget package runs ventrix.exe as the command ventrix")
        installers = {item.get("Architecture"): item for owner, item in items
                      if owner == "Installers"}
        check(sorted(installers) == sorted(manifests.WINGET_ARCHITECTURES.values()),
              "winget has one installer per architecture")
        for arch, winget_arch in manifests.WINGET_ARCHITECTURES.items():
            item = installers.get(winget_arch, {})
            check(all(key in item for key in WINGET_INSTALLER_REQUIRED),
                  f"the winget {winget_arch} installer has every required field")
            check(item.get("InstallerUrl") == release.zip_url(arch),
                  f"the winget {winget_arch} installer downloads {release.zip_name(arch)}")
            check_address(item.get("InstallerUrl", ""), f"the winget {winget_arch} address",
                          release)
            check(str(item.get("InstallerSha256", "")).lower() == zip_sums[arch],
                  f"the winget {winget_arch} checksum is that of {release.zip_name(arch)}")


def check_scoop(dist, release, zip_sums):
    path = dist / "scoop" / "ventrix.json"
    check(path.is_file(), "scoop/ventrix.json exists")
    if not path.is_file():
        return
    manifest = json.loads(path.read_text(encoding="utf-8"))
    missing = [key for key in SCOOP_REQUIRED if key not in manifest]
    check(not missing, f"the Scoop manifest has every field it needs (missing: {missing})")
    check(manifest.get("version") == release.version, f"Scoop's version is {release.version}")
    for arch, scoop_arch in manifests.SCOOP_ARCHITECTURES.items():
        entry = manifest.get("architecture", {}).get(scoop_arch, {})
        check(entry.get("url") == release.zip_url(arch),
              f"Scoop's {scoop_arch} download is {release.zip_name(arch)}")
        check_address(entry.get("url", ""), f"Scoop's {scoop_arch} address", release)
        check(entry.get("hash") == zip_sums[arch],
              f"Scoop's {scoop_arch} hash is that of {release.zip_name(arch)}")
        later = manifest.get("autoupdate", {}).get("architecture", {}).get(scoop_arch, {})
        check(later.get("url", "").replace("$version", release.version) ==
              release.zip_url(arch), f"Scoop's {scoop_arch} update address follows the version")
    check(manifest.get("bin") == "ventrix.exe", "Scoop puts ventrix.exe on the path")
    check(manifest.get("shortcuts") == [["ventrix.exe", "Ventrix"]],
          "Scoop makes a Start menu shortcut")
    check(manifest.get("checkver", {}).get("url") == release.version_file_url,
          "Scoop checks the version file for a new version")
    check(manifest.get("autoupdate", {}).get("hash", {}).get("url") == "$baseurl/SHA256SUMS",
          "Scoop's update takes its hashes from SHA256SUMS")


def main():
    dist, source = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    signed = "--signed" in sys.argv[3:]
    release = release_of(source)

    sums = {}
    for line in (dist / "SHA256SUMS").read_text(encoding="ascii").splitlines():
        digest, name = line.split("  ", 1)
        sums[name] = digest
    files = sorted(path.relative_to(dist).as_posix() for path in dist.rglob("*")
                   if path.is_file() and path.name != "SHA256SUMS")
    check(sorted(sums) == files, "SHA256SUMS names every other file of the release")
    check(all(sums.get(name) == sha256((dist / name).read_bytes()) for name in files),
          "every checksum in SHA256SUMS matches its file")
    for arch in ARCHITECTURES:
        check(release.zip_name(arch) in sums and release.exe_path(arch) in sums,
              f"SHA256SUMS names the {arch} zip and exe apart")
        signature = dist / (release.exe_path(arch) + ".sig")
        check(signature.is_file() == signed,
              f"the {arch} exe's signature is beside it" if signed else
              f"an unsigned release has no {arch} signature")
        exe = dist / release.exe_path(arch)
        check_zip(dist, source, release, arch, exe.read_bytes() if exe.is_file() else b"")

    version_file = dist / release.version_file_name
    fields = {}
    for line in version_file.read_text(encoding="ascii").splitlines():
        if line and not line.startswith("#"):
            key, value = line.split(":", 1)
            fields[key.strip()] = value.strip()
    check(fields.get("version") == release.version,
          f"{version_file.name} publishes version {release.version}")
    check(fields.get("download") == f"{release.site}/download/ventrix/{release.zip_name('x86')}",
          f"{version_file.name} gives the x86 zip's address under {release.site}")

    zip_sums = {arch: sums.get(release.zip_name(arch)) for arch in ARCHITECTURES}
    check_winget(dist, release, zip_sums)
    check_scoop(dist, release, zip_sums)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
