"""What a release is: its version, where it is published and the names of its files.

The version and the web site are the program's own (src/program/version.h and
src/program/product.h); every download address is RELEASE_URL followed by a file name that
carries the version, so no address ever points at "the latest" release.
"""

import pathlib
import re
from dataclasses import dataclass

# The folder under the web site where the program's default Web Update URL looks for the
# version file (settings/general.cpp); the zips are published beside it.
DOWNLOAD_FOLDER = "download/ventrix"
# The architectures released, as (name in file names and folders, the exe's build).
ARCHITECTURES = ("x86", "x64")


def _read(pattern, path, what):
    match = re.search(pattern, path.read_text(encoding="utf-8"), re.MULTILINE)
    if not match:
        raise SystemExit(f"no {what} in {path}")
    return match


def source_version(source):
    version_h = pathlib.Path(source) / "src/program/version.h"
    major = _read(r"^#define VENTRIX_VERSION_MAJOR (\d+)$", version_h, "major version").group(1)
    minor = _read(r"^#define VENTRIX_VERSION_MINOR (\d+)$", version_h, "minor version").group(1)
    return f"{major}.{minor}"


def source_site(source):
    product_h = pathlib.Path(source) / "src/program/product.h"
    return _read(r'WebSiteUrl = "(https?://[^" ]+[^/"])"', product_h, "web site").group(1)


def checked_release_url(url):
    """RELEASE_URL without a trailing slash; https only, and never a "latest" link."""
    url = url.rstrip("/")
    if not re.fullmatch(r"https://[^\s\"'<>\\]+", url) or "latest" in url.lower():
        raise SystemExit(f"RELEASE_URL must be an https:// address of this release, not {url!r}")
    return url


@dataclass(frozen=True)
class Release:
    version: str
    site: str
    release_url: str

    @property
    def major(self):
        return self.version.split(".")[0]

    def zip_name(self, arch):
        return f"ventrix-{self.version}.zip" if arch == "x86" else f"ventrix-{self.version}-{arch}.zip"

    def zip_url(self, arch):
        return f"{self.release_url}/{self.zip_name(arch)}"

    def exe_path(self, arch):
        """The exe beside the zips, in a folder named after its architecture."""
        return f"{arch}/ventrix.exe"

    @property
    def version_file_name(self):
        return f"ventrix{self.major}.txt"

    @property
    def version_file_url(self):
        return f"{self.site}/{DOWNLOAD_FOLDER}/{self.version_file_name}"


def release_of(source, release_url=None):
    site = source_site(source)
    return Release(version=source_version(source), site=site,
                   release_url=checked_release_url(release_url or f"{site}/{DOWNLOAD_FOLDER}"))
