#!/usr/bin/python3
"""Checks the win32 deliverables with pefile, a PE reader no one here wrote.

Every module: a PE32 i386 DLL named <Module>.gau in its export directory,
exporting exactly ImportTable and Linkage (ImportTable's pointer null in the
data image), the version resource's values, every listed bitmap resource as
an 8-bit uncompressed bottom-up DIB of its listed size, and imports from
Windows system DLLs only. panelhost.exe: PE32 i386 with system imports only.

usage: check_files.py WIN32_BUILD_DIR SOURCE_DIR
"""
import os
import re
import struct
import sys

import pefile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "msvcrt.dll", "advapi32.dll", "gdi32.dll",
               "ntdll.dll", "shell32.dll", "ole32.dll"}
MODULES = [("Kestrum", "kestrum"), ("Navrel", "navrel"), ("Chronel", "chronel")]
RT_BITMAP = 2
RT_VERSION = 16

failures = []


def fail(where, what):
    failures.append(f"{where}: {what}")


def listed_bitmaps(source, folder):
    out = {}
    with open(os.path.join(source, folder, "bitmaps.inc")) as f:
        for line in f:
            m = re.match(r"BITMAP\((\d+),\s*(\d+),\s*(\d+),", line)
            if m:
                out[int(m[1])] = (int(m[2]), int(m[3]))
    return out


def check_common(pe, where):
    if pe.FILE_HEADER.Machine != 0x14C:
        fail(where, f"machine 0x{pe.FILE_HEADER.Machine:x}, not i386")
    if pe.OPTIONAL_HEADER.Magic != 0x10B:
        fail(where, "not PE32")
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        name = entry.dll.decode().lower()
        if name not in SYSTEM_DLLS:
            fail(where, f"imports from {name}, not a Windows system DLL")


def resources(pe, type_id):
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return
    for t in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if t.id != type_id:
            continue
        for name in t.directory.entries:
            for lang in name.directory.entries:
                data = pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
                yield name.id, data


def check_version(pe, where):
    if not hasattr(pe, "VS_FIXEDFILEINFO"):
        fail(where, "no version resource")
        return
    fixed = pe.VS_FIXEDFILEINFO[0]
    want = {"FileVersionMS": 0x10000, "FileVersionLS": 0, "ProductVersionMS": 0x10000,
            "ProductVersionLS": 0, "FileFlags": 0, "FileOS": 0x10004, "FileType": 1, "FileSubtype": 0}
    for field, value in want.items():
        if getattr(fixed, field) != value:
            fail(where, f"version {field} is 0x{getattr(fixed, field):x}, not 0x{value:x}")
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    for key, value in {"FileDescription": "Flight Simulator 2004 Gauge", "FileVersion": "1.0.0",
                       "ProductVersion": "1.0.0"}.items():
        if strings.get(key) != value:
            fail(where, f"version string {key} is {strings.get(key)!r}, not {value!r}")


def check_module(build, source, name, folder):
    path = os.path.join(build, "gauges", name + ".gau")
    where = os.path.basename(path)
    if not os.path.exists(path):
        fail(where, "missing")
        return
    pe = pefile.PE(path)
    check_common(pe, where)
    if not pe.is_dll():
        fail(where, "not a DLL")
    exports = pe.DIRECTORY_ENTRY_EXPORT
    if exports.name != (name + ".gau").encode():
        fail(where, f"export directory names {exports.name!r}")
    names = sorted(s.name.decode() for s in exports.symbols if s.name)
    if names != ["ImportTable", "Linkage"] or len(exports.symbols) != 2:
        fail(where, f"exports {names} ({len(exports.symbols)} entries), not exactly ImportTable and Linkage")
    for s in exports.symbols:
        if s.name == b"ImportTable":
            words = struct.unpack("<4I", pe.get_data(s.address, 16))
            if words != (0x0F, 0, 0, 0):
                fail(where, f"ImportTable in the data image is {[hex(w) for w in words]}")
        if s.name == b"Linkage":
            head = struct.unpack("<6I", pe.get_data(s.address, 24))
            if head[0] != 0x13 or head[3:] != (0, 0, 0x900):
                fail(where, f"Linkage starts {[hex(w) for w in head]}")
    check_version(pe, where)
    listed = listed_bitmaps(source, folder)
    found = {}
    for rid, data in resources(pe, RT_BITMAP):
        found[rid] = data
    if sorted(found) != sorted(listed):
        fail(where, f"bitmap resources {sorted(found)} differ from the list {sorted(listed)}")
    for rid, data in found.items():
        size, w, h, planes, bpp, comp = struct.unpack("<IiiHHI", data[:20])
        colours = struct.unpack("<I", data[32:36])[0] or 256
        stride = (w + 3) & ~3
        if (bpp, comp, planes) != (8, 0, 1):
            fail(where, f"bitmap {rid}: {bpp} bits, compression {comp}")
        if h <= 0:
            fail(where, f"bitmap {rid}: not bottom-up")
        if rid in listed and (w, h) != listed[rid]:
            fail(where, f"bitmap {rid}: {w} x {h}, listed {listed[rid]}")
        if len(data) < size + 4 * colours + stride * abs(h):
            fail(where, f"bitmap {rid}: pixel data truncated")


def main():
    build, source = sys.argv[1], sys.argv[2]
    checked = 0
    for name, folder in MODULES:
        if os.path.exists(os.path.join(source, folder, "bitmaps.inc")):
            check_module(build, source, name, folder)
            checked += 1
    exe = os.path.join(build, "bin", "panelhost.exe")
    pe = pefile.PE(exe)
    check_common(pe, "panelhost.exe")
    for f in failures:
        print("FAIL", f)
    print(f"win32 files: {checked} modules and panelhost.exe checked, {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
