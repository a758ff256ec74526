#!/usr/bin/env python3
"""Compiles one help's sources (SOURCE_DIR/mirel.hhp and its files) into a CHM file.

    build_help.py SOURCE_DIR WORK_DIR OUTPUT_CHM [CHMCMD]

help/ gives MIREL.CHM, the Japanese help, and help/en MIREL-EN.CHM, the English one: each
project names its compiled file and its language. The sources are UTF-8; HTML Help reads
titles, contents and index only in the code page of the project's language, so every text
file is written out in that code page first (932 for Japanese, 1252 for English).

The same sources give the same file (tools/release checks it): chmcmd stamps the file with
its uptime in milliseconds, which is replaced by SOURCE_DATE_EPOCH when that is set, and
it leaves a byte of the keyword map uninitialised, which is the same from run to run only
without address-space randomisation.
"""
import os
import platform
import shutil
import struct
import subprocess
import sys


def read_encint(data, pos):
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def find_object(data, wanted):
    """Offset in the file and length of an object of the uncompressed section."""
    directory, = struct.unpack_from("<Q", data, 0x48)
    content, = struct.unpack_from("<Q", data, 0x58)
    chunk_size, = struct.unpack_from("<I", data, directory + 0x10)
    chunks, = struct.unpack_from("<I", data, directory + 0x2C)
    for index in range(chunks):
        chunk = directory + 0x54 + index * chunk_size
        if data[chunk:chunk + 4] != b"PMGL":
            continue
        free, = struct.unpack_from("<I", data, chunk + 4)
        pos, end = chunk + 0x14, chunk + chunk_size - free
        while pos < end:
            length, pos = read_encint(data, pos)
            name = data[pos:pos + length]
            pos += length
            section, pos = read_encint(data, pos)
            offset, pos = read_encint(data, pos)
            size, pos = read_encint(data, pos)
            if name == wanted and section == 0:
                return content + offset, size
    raise SystemExit(f"build_help: {wanted!r} not found in the compiled help")


def pin_timestamp(path, stamp):
    with open(path, "rb") as f:
        data = bytearray(f.read())
    if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
        raise SystemExit("build_help: not a version 3 CHM file")
    struct.pack_into(">I", data, 0x10, stamp)
    # #SYSTEM: a version, then (code, length, data) entries; code 10 is the same stamp.
    start, size = find_object(data, b"/#SYSTEM")
    pos, end = start + 4, start + size
    while pos + 4 <= end:
        code, length = struct.unpack_from("<HH", data, pos)
        if code == 10 and length == 4:
            struct.pack_into("<I", data, pos + 4, stamp)
        pos += 4 + length
    with open(path, "wb") as f:
        f.write(data)


CODE_PAGES = {0x411: "cp932", 0x409: "cp1252"}


def project_options(source):
    """The compiled file's name and the code page of the project's language."""
    options = {}
    with open(os.path.join(source, "mirel.hhp"), encoding="utf-8") as f:
        for line in f:
            key, sep, value = line.strip().partition("=")
            if sep:
                options.setdefault(key.strip(), value.strip())
    lcid = int(options.get("Language", "").split()[0], 16) if options.get("Language") else None
    if "Compiled file" not in options or lcid not in CODE_PAGES:
        raise SystemExit(f"build_help: {source}/mirel.hhp needs a compiled file and one of the languages "
                         + ", ".join(hex(code) for code in CODE_PAGES))
    return options["Compiled file"], CODE_PAGES[lcid]


def chmcmd_command(chmcmd):
    command = [chmcmd, "mirel.hhp"]
    setarch = shutil.which("setarch")
    if setarch and sys.platform.startswith("linux"):
        norandom = [setarch, platform.machine(), "-R"]
        if subprocess.run([*norandom, "true"], capture_output=True).returncode == 0:
            command = [*norandom, *command]
    return command


def main():
    source, work, output = sys.argv[1:4]
    chmcmd = sys.argv[4] if len(sys.argv) > 4 else "chmcmd"
    compiled, code_page = project_options(source)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    for name in sorted(os.listdir(source)):
        path = os.path.join(source, name)
        if name.endswith((".htm", ".hhc", ".hhk", ".hhp", ".css")):
            with open(path, encoding="utf-8") as f:
                text = f.read()
            try:
                encoded = text.encode(code_page)
            except UnicodeEncodeError as e:
                raise SystemExit(f"build_help: {path} holds {text[e.start:e.end]!r}, which {code_page} cannot hold")
            with open(os.path.join(work, name), "wb") as f:
                f.write(encoded.replace(b"\n", b"\r\n"))
    result = subprocess.run(chmcmd_command(chmcmd), cwd=work, capture_output=True, text=True, errors="replace")
    built = os.path.join(work, compiled)
    if result.returncode != 0 or not os.path.exists(built):
        sys.stderr.write(result.stdout + result.stderr)
        sys.exit(f"build_help: chmcmd could not compile {source}")
    if os.environ.get("SOURCE_DATE_EPOCH"):
        pin_timestamp(built, int(os.environ["SOURCE_DATE_EPOCH"]) & 0xFFFFFFFF)
    shutil.copyfile(built, output)


if __name__ == "__main__":
    main()
