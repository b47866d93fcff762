#!/usr/bin/env python3
"""Every plug-in library must export exactly VSTPluginMain and main.

Reads the export tables of the linux, win64 and win32 builds: the dynamic
symbol table of each .so (nm -D --defined-only) and the export directory of
each DLL (objdump -p). Anything else of ours that leaked could bind two
plug-ins in one host process to each other's code.
Exit 77 (skipped) when a build is missing, unless QUORVEX_REQUIRE_ALL_BUILDS=1.
"""
import os
import re
import subprocess
import sys

EXPECTED = {"VSTPluginMain", "main"}
SKIP = 77


def so_exports(path):
    out = subprocess.run(["nm", "-D", "--defined-only", path], capture_output=True,
                         text=True, check=True).stdout
    names = set()
    for line in out.splitlines():
        parts = line.split()
        if len(parts) >= 3 and parts[1] in "TtWwDdBbRrVvi" and parts[1].isupper():
            names.add(parts[2].split("@")[0])
    return names


def dll_exports(path, objdump):
    out = subprocess.run([objdump, "-p", path], capture_output=True, text=True,
                         check=True).stdout
    names = set()
    in_table = False
    for line in out.splitlines():
        if line.startswith("[Ordinal/Name Pointer] Table"):
            in_table = True
            continue
        if in_table:
            m = re.match(r"\s*\[\s*\d+\]\s+(\S+)", line)
            if not m:
                if line.strip() == "":
                    break
                continue
            names.add(m.group(1))
    return names


def main():
    root = sys.argv[1]
    require = os.environ.get("QUORVEX_REQUIRE_ALL_BUILDS") == "1"
    builds = [
        ("linux", ".so", so_exports),
        ("win64", ".dll", lambda p: dll_exports(p, "x86_64-w64-mingw32-objdump")),
        ("win32", ".dll", lambda p: dll_exports(p, "i686-w64-mingw32-objdump")),
    ]
    failures = []
    checked = 0
    missing = []
    for name, ext, reader in builds:
        folder = os.path.join(root, "build", name, "plugins")
        libs = sorted(f for f in os.listdir(folder) if f.endswith(ext)) if os.path.isdir(folder) else []
        if not libs:
            missing.append(name)
            continue
        for lib in libs:
            got = reader(os.path.join(folder, lib))
            checked += 1
            if got != EXPECTED:
                extra = sorted(got - EXPECTED)
                lacking = sorted(EXPECTED - got)
                failures.append(f"{name}/{lib}: extra {extra[:10]}{' ...' if len(extra) > 10 else ''}"
                                f" missing {lacking}")
            else:
                print(f"ok {name}/{lib}: {sorted(got)}")
    for f in failures:
        print("FAIL", f)
    if failures:
        return 1
    if missing:
        print("builds not found:", ", ".join(missing))
        return 1 if require else SKIP
    print(f"{checked} libraries export exactly {sorted(EXPECTED)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
