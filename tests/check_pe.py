#!/usr/bin/python3
"""Checks the hardening of every HOSTLIX.EXE it is given, as hardening-check
does for ELF files: a file named *.EXE directly, or the one inside a ZIP or
an MSI (unpacked with msiextract). Each must have
  - DYNAMIC_BASE with a relocation table, NX_COMPAT, TERMINAL_SERVER_AWARE;
    HIGH_ENTROPY_VA on x64, LARGE_ADDRESS_AWARE on x86;
  - Windows 7 (6.1) as OS and subsystem version, the console subsystem;
  - the stack protector (libssp's failure report is linked in);
  - the application manifest: asInvoker, Windows 7 to 10/11, no code page,
    no long-path setting;
  - imports only from the DLLs the command needs;
  - with --license, the version record's LegalCopyright: the copyright line
    of that LICENSE file.
Prints one line per failed check and a closing count; status 1 on any.

Usage: tests/check_pe.py [--license LICENSE] FILE...   (HOSTLIX.EXE, *.zip, *.msi)
"""
import argparse
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

import pefile

from checks import Checks

# The console, the socket library, COM start-up and the C runtime; ADVAPI32
# seeds the stack protector's canary.
ALLOWED_DLLS = {"kernel32.dll", "msvcrt.dll", "ole32.dll", "wsock32.dll", "advapi32.dll"}
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # Windows 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # Windows 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # Windows 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # Windows 10 and 11
}
DLL = pefile.DLL_CHARACTERISTICS
RT_MANIFEST = 24


def manifest_of(pe):
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return None
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id != RT_MANIFEST:
            continue
        for name in kind.directory.entries:
            if name.id != 1:
                continue
            for language in name.directory.entries:
                data = language.data.struct
                return pe.get_data(data.OffsetToData, data.Size)
    return None


def manifest_problems(text):
    if text is None:
        return ["no application manifest (RT_MANIFEST 1)"]
    problems = []
    root = ET.fromstring(text)
    levels = [e.get("level") for e in root.iter() if e.tag.endswith("}requestedExecutionLevel")]
    if levels != ["asInvoker"]:
        problems.append(f"manifest: execution level {levels}, want asInvoker")
    found = {e.get("Id").lower() for e in root.iter() if e.tag.endswith("}supportedOS")}
    if found != SUPPORTED_OS:
        problems.append(f"manifest: supportedOS {sorted(found)}")
    for setting in ("activeCodePage", "longPathAware"):
        if any(e.tag.endswith("}" + setting) for e in root.iter()):
            problems.append(f"manifest: has {setting}")
    return problems


def version_strings(pe):
    """The version record's StringFileInfo values, decoded."""
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    return strings


def problems_of(data, copyright_line):
    pe = pefile.PE(data=data)
    oh, fh = pe.OPTIONAL_HEADER, pe.FILE_HEADER
    x64 = fh.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]
    wanted = ["IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE", "IMAGE_DLLCHARACTERISTICS_NX_COMPAT",
              "IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE"]
    if x64:
        wanted.append("IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA")
    problems = [f"not {name[25:]}" for name in wanted if not oh.DllCharacteristics & DLL[name]]
    if not x64 and not fh.Characteristics & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_LARGE_ADDRESS_AWARE"]:
        problems.append("not LARGE_ADDRESS_AWARE")
    relocations = oh.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]]
    if relocations.Size == 0:
        problems.append("no relocation table: DYNAMIC_BASE cannot move the image")
    versions = (oh.MajorOperatingSystemVersion, oh.MinorOperatingSystemVersion,
                oh.MajorSubsystemVersion, oh.MinorSubsystemVersion)
    if versions != (6, 1, 6, 1):
        problems.append(f"OS and subsystem versions {versions}, want 6.1")
    if oh.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_CUI"]:
        problems.append("not a console program")
    if b"stack smashing detected" not in data:
        problems.append("no stack protector (libssp's __stack_chk_fail is not linked)")
    problems += manifest_problems(manifest_of(pe))
    dlls = {entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])}
    if dlls - ALLOWED_DLLS:
        problems.append(f"imports from {sorted(dlls - ALLOWED_DLLS)}")
    if "wsock32.dll" not in dlls:
        problems.append("no import from WSOCK32.DLL")
    if copyright_line is not None:
        legal = version_strings(pe).get("LegalCopyright")
        if legal != copyright_line:
            problems.append(f"LegalCopyright {legal!r}, want {copyright_line!r}")
    return problems


def executables(path, scratch):
    """Yields (name, bytes) of each HOSTLIX.EXE that the file is or holds."""
    lower = path.lower()
    if lower.endswith(".zip"):
        with zipfile.ZipFile(path) as archive:
            yield f"{path}:HOSTLIX.EXE", archive.read("HOSTLIX.EXE")
    elif lower.endswith(".msi"):
        out = tempfile.mkdtemp(dir=scratch)
        subprocess.run(["msiextract", "-C", out, path], check=True, stdout=subprocess.DEVNULL)
        found = [os.path.join(d, f) for d, _, fs in os.walk(out) for f in fs if f == "HOSTLIX.EXE"]
        if len(found) != 1:
            raise ValueError(f"{path} holds {len(found)} HOSTLIX.EXE")
        with open(found[0], "rb") as f:
            yield f"{path}:HOSTLIX.EXE", f.read()
    else:
        with open(path, "rb") as f:
            yield path, f.read()


def main(arguments):
    parser = argparse.ArgumentParser(usage=__doc__.strip().splitlines()[-1])
    parser.add_argument("--license")
    parser.add_argument("paths", nargs="+")
    options = parser.parse_args(arguments)
    copyright_line = None
    if options.license:
        with open(options.license, encoding="ascii") as f:
            copyright_line = next(line.strip() for line in f if line.startswith("Copyright "))
    checks = Checks()
    with tempfile.TemporaryDirectory() as scratch:
        for path in options.paths:
            for name, data in executables(path, scratch):
                checks.item(name, problems_of(data, copyright_line))
    return checks.summary()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
