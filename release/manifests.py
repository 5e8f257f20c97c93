"""Package manifests for both zips, made from one set of facts about the package.

- winget: the three files of manifest schema 1.12.0 (version, installer, default locale) that
  `winget install --manifest <folder>` takes; each zip holds the portable ventrix.exe, run as
  the command `ventrix`.
- Scoop: one manifest for a bucket, with a 32-bit and a 64-bit download, the Start menu
  shortcut, and the version check and automatic update that follow the version file and
  SHA256SUMS of later releases.
"""

import json

WINGET_SCHEMA = "1.12.0"
WINGET_ARCHITECTURES = {"x86": "x86", "x64": "x64"}
SCOOP_ARCHITECTURES = {"x86": "32bit", "x64": "64bit"}

# The facts both formats take.
PACKAGE = {
    "identifier": "Tarrowby.Ventrix",
    "publisher": "Tarrowby",
    "name": "Ventrix",
    "moniker": "ventrix",
    "licence": "MIT",
    "short_description": "Ejects, closes, locks and unlocks the tray of a CD or DVD drive "
                         "from the notification area.",
    "exe": "ventrix.exe",
    "command": "ventrix",
    "shortcut": "Ventrix",
    "locale": "en-US",
}


def _yaml_text(value):
    """A YAML scalar that always reads back as this string ("3.40" stays "3.40")."""
    return json.dumps(value, ensure_ascii=False)


def _yaml(kind, fields, tail=""):
    lines = [f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}."
             f"{WINGET_SCHEMA}.schema.json", ""]
    lines += [f"{key}: {_yaml_text(value)}" for key, value in fields]
    return "\n".join(lines) + "\n" + tail + \
        f"ManifestType: {kind}\nManifestVersion: {WINGET_SCHEMA}\n"


def winget(release, sha256_of_zip):
    """{file name: text} of the three winget files."""
    identifier, version = PACKAGE["identifier"], release.version
    head = [("PackageIdentifier", identifier), ("PackageVersion", version)]
    installers = "".join(
        f"- Architecture: {WINGET_ARCHITECTURES[arch]}\n"
        f"  InstallerUrl: {_yaml_text(release.zip_url(arch))}\n"
        f"  InstallerSha256: {sha256_of_zip(arch).upper()}\n" for arch in WINGET_ARCHITECTURES)
    installer_tail = (
        "InstallerType: zip\n"
        "NestedInstallerType: portable\n"
        "NestedInstallerFiles:\n"
        f"- RelativeFilePath: {_yaml_text(PACKAGE['exe'])}\n"
        f"  PortableCommandAlias: {_yaml_text(PACKAGE['command'])}\n"
        "Installers:\n" + installers)
    locale = head + [("PackageLocale", PACKAGE["locale"]), ("Publisher", PACKAGE["publisher"]),
                     ("PackageName", PACKAGE["name"]), ("PackageUrl", release.site),
                     ("License", PACKAGE["licence"]),
                     ("ShortDescription", PACKAGE["short_description"]),
                     ("Moniker", PACKAGE["moniker"])]
    return {
        f"{identifier}.yaml": _yaml("version", head + [("DefaultLocale", PACKAGE["locale"])]),
        f"{identifier}.installer.yaml": _yaml("installer", head, installer_tail),
        f"{identifier}.locale.{PACKAGE['locale']}.yaml": _yaml("defaultLocale", locale),
    }


def scoop(release, sha256_of_zip, sums_name):
    """The Scoop manifest's text. Its automatic update builds the next release's addresses
    from the same RELEASE_URL and reads their hashes from that release's SHA256SUMS."""
    def later(text):
        return text.replace(release.version, "$version")

    manifest = {
        "version": release.version,
        "description": PACKAGE["short_description"],
        "homepage": release.site,
        "license": PACKAGE["licence"],
        "architecture": {
            SCOOP_ARCHITECTURES[arch]: {"url": release.zip_url(arch), "hash": sha256_of_zip(arch)}
            for arch in SCOOP_ARCHITECTURES},
        "bin": PACKAGE["exe"],
        "shortcuts": [[PACKAGE["exe"], PACKAGE["shortcut"]]],
        "checkver": {"url": release.version_file_url, "regex": r"version:\s*([\d.]+)"},
        "autoupdate": {
            "architecture": {SCOOP_ARCHITECTURES[arch]: {"url": later(release.zip_url(arch))}
                             for arch in SCOOP_ARCHITECTURES},
            "hash": {"url": f"$baseurl/{sums_name}", "regex": r"$sha256\s+$basename"},
        },
    }
    return json.dumps(manifest, indent=4) + "\n"
