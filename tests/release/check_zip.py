#!/usr/bin/python3
"""Reads back the release zip that CPack made and the program inside it.

  check_zip.py SOURCE_DIR BUILD_DIR [win64|win32]

The version is taken from project(VERSION) in CMakeLists.txt, as the build
takes it; the zip's name, its files and the exe's version resource must all
agree with it, and the exe must be built for the Windows the name says. Exits
non-zero with one line per fault.
"""
import io
import re
import sys
import zipfile

import pefile

# The size goal is the 64-bit program's; the 32-bit one is only reported.
MAX_EXE_BYTES = 600_000
MACHINE = {"win64": 0x8664, "win32": 0x14C}

src, build = sys.argv[1], sys.argv[2]
bits = sys.argv[3] if len(sys.argv) > 3 else "win64"
cmakelists = open(f"{src}/CMakeLists.txt", encoding="utf-8").read()
m = re.search(r'project\(\s*(\w+)\s+VERSION\s+([0-9.]+)(?:\s+DESCRIPTION\s+"([^"]*)")?', cmakelists)
if not m:
    sys.exit("check_zip: no project(NAME VERSION ...) in CMakeLists.txt")
name, version, description = m.group(1), m.group(2), m.group(3) or ""
faults = []

base = f"{name}-{version}-{bits}"
path = f"{build}/package/{base}.zip"
try:
    z = zipfile.ZipFile(path)
except OSError as e:
    sys.exit(f"check_zip: cannot open {path}: {e}")

want = {"tarvolo.exe", "Tarvolo.INI", "README.txt"}
try:
    open(f"{src}/resources/Tarvolo.html").close()
    want.add("Tarvolo.html")
except OSError:
    pass
names = [n for n in z.namelist() if not n.endswith("/")]
have = set()
for n in names:
    if not n.startswith(base + "/"):
        faults.append(f"{n}: not inside the folder {base}/")
    have.add(n.split("/", 1)[-1])
for n in sorted(want - have):
    faults.append(f"{n}: missing from the zip")
for n in sorted(have - want):
    faults.append(f"{n}: in the zip but should not be")

def member(n):
    return z.read(f"{base}/{n}") if n in have else b""

if "Tarvolo.INI" in have and member("Tarvolo.INI") != open(f"{src}/resources/Tarvolo.INI", "rb").read():
    faults.append("Tarvolo.INI: not the shipped file")
if "README.txt" in have and b"tarvolo.exe" not in member("README.txt"):
    faults.append("README.txt: does not say how to start tarvolo.exe")

exe = member("tarvolo.exe")
if exe:
    if bits == "win64" and len(exe) > MAX_EXE_BYTES:
        faults.append(f"tarvolo.exe: {len(exe)} bytes, more than {MAX_EXE_BYTES}")
    pe = pefile.PE(data=exe)
    if pe.FILE_HEADER.Machine != MACHINE[bits]:
        faults.append(f"tarvolo.exe: machine {pe.FILE_HEADER.Machine:#x}, not a {bits} program")
    sections = {s.Name.rstrip(b"\0").decode() for s in pe.sections}
    if any(s.startswith(".debug") for s in sections):
        faults.append("tarvolo.exe: still carries its debug sections")
    strings = {}
    for info in getattr(pe, "FileInfo", [[]])[0] if getattr(pe, "FileInfo", None) else []:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    expect = {"FileVersion": version, "ProductVersion": version, "ProductName": name,
              "FileDescription": description}
    for k, v in expect.items():
        if strings.get(k) != v:
            faults.append(f"tarvolo.exe: {k} is {strings.get(k)!r}, expected {v!r}")
    numbers = [int(p) for p in version.split(".")] + [0, 0, 0]
    fixed = pe.VS_FIXEDFILEINFO[0] if getattr(pe, "VS_FIXEDFILEINFO", None) else None
    got = (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
           fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF) if fixed else None
    if got != tuple(numbers[:4]):
        faults.append(f"tarvolo.exe: fixed file version {got}, expected {tuple(numbers[:4])}")

for f in faults:
    print("check_zip:", f)
if faults:
    sys.exit(1)
print(f"check_zip: {path}: {sorted(have)}, tarvolo.exe {len(exe)} bytes, version {version}")
