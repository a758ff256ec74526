#!/usr/bin/env python3
"""Compiles the help sources into MIREL.CHM.

    build_help.py SOURCE_DIR WORK_DIR OUTPUT_CHM [CHMCMD]

The sources are UTF-8; HTML Help reads Japanese titles, contents and index only in the
Japanese code page, so every text file is written out in code page 932 first.
"""
import os
import shutil
import subprocess
import sys


def main():
    source, work, output = sys.argv[1:4]
    chmcmd = sys.argv[4] if len(sys.argv) > 4 else "chmcmd"
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    for name in sorted(os.listdir(source)):
        path = os.path.join(source, name)
        if name.endswith((".htm", ".hhc", ".hhk", ".hhp", ".css")):
            with open(path, encoding="utf-8") as f:
                text = f.read()
            with open(os.path.join(work, name), "w", encoding="cp932", newline="\r\n") as f:
                f.write(text)
    result = subprocess.run([chmcmd, "mirel.hhp"], cwd=work, capture_output=True, text=True, errors="replace")
    built = os.path.join(work, "MIREL.CHM")
    if result.returncode != 0 or not os.path.exists(built):
        sys.stderr.write(result.stdout + result.stderr)
        sys.exit(f"build_help: chmcmd could not compile {source}")
    shutil.copyfile(built, output)


if __name__ == "__main__":
    main()
