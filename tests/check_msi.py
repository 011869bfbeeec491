#!/usr/bin/python3
"""Checks the release's installers without running them, against the rules
Windows Installer applies before it installs anything, so that an installer
that cannot be executed here (x86 without a 32-bit Wine) is checked all the
same. Read with msitools (msiinfo), for each MSI:
  - the summary: the platform in Template (x64, or Intel for x86) with
    language 1033, a page count (the schema) of at least 200 for x64, a
    braced GUID as package code;
  - every component: a GUID, a KeyPath that is one of its own files, the
    64-bit attribute on x64 and not on x86, its folder under
    ProgramFiles64Folder on x64 and ProgramFilesFolder on x86;
  - the Property table: name, version, product and upgrade codes, per-machine
    installation, contact address and home page;
  - the Environment row that puts the folder on PATH, and its two actions;
  - the Upgrade table: the inclusive upgrade of every version up to this one,
    the detection of a newer one;
  - HOSTLIX.EXE versioned, with no hash row.
Both installers share one UpgradeCode. The architecture comes from the
file's name (hostlix-VERSION-x64.msi, -x86.msi). Prints one line per failed
check and a closing count; status 1 on any.

Usage: tests/check_msi.py VERSION CONTACT HOMEPAGE FILE.msi...
"""
import os
import re
import subprocess

from checks import Checks, run

GUID = r"\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}"
PLATFORM = {"x64": "x64", "x86": "Intel"}
PROGRAM_FILES = {"x64": "ProgramFiles64Folder", "x86": "ProgramFilesFolder"}
MIN_PAGE_COUNT = {"x64": 200, "x86": 100}
COMPONENT_64BIT = 256  # msidbComponentAttributes64bit
UPGRADE_INCLUSIVE = 513  # MigrateFeatures | VersionMaxInclusive
UPGRADE_ONLY_DETECT = 2


def msiinfo(*arguments):
    return subprocess.run(["msiinfo", *arguments], check=True, capture_output=True,
                          text=True).stdout


def table(msi, name):
    """The rows of a table as dicts (msiinfo export: names, types, key line)."""
    lines = msiinfo("export", msi, name).splitlines()
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:]]


def summary(msi):
    fields = {}
    for line in msiinfo("suminfo", msi).splitlines():
        key, _, value = line.partition(": ")
        fields[key] = value
    return fields


def folder_chain(directories, directory):
    chain = []
    while directory and directory not in chain:
        chain.append(directory)
        directory = directories.get(directory, {}).get("Directory_Parent", "")
    return chain


def checks_of(msi, arch, version, contact, homepage):
    """(description, passed) of every rule for one installer."""
    info = summary(msi)
    page_count = int((info.get("Version") or "0").split()[0])
    props = {row["Property"]: row["Value"] for row in table(msi, "Property")}
    files = {row["File"]: row for row in table(msi, "File")}
    directories = {row["Directory"]: row for row in table(msi, "Directory")}
    components = table(msi, "Component")
    sequence = {row["Action"] for row in table(msi, "InstallExecuteSequence")}
    environment = table(msi, "Environment")
    hashes = {row["File_"] for row in table(msi, "MsiFileHash")}
    upgrade_code = props.get("UpgradeCode", "")
    upgrades = {(row["VersionMin"], row["VersionMax"], row["Attributes"], row["ActionProperty"])
                for row in table(msi, "Upgrade") if row["UpgradeCode"] == upgrade_code}
    secure = set(props.get("SecureCustomProperties", "").split(";"))

    checks = [
        (f"Template is {PLATFORM[arch]};1033 (is {info.get('Template')})",
         info.get("Template") == f"{PLATFORM[arch]};1033"),
        (f"page count at least {MIN_PAGE_COUNT[arch]} (is {page_count})",
         page_count >= MIN_PAGE_COUNT[arch]),
        ("package code is a braced GUID",
         re.fullmatch(GUID, info.get("Revision number (UUID)", ""))),
        ("at least one component", components),
        ("ProductName HOSTLIX", props.get("ProductName") == "HOSTLIX"),
        (f"ProductVersion {version}", props.get("ProductVersion") == version),
        ("ProductCode is a braced GUID", re.fullmatch(GUID, props.get("ProductCode", ""))),
        ("UpgradeCode is a braced GUID", re.fullmatch(GUID, upgrade_code)),
        ("ALLUSERS 1 (per machine)", props.get("ALLUSERS") == "1"),
        (f"ARPCONTACT {contact}", props.get("ARPCONTACT") == contact),
        (f"ARPURLINFOABOUT {homepage}", props.get("ARPURLINFOABOUT") == homepage),
        ("one Environment row: [INSTALLDIR] appended to the system PATH, removed on uninstall",
         [(row["Name"], row["Value"]) for row in environment] == [("=-*PATH", "[~];[INSTALLDIR]")]),
        ("the Environment row's component exists",
         {row["Component_"] for row in environment} <= {row["Component"] for row in components}),
        ("WriteEnvironmentStrings and RemoveEnvironmentStrings are sequenced",
         {"WriteEnvironmentStrings", "RemoveEnvironmentStrings"} <= sequence),
        ("Upgrade: every version up to this one, inclusive, and a newer one detected",
         upgrades == {("", version, str(UPGRADE_INCLUSIVE), "WIX_UPGRADE_DETECTED"),
                      (version, "", str(UPGRADE_ONLY_DETECT), "WIX_DOWNGRADE_DETECTED")}),
        ("the Upgrade actions' properties are secure",
         {"WIX_UPGRADE_DETECTED", "WIX_DOWNGRADE_DETECTED"} <= secure),
        ("HOSTLIX.EXE has a four-part version and language 1033",
         re.fullmatch(r"\d+\.\d+\.\d+\.\d+", files.get("HOSTLIX.EXE", {}).get("Version", ""))
         and files["HOSTLIX.EXE"].get("Language") == "1033"),
        ("HOSTLIX.EXE has no MsiFileHash row", "HOSTLIX.EXE" not in hashes),
    ]
    for component in components:
        name = component["Component"]
        key = component["KeyPath"]
        is_64bit = bool(int(component["Attributes"] or 0) & COMPONENT_64BIT)
        chain = folder_chain(directories, component["Directory_"])
        checks += [
            (f"component {name}: a GUID", re.fullmatch(GUID, component["ComponentId"])),
            (f"component {name}: its KeyPath {key!r} is one of its files",
             files.get(key, {}).get("Component_") == name),
            (f"component {name}: {'' if arch == 'x64' else 'not '}marked 64-bit",
             is_64bit == (arch == "x64")),
            (f"component {name}: under {PROGRAM_FILES[arch]} (is under {chain})",
             PROGRAM_FILES[arch] in chain and not set(PROGRAM_FILES.values()) - {PROGRAM_FILES[arch]} & set(chain)),
        ]
    return checks, upgrade_code


def main(version, contact, homepage, msis):
    checks = Checks()
    upgrade_codes = set()
    for msi in msis:
        arch = re.search(r"-(x64|x86)\.msi$", os.path.basename(msi))
        checks.check(f"{msi}: named hostlix-VERSION-x64.msi or -x86.msi", arch)
        if not arch:
            continue
        rules, upgrade_code = checks_of(msi, arch.group(1), version, contact, homepage)
        upgrade_codes.add(upgrade_code)
        for what, ok in rules:
            checks.check(f"{msi}: {what}", ok)
    checks.check(f"the installers share one UpgradeCode (have {sorted(upgrade_codes)})",
                 len(upgrade_codes) <= 1)
    return checks.summary()


if __name__ == "__main__":
    run(main, __doc__)
