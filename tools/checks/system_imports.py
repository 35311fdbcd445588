#!/usr/bin/env python3
"""Fails when a Windows executable imports a DLL that Windows itself does not ship.

The program is linked statically so that it starts from any folder on a bare
Windows machine; a library that slips in as a DLL import (zlib1.dll, libstdc++,
libwinpthread) would make it fail to start there, while Wine hides the fault by
supplying DLLs of its own.
"""
import re
import subprocess
import sys

SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msimg32.dll",
    "msvcrt.dll", "ole32.dll", "oleaut32.dll", "shell32.dll", "user32.dll", "uxtheme.dll",
    "version.dll", "wininet.dll", "winmm.dll", "ws2_32.dll", "dwmapi.dll", "shlwapi.dll",
}


def imports(objdump, exe):
    out = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    return [m.group(1) for m in re.finditer(r"DLL Name:\s*(\S+)", out)]


def main():
    objdump, exe = sys.argv[1], sys.argv[2]
    foreign = [dll for dll in imports(objdump, exe) if dll.lower() not in SYSTEM_DLLS]
    if foreign:
        print(f"{exe} imports DLLs Windows does not ship: {', '.join(foreign)}")
        return 1
    print(f"{exe}: system DLLs only")
    return 0


if __name__ == "__main__":
    sys.exit(main())
