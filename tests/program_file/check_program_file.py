#!/usr/bin/env python3
"""Checks a built Dorvane.exe as a file: a Windows GUI program of the expected bitness that
imports only DLLs every Windows has, and carries no application manifest."""
import struct
import sys

# DLLs that ship with Windows itself. Anything else (libstdc++, libgcc, winpthread, libjpeg)
# would have to travel with the program.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "winmm.dll",
    "advapi32.dll", "msvcrt.dll", "comdlg32.dll", "oleaut32.dll", "version.dll", "shlwapi.dll",
}
RT_MANIFEST = 24


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, _, _, _, opt_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.subsystem = struct.unpack_from("<H", data, opt + 68)[0]
        dirs = opt + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(16)]
        self.sections = []
        for i in range(sections):
            s = opt + opt_size + 40 * i
            vsize, vaddr, rsize, raddr = struct.unpack_from("<IIII", data, s + 8)
            self.sections.append((vaddr, max(vsize, rsize), raddr))

    def offset(self, rva):
        for vaddr, size, raddr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + raddr
        raise ValueError("RVA %#x outside every section" % rva)

    def text_at(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imported_dlls(self):
        names = []
        for index, size in ((1, 20), (13, 32)):  # imports, then delay-load imports
            rva = self.directories[index][0]
            if not rva:
                continue
            at = self.offset(rva)
            while True:
                entry = self.data[at:at + size]
                if entry.strip(b"\0") == b"":
                    break
                name_rva = struct.unpack_from("<I", entry, 12 if index == 1 else 4)[0]
                names.append(self.text_at(name_rva).lower())
                at += size
        return names

    def resource_types(self):
        rva = self.directories[2][0]
        if not rva:
            return []
        root = self.offset(rva)
        named, numbered = struct.unpack_from("<HH", self.data, root + 12)
        types = []
        for i in range(named + numbered):
            ident, _ = struct.unpack_from("<II", self.data, root + 16 + 8 * i)
            types.append(ident if not ident & 0x80000000 else "named")
        return types


def main():
    path, expected = sys.argv[1], sys.argv[2]  # expected: i686 or x86_64
    pe = PeFile(open(path, "rb").read())
    failures = []
    machine, magic = {"i686": (0x14C, 0x10B), "x86_64": (0x8664, 0x20B)}[expected]
    if pe.machine != machine or pe.magic != magic:
        failures.append("machine %#x / optional header %#x, expected %s" % (pe.machine, pe.magic, expected))
    if pe.subsystem != 2:
        failures.append("subsystem %d, expected 2 (Windows GUI)" % pe.subsystem)
    dlls = pe.imported_dlls()
    foreign = sorted(set(dlls) - SYSTEM_DLLS)
    if foreign:
        failures.append("imports DLLs that are not Windows' own: " + ", ".join(foreign))
    if RT_MANIFEST in pe.resource_types():
        failures.append("carries an application manifest")
    print("%s: %s, imports %s" % (path, expected, ", ".join(sorted(set(dlls)))))
    for f in failures:
        print("FAIL: " + f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
