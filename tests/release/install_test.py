#!/usr/bin/env python3
"""The release as a Windows user meets it, in a fresh Wine prefix: the MSI installed
silently, Mirel started from the Start-menu folder's target, files of the user's own beside
it, a newer MSI over it, the removal, and the zip unpacked and started.

    tools/with-wine FOLDER python3 tests/release/install_test.py --arch ARCH
        --msi Mirel-V-ARCH.msi --newer Mirel-V2-ARCH.msi --zip Mirel-V-ARCH.zip

FOLDER holds probe.exe and is where the prefix and the unpacked zip go; its name (win32 or
win64) picks the Wine loader.
"""
import argparse
import glob
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from desktop import KEY, Desktop, windows_path, write_bitmap, write_list  # noqa: E402

UNINSTALL = r"Software\Microsoft\Windows\CurrentVersion\Uninstall"
RUN = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)
    print(f"  ok: {what}")


class Release:
    def __init__(self, args):
        self.args = args
        self.folder = os.path.abspath(os.path.dirname(os.environ["WINEPREFIX"]))
        self.desk = Desktop(self.folder)
        users = os.path.join(os.environ["WINEPREFIX"], "drive_c", "users")
        profiles = [p for p in glob.glob(os.path.join(users, "*")) if os.path.basename(p) != "Public"]
        check(len(profiles) == 1, f"one user profile in the fresh prefix ({profiles})")
        self.profile = profiles[0]
        self.install_dir = os.path.join(self.profile, "AppData", "Local", "Programs", "Mirel")
        self.shortcut = os.path.join(self.profile, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                                     "Programs", "Mirel.lnk")
        self.exe = os.path.join(self.install_dir, "Mirel.exe")
        unpacked = os.path.join(self.folder, "unpacked")
        shutil.rmtree(unpacked, ignore_errors=True)
        # Unpacked by Info-ZIP, not by the code that packed it.
        subprocess.run(["unzip", "-q", args.zip, "-d", unpacked], check=True,
                       env=dict(os.environ, LC_ALL="C.UTF-8"))
        self.unpacked = os.path.join(unpacked, "Mirel")

    # ---- around the program ---------------------------------------------------------------
    def msiexec(self, *args):
        code, out = self.desk.capture([os.environ["WINE"], "msiexec", *args], timeout=180)
        check(code == 0, f"msiexec {' '.join(args)} exits 0 (got {code}: {out.strip()[:200]})")

    def products(self):
        """Add/Remove programs' Mirel entries: {key: {value: data}}, from both roots."""
        found = {}
        for root in ("HKCU", "HKLM"):
            code, out = self.desk.capture([os.environ["WINE"], "reg", "query", rf"{root}\{UNINSTALL}", "/s"])
            if code != 0:
                continue
            key = None
            for line in out.splitlines():
                if line.startswith("HKEY_"):
                    key = line.strip()
                    found.setdefault(key, {})
                    continue
                m = re.match(r"\s+(\S+)\s+REG_\w+\s*(.*)$", line)
                if m and key:
                    found[key][m.group(1)] = m.group(2).strip()
        return {k: v for k, v in found.items() if v.get("DisplayName") == "Mirel"}

    def start_and_see_the_main_window(self, folder):
        self.desk.start(folder)
        main = self.desk.wait_window("MirelMain", visible=True, timeout=40)
        check(main["title"] == "Mirel", f"Mirel's main window is shown ({main['title']!r})")
        self.desk.stop()

    def run_value(self):
        code, out = self.desk.capture([os.environ["WINE"], "reg", "query", RUN, "/v", "Mirel"])
        m = re.search(r"Mirel\s+REG_\w+\s*(.*)$", out, re.M) if code == 0 else None
        return m.group(1).strip() if m else None

    def read(self, path):
        with open(path, "rb") as f:
            return f.read()

    # ---- the road -------------------------------------------------------------------------
    def run(self):
        a = self.args
        expected_exe = self.read(os.path.join(self.unpacked, "Mirel.exe"))

        print("install")
        self.msiexec("/i", windows_path(a.msi), "/qn")
        check(self.desk.settings() is None, "the MSI writes nothing under HKCU\\Software\\Kalv\\Mirel")
        self.desk.run("reg", "add", KEY, "/v", "ReleaseTest", "/t", "REG_SZ", "/d", "kept", "/f")
        check(os.path.isfile(self.exe) and self.read(self.exe) == expected_exe,
              "Mirel.exe in LocalAppData\\Programs\\Mirel is the zip's")
        for name in ("MIREL.CHM", "MIREL-EN.CHM", "LICENSE.txt"):
            check(self.read(os.path.join(self.install_dir, name)) == self.read(os.path.join(self.unpacked, name)),
                  f"{name} beside it")
        link = self.read(self.shortcut) if os.path.isfile(self.shortcut) else b""
        target = "Programs\\Mirel\\Mirel.exe"
        check(target.encode() in link or target.encode("utf-16-le") in link,
              "the Start-menu shortcut points at the installed exe")
        entries = self.products()
        check(len(entries) == 1, f"one Add/Remove programs entry ({list(entries)})")
        entry = next(iter(entries.values()))
        check(entry.get("DisplayVersion") == a.version and entry.get("Publisher") == "Kalv",
              f"the entry names version {a.version} and publisher Kalv ({entry.get('DisplayVersion')}, "
              f"{entry.get('Publisher')})")

        print("start the installed Mirel")
        self.start_and_see_the_main_window(self.install_dir)
        write_list(self.install_dir, [windows_path(os.path.join(self.install_dir, "CAPT000.BMP"))])
        write_bitmap(os.path.join(self.install_dir, "CAPT000.BMP"), 4, 4, (0, 128, 255))
        users_files = {n: self.read(os.path.join(self.install_dir, n)) for n in ("MIREL.DAT", "CAPT000.BMP")}
        before = os.stat(self.exe)

        print(f"upgrade to {a.newer_version}")
        self.msiexec("/i", windows_path(a.newer), "/qn")
        for name, content in users_files.items():
            check(os.path.isfile(os.path.join(self.install_dir, name))
                  and self.read(os.path.join(self.install_dir, name)) == content, f"{name} is kept")
        after = os.stat(self.exe)
        check(self.read(self.exe) == expected_exe and (after.st_ino, after.st_mtime_ns) != (before.st_ino, before.st_mtime_ns),
              "Mirel.exe was written anew")
        entries = self.products()
        versions = sorted(e.get("DisplayVersion") for e in entries.values())
        check(versions == [a.newer_version], f"one entry, now version {a.newer_version} ({versions})")
        self.start_and_see_the_main_window(self.install_dir)

        # Started with Windows, unquoted, as some tools write it. Windows removes the older
        # version of an upgrade with UPGRADINGPRODUCTCODE set, which keeps the entry; Wine's
        # msiexec does not set it, so that removal is run here as Windows runs it.
        print("start with Windows across an upgrade's removal, then the real removal")
        run_value = windows_path(self.exe)
        self.desk.run("reg", "add", RUN, "/v", "Mirel", "/t", "REG_SZ", "/d", run_value, "/f")
        self.msiexec("/x", windows_path(a.newer), "UPGRADINGPRODUCTCODE={00000000-0000-0000-0000-000000000001}", "/qn")
        check(self.run_value() == run_value, "an upgrade's removal of the older version keeps the start with Windows")
        self.msiexec("/i", windows_path(a.newer), "/qn")

        print("remove")
        settings = self.desk.settings()
        self.msiexec("/x", windows_path(a.newer), "/qn")
        for name in ("Mirel.exe", "MIREL.CHM", "MIREL-EN.CHM", "LICENSE.txt"):
            check(not os.path.exists(os.path.join(self.install_dir, name)), f"{name} is gone")
        check(not os.path.exists(self.shortcut), "the shortcut is gone")
        for name, content in users_files.items():
            check(self.read(os.path.join(self.install_dir, name)) == content, f"{name} stays")
        check(not self.products(), "no Add/Remove programs entry is left")
        check(self.run_value() is None, "the start with Windows that named the removed exe is gone")
        check(settings and settings.get("ReleaseTest") == "kept" and self.desk.settings() == settings,
              "the settings under HKCU\\Software\\Kalv\\Mirel stay as they were")

        print("the zip")
        for name, words in (("はじめにお読みください.txt", "設定とファイルの保存場所"),
                            ("README.txt", "Where settings and files are kept")):
            readme = self.read(os.path.join(self.unpacked, name))
            check(readme.startswith(b"\xef\xbb\xbf") and b"\r\n" in readme and b"\n" not in readme.replace(b"\r\n", b""),
                  f"{name} is UTF-8 with a BOM and CR LF line ends")
            text = readme.decode("utf-8-sig")
            check(words in text and f"Mirel {a.version}\r\n" in text
                  and "HKEY_CURRENT_USER\\Software\\Kalv\\Mirel" in text,
                  f"it is in its language, names version {a.version} and the settings key")
        check(b"Copyright (C) 2026 Kalv" in self.read(os.path.join(self.unpacked, "LICENSE.txt")), "the licence")
        self.start_and_see_the_main_window(self.unpacked)


def main():
    parser = argparse.ArgumentParser()
    for name in ("arch", "msi", "newer", "zip"):
        parser.add_argument(f"--{name}", required=True)
    args = parser.parse_args()
    for name in ("msi", "newer", "zip"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    args.version = re.search(r"Mirel-([0-9.]+)-", os.path.basename(args.msi)).group(1)
    args.newer_version = re.search(r"Mirel-([0-9.]+)-", os.path.basename(args.newer)).group(1)
    print(f"release {args.version} ({args.arch}): install, upgrade to {args.newer_version}, removal, zip")
    try:
        Release(args).run()
    except (Failure, AssertionError) as e:
        print(f"FAILED: {e}")
        print("0 passed, 1 failed")
        return 1
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
