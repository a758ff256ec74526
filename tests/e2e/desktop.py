"""Drives the real Mirel.exe in a Wine virtual desktop under Xvfb, as a user would, and
reads the results from outside: windows (through the probe driver), the registry
(wine reg), the files beside the exe and screenshots.

Expects the environment of tools/with-wine: WINE, WINE64, WINESERVER, WINEPREFIX, DISPLAY.
"""
import json
import os
import re
import shutil
import subprocess
import tempfile
import time

KEY = r"HKCU\Software\Kalv\Mirel"
WS_CAPTION = 0x00C00000
WS_THICKFRAME = 0x00040000
STORED_FONTS = ["CaptionFont", "IconFont", "MenuFont", "MessageFont", "SmCaptionFont", "StatusFont"]


class Desktop:
    def __init__(self, build):
        self.build = os.path.abspath(build)
        self.wine = os.environ["WINE"]
        self.wine64 = os.environ.get("WINE64", self.wine)
        self.wineserver = os.environ["WINESERVER"]
        self.probe_exe = os.path.join(self.build, "probe.exe")
        self.exe = os.path.join(self.build, "Mirel.exe")
        self.root = os.path.join(self.build, "e2e")
        self.process = None
        self.folder = None
        # Keep the server up between the many short commands.
        subprocess.run([self.wineserver, "-p"], check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._metrics = None

    # ---- running ----------------------------------------------------------------------
    @staticmethod
    def capture(command, timeout=30):
        """Runs a command and returns (exit code, output). The output goes through a file, not a
        pipe: Wine's background processes, started by whichever command comes first, inherit
        it and would hold a pipe open for good."""
        with tempfile.TemporaryFile() as out:
            code = subprocess.run(command, stdout=out, stderr=subprocess.DEVNULL, timeout=timeout).returncode
            out.seek(0)
            return code, out.read().decode("utf-8", "replace")

    def run(self, *args, timeout=30, check=True):
        code, out = self.capture([self.wine64, *args], timeout)
        for _ in range(2):
            # Wine's loader now and then fails to start a built-in program under load
            # ("ShellExecuteEx ... internal error", or nothing said at all): that is the
            # test bed, not Mirel. The commands run here may be run twice.
            if code == 0 or ("ShellExecuteEx" not in out and out.strip()):
                break
            time.sleep(1)
            code, out = self.capture([self.wine64, *args], timeout)
        if check and code != 0:
            raise AssertionError(f"{args} failed ({code}): {out!r}")
        return out

    def probe(self, *args):
        _, out = self.capture([self.wine, self.probe_exe, *args])
        return [json.loads(line) for line in out.splitlines() if line.startswith("{")]

    def menus(self, cls):
        """From inside the thread of the window of that class: each of its windows' menu bar
        and menus, tab pages and combo box items, and the popup menu open, if any."""
        return self.probe("menus", cls)

    def metrics(self):
        if self._metrics is None:
            self._metrics = self.probe("metrics")[0]
        return self._metrics

    def windows(self, cls=None):
        found = self.probe("windows")
        return [w for w in found if cls is None or w["class"] == cls]

    def window(self, cls):
        found = self.windows(cls)
        return found[0] if found else None

    def wait_for(self, condition, timeout=20, what="condition"):
        end = time.time() + timeout
        while time.time() < end:
            value = condition()
            if value:
                return value
            time.sleep(0.2)
        raise AssertionError(f"timed out waiting for {what}")

    def wait_window(self, cls, visible=None, timeout=20):
        def found():
            w = self.window(cls)
            if w and (visible is None or w["visible"] == visible):
                return w
            return None
        return self.wait_for(found, timeout, f"{cls} (visible={visible})")

    # ---- the program ------------------------------------------------------------------
    def fresh_folder(self, name):
        folder = os.path.join(self.root, name)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        shutil.copy(self.exe, folder)
        # The help files ship beside the exe.
        for name in ["MIREL.CHM", "MIREL-EN.CHM"]:
            help_file = os.path.join(self.build, name)
            if os.path.exists(help_file):
                shutil.copy(help_file, folder)
        self.folder = folder
        return folder

    def start(self, folder=None):
        folder = folder or self.folder
        self.process = subprocess.Popen([self.wine, os.path.join(folder, "Mirel.exe")], cwd=folder,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.process

    def start_and_wait(self, folder=None):
        self.start(folder)
        return self.wait_window("MirelTray")

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=20)
        self.process = None
        # Leave no window of ours behind for the next scenario.
        self.wait_for(lambda: not self.windows("MirelMain"), 20, "the program to end")

    def wait_exit(self, timeout=20):
        self.process.wait(timeout=timeout)
        code = self.process.returncode
        self.process = None
        return code

    def sign_in(self, locale):
        """Every program of the prefix ended, the shell too, and the next ones started in
        `locale`, as after signing in to a Windows of another display language. Wine takes a
        process's ANSI code page from its LC_CTYPE and its display language
        (GetUserDefaultUILanguage) from its LC_MESSAGES; the shell keeps those of the
        process that started it. The interface fonts come from the code page too (Tahoma for
        1252, a Japanese face for 932) unless the prefix stores fonts of its own: those go,
        so that each session has its language's."""
        subprocess.run([self.wineserver, "-k"], check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([self.wineserver, "-w"], check=False, timeout=60)
        os.environ["LC_ALL"] = os.environ["LANG"] = locale
        subprocess.run([self.wineserver, "-p"], check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._metrics = None
        for font in STORED_FONTS:
            self.run("reg", "delete", r"HKCU\Control Panel\Desktop\WindowMetrics", "/v", font, "/f", check=False)

    # ---- registry ---------------------------------------------------------------------
    def clear_settings(self):
        self.run("reg", "delete", KEY, "/f", check=False)

    def set_dword(self, name, value):
        self.run("reg", "add", KEY, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f")

    def set_text(self, name, value):
        self.run("reg", "add", KEY, "/v", name, "/t", "REG_SZ", "/d", value, "/f")

    def settings(self):
        """The stored values as a dict, or None when the key is missing."""
        code, out = self.capture([self.wine64, "reg", "query", KEY])
        for _ in range(2):
            if code == 0 or "ShellExecuteEx" not in out:  # see run()
                break
            time.sleep(1)
            code, out = self.capture([self.wine64, "reg", "query", KEY])
        if code != 0:
            return None
        values = {}
        for line in out.splitlines():
            m = re.match(r"\s+(\S+)\s+(REG_\w+)\s*(.*)$", line)
            if not m:
                continue
            name, kind, data = m.groups()
            values[name] = int(data, 16) if kind == "REG_DWORD" else data.strip()
        return values

    # ---- pointer, keys, screen --------------------------------------------------------
    def xdo(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True, timeout=20)

    def move(self, x, y):
        self.xdo("mousemove", x, y)

    def click(self, x, y, button=1, repeat=1):
        self.xdo("mousemove", x, y)
        time.sleep(0.1)
        self.xdo("click", "--repeat", repeat, "--delay", 80, button)

    def focus_foreground(self):
        """Gives the X keyboard focus to the X window of Wine's foreground window. With no
        window manager, another program's X window (even one that has ended) may keep it,
        and keys then never reach the window in front."""
        front = [w for w in self.windows() if w["foreground"] and w["title"]]
        if not front:
            return
        pattern = "^" + re.escape(front[0]["title"]) + "$"
        found = subprocess.run(["xdotool", "search", "--name", pattern], capture_output=True, text=True,
                               timeout=20).stdout.split()
        focused = subprocess.run(["xdotool", "getwindowfocus"], capture_output=True, text=True,
                                 timeout=20).stdout.strip()
        if len(found) != 1 or focused == found[0]:
            return
        subprocess.run(["xdotool", "windowfocus", found[0]], check=False, timeout=20,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.3)  # Wine takes the focus change before the keys come

    def key(self, *keys):
        self.focus_foreground()
        for k in keys:
            self.xdo("key", k)
            time.sleep(0.25)

    def type_text(self, text):
        self.focus_foreground()
        self.xdo("type", "--delay", 40, text)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], check=True, timeout=30)
        return path

    def pixel(self, path, x, y):
        out = subprocess.run(["convert", path, "-format", f"%[pixel:p{{{x},{y}}}]", "info:"],
                             capture_output=True, text=True, check=True).stdout
        nums = [int(float(n)) for n in re.findall(r"[\d.]+", out)[:3]]
        if "%" in out:
            nums = [round(n * 255 / 100) for n in nums]
        return tuple(nums * 3 if len(nums) == 1 else nums)  # a grey picture's pixel is one level


def has_caption(window):
    return bool(window["style"] & WS_CAPTION)


def has_sizing_frame(window):
    return bool(window["style"] & WS_THICKFRAME)


def write_bitmap(path, width, height, rgb):
    """A 24-bit BMP of one colour."""
    import struct
    stride = (width * 3 + 3) & ~3
    row = bytes([rgb[2], rgb[1], rgb[0]]) * width + b"\0" * (stride - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + stride * height, 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, stride * height, 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + row * height)


def write_png(path, width, height, rgb):
    """An RGB PNG of one colour, quick to write and slow to decode: interlaced, and every row
    by the Paeth filter, the decoder's slowest (the first row of a pass predicted from the
    left, every other row from the one above)."""
    import struct
    import zlib

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    compressor = zlib.compressobj(1)
    data = b""
    # The seven passes' sizes: (first column, column step, first row, row step).
    for x0, dx, y0, dy in [(0, 8, 0, 8), (4, 8, 0, 8), (0, 4, 4, 8), (2, 4, 0, 4), (0, 2, 2, 4), (1, 2, 0, 2),
                           (0, 1, 1, 2)]:
        columns = max(0, (width - x0 + dx - 1) // dx)
        rows = max(0, (height - y0 + dy - 1) // dy)
        if not columns or not rows:
            continue
        data += compressor.compress(b"\4" + bytes(rgb) + bytes(3 * (columns - 1)))
        rest = b"\4" + bytes(3 * columns)
        data += b"".join(compressor.compress(rest) for _ in range(rows - 1))
    data += compressor.flush()
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 1)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b""))


def write_jpeg(path, width, height, orientation=1):
    """A grey (64) JPEG with the Exif orientation a camera writes, however large, in a moment:
    every 8 x 8 block is flat, so after the first group of blocks each one codes as zero bits
    (a zero difference, then the end of the block)."""
    import struct

    def segment(marker, data):
        return struct.pack(">BBH", 0xFF, marker, len(data) + 2) + data
    exif = b"Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01" + struct.pack(">H", orientation) + bytes(6)
    head = (segment(0xE1, exif) + segment(0xDB, b"\0" + b"\1" * 64)  # no quantisation
            + segment(0xC0, struct.pack(">BHHB", 8, height, width, 3) + b"\1\x11\0\2\x11\0\3\x11\0")
            + segment(0xC4, b"\0\0\2" + bytes(14) + b"\0\x0a")  # DC: "00" nothing, "01" a 10-bit level
            + segment(0xC4, b"\x10\1" + bytes(16))  # AC: "0" the end of the block
            + segment(0xDA, b"\3\1\0\2\0\3\0\0\x3f\0"))
    bits = 19 + 9 * ((width + 7) // 8 * ((height + 7) // 8) - 1)  # the first group: 01, 8 x (64 - 128) as 511
    scan = bytearray(b"\x5f\xe0" + bytes((bits + 7) // 8 - 2))
    scan[-1] |= (1 << (-bits % 8)) - 1  # padded with ones
    with open(path, "wb") as f:
        f.write(b"\xff\xd8" + head + scan + b"\xff\xd9")


def windows_path(unix_path):
    """The Z: drive path Wine gives a Unix file."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


def write_list(folder, windows_paths):
    """MIREL.DAT in code page 932, CR LF after every line."""
    with open(os.path.join(folder, "MIREL.DAT"), "wb") as f:
        for p in windows_paths:
            f.write(p.encode("cp932") + b"\r\n")
