#!/usr/bin/python3
"""Checks the package managers' manifests of a Windows release folder (the
windows-release preset's build tree) against its files: every field winget
(manifest version 1.12.0) and Scoop require, each URL under the release
address, each hash against its file, and each installer's product and
upgrade codes and contact against its Property table (read with msiinfo);
the home page in both; no DisplayVersion, which would only repeat the
version; Scoop's checkver and autoupdate, which give this release's ZIPs
back for this version.

Usage: tests/release_manifests_test.py FOLDER VERSION RELEASE_URL CONTACT HOMEPAGE
"""
import hashlib
import json
import os
import re
import subprocess
import sys

import yaml

from checks import Checks

ID = "HOSTLIX.HOSTLIX"
checks = Checks()
check = checks.check


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def msi_properties(path):
    table = subprocess.run(["msiinfo", "export", path, "Property"], check=True,
                           capture_output=True, text=True).stdout
    return dict(line.split("\t", 1) for line in table.splitlines()[3:])


def main(folder, version, url, contact, homepage):
    msis = {arch: f"hostlix-{version}-{arch}.msi" for arch in ("x64", "x86")}
    zips = {"64bit": f"hostlix-{version}-win64.zip", "32bit": f"hostlix-{version}-win32.zip"}
    winget = os.path.join(folder, "winget")
    manifests = {}
    for kind, name in (("version", ID), ("installer", ID + ".installer"),
                       ("defaultLocale", ID + ".locale.en-US")):
        with open(os.path.join(winget, name + ".yaml"), encoding="utf-8") as f:
            manifests[kind] = yaml.safe_load(f)
    required = {
        "version": ["DefaultLocale"],
        "installer": ["Installers"],
        "defaultLocale": ["PackageLocale", "Publisher", "PackageName", "License",
                          "ShortDescription"],
    }
    for kind, manifest in manifests.items():
        check(f"{kind}: ManifestType", manifest.get("ManifestType") == kind)
        check(f"{kind}: ManifestVersion 1.12.0", manifest.get("ManifestVersion") == "1.12.0")
        check(f"{kind}: PackageIdentifier", manifest.get("PackageIdentifier") == ID)
        check(f"{kind}: PackageVersion {version}", manifest.get("PackageVersion") == version)
        for field in required[kind]:
            check(f"{kind}: {field}", manifest.get(field))
    check("DefaultLocale matches the locale manifest",
          manifests["version"].get("DefaultLocale") == manifests["defaultLocale"].get("PackageLocale"))
    locale = manifests["defaultLocale"]
    for field in ("PackageUrl", "PublisherUrl"):
        check(f"defaultLocale: {field} is {homepage}", locale.get(field) == homepage)
    check("defaultLocale: ShortDescription says IPv4", "IPv4" in str(locale.get("ShortDescription")))

    top = manifests["installer"]
    installers = {i.get("Architecture"): i for i in top.get("Installers") or []}
    check("installers for x64 and x86", sorted(installers) == ["x64", "x86"])
    upgrade_codes = set()
    for arch, name in msis.items():
        installer = {**top, **installers.get(arch, {})}
        path = os.path.join(folder, name)
        properties = msi_properties(path)
        check(f"{arch}: InstallerType msi", installer.get("InstallerType") == "msi")
        check(f"{arch}: Scope machine", installer.get("Scope") == "machine")
        check(f"{arch}: InstallerUrl", installer.get("InstallerUrl") == f"{url}/{name}")
        check(f"{arch}: InstallerSha256 is {name}'s",
              str(installer.get("InstallerSha256", "")).lower() == sha256(path))
        check(f"{arch}: ProductCode is {name}'s",
              installer.get("ProductCode") == properties["ProductCode"])
        entries = installer.get("AppsAndFeaturesEntries") or [{}]
        check(f"{arch}: UpgradeCode is {name}'s",
              entries[0].get("UpgradeCode") == properties["UpgradeCode"])
        check(f"{arch}: no DisplayVersion", not any("DisplayVersion" in e for e in entries))
        check(f"{arch}: the MSI's ProductVersion is {version}",
              properties["ProductVersion"] == version)
        check(f"{arch}: the MSI's contact is {contact}", properties.get("ARPCONTACT") == contact)
        upgrade_codes.add(properties["UpgradeCode"])
        check(f"{arch}: ProductCode is a braced GUID",
              re.fullmatch(r"\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}", properties["ProductCode"]))
    check("one UpgradeCode for both installers", len(upgrade_codes) == 1)

    with open(os.path.join(folder, "scoop", "hostlix.json"), encoding="utf-8") as f:
        scoop = json.load(f)
    check("scoop: version", scoop.get("version") == version)
    for field in ("description", "license"):
        check(f"scoop: {field}", scoop.get(field))
    check(f"scoop: homepage {homepage}", scoop.get("homepage") == homepage)
    checkver = scoop.get("checkver") or {}
    check("scoop: checkver looks at the home page", checkver.get("url") == homepage)
    autoupdate = scoop.get("autoupdate", {}).get("architecture", {})
    check("scoop: bin HOSTLIX.EXE", scoop.get("bin") == "HOSTLIX.EXE")
    for arch, name in zips.items():
        entry = scoop.get("architecture", {}).get(arch, {})
        check(f"scoop {arch}: url", entry.get("url") == f"{url}/{name}")
        check(f"scoop {arch}: hash is {name}'s",
              entry.get("hash") == sha256(os.path.join(folder, name)))
        match = re.search(checkver.get("regex", "^$"), f'<a href="{name}">')
        check(f"scoop: checkver finds {version} in a link to {name}",
              arch != "64bit" or (match and match.group(1) == version))
        update = autoupdate.get(arch, {}).get("url", "")
        check(f"scoop {arch}: autoupdate gives this url for {version}",
              "$version" in update and update.replace("$version", version) == entry.get("url"))
    return checks.summary()


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit(__doc__.strip().splitlines()[-1])
    sys.exit(main(*sys.argv[1:]))
