#!/usr/bin/python3
"""Checks README.TXT and LICENSE.TXT as each Windows ZIP and installer holds
them (the installer's unpacked with msiextract), without running anything:
  - every line of both ends with CR LF, for Notepad of every Windows version;
  - both are plain ASCII, the same under every code page;
  - LICENSE.TXT is the project's LICENSE;
  - README.TXT names the contact address and the home page, the Windows
    versions, the four statuses and how to read them, installing (by hand,
    with the installer or a package manager) and uninstalling, and how
    non-ASCII arguments arrive;
  - a ZIP and an installer of the same architecture hold the same texts.
Prints one line per failed check and a closing count; status 1 on any.

Usage: tests/release_texts_test.py LICENSE CONTACT HOMEPAGE FILE...  (*.zip, *.msi)
"""
import os
import re
import subprocess
import tempfile
import zipfile

from checks import Checks, run

# What README.TXT must say, each as a pattern over its text.
README_MUST_SAY = {
    "the statuses 0, 1, 9 and 255": r"\n +0 +found.*\n +1 +not found.*\n +9 +.*\n +255 +",
    "how to install": r"msiexec /i hostlix-[0-9.]+-x(64|86)\.msi",
    "how to uninstall": r"msiexec /x hostlix-[0-9.]+-x(64|86)\.msi",
    "how to read the status": r"%ERRORLEVEL%[\s\S]*\$LASTEXITCODE",
    "the Windows versions": r"Windows 7, 8, 8\.1, 10 and 11",
    "how to use it": r"\nUsage\n",
    "the package managers": r"winget install[\s\S]*scoop install",
    "where the licence is": r"LICENSE\.TXT",
    "that arguments arrive in the ANSI code page": r"Non-ASCII .*ANSI code page",
}


def texts_of(path, scratch):
    """{name: bytes} of README.TXT and LICENSE.TXT in a ZIP or an MSI."""
    names = ("README.TXT", "LICENSE.TXT")
    if path.lower().endswith(".zip"):
        with zipfile.ZipFile(path) as archive:
            return {name: archive.read(name) for name in names}
    out = tempfile.mkdtemp(dir=scratch)
    subprocess.run(["msiextract", "-C", out, path], check=True, stdout=subprocess.DEVNULL)
    found = {}
    for folder, _, files in os.walk(out):
        for name in set(files) & set(names):
            with open(os.path.join(folder, name), "rb") as f:
                found[name] = f.read()
    return found


def problems_of(texts, license_text, contact, homepage):
    problems = []
    for name in ("README.TXT", "LICENSE.TXT"):
        data = texts.get(name)
        if data is None:
            problems.append(f"no {name}")
            continue
        lines = data.split(b"\n")
        if lines[-1] != b"":
            problems.append(f"{name}: the last line has no line end")
        for number, line in enumerate(lines[:-1], 1):
            if not line.endswith(b"\r") or b"\r" in line[:-1]:
                problems.append(f"{name}: line {number} does not end with CR LF")
        if any(byte > 127 for byte in data):
            problems.append(f"{name}: not plain ASCII")
    if texts.get("LICENSE.TXT") != license_text.replace(b"\n", b"\r\n"):
        problems.append("LICENSE.TXT is not the project's LICENSE in CR LF lines")
    readme = texts.get("README.TXT", b"").decode("ascii", "replace").replace("\r\n", "\n")
    wanted = dict(README_MUST_SAY)
    wanted[f"the contact address {contact}"] = re.escape(contact)
    wanted[f"the home page {homepage}"] = re.escape(homepage)
    for what, pattern in wanted.items():
        if not re.search(pattern, readme):
            problems.append(f"README.TXT does not say {what}")
    return problems


def main(license_path, contact, homepage, paths):
    with open(license_path, "rb") as f:
        license_text = f.read()
    checks = Checks()
    by_arch = {}
    with tempfile.TemporaryDirectory() as scratch:
        for path in paths:
            texts = texts_of(path, scratch)
            problems = problems_of(texts, license_text, contact, homepage)
            arch = re.search(r"-(win64|x64|win32|x86)\.(zip|msi)$", path)
            arch = {"win64": "x64", "win32": "x86"}.get(arch.group(1), arch.group(1)) if arch else path
            if by_arch.setdefault(arch, texts) != texts:
                problems.append(f"texts differ from those of {arch}'s other package")
            checks.item(path, problems)
    return checks.summary()


if __name__ == "__main__":
    run(main, __doc__)
