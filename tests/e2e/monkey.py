#!/usr/bin/env python3
"""A monkey test of Mirel.exe: random clicks, double clicks, drags, keys and screen-edge
touches over whatever windows are open (dialogs and the tray menu included), the password
on and off, for a fixed seed and number of events. Afterwards Mirel must still answer, no
cover may be left without a way back, and the settings and MIREL.DAT must read back
intact. The seed is printed, so that a failure can be replayed.

    tools/with-wine build/win64 python3 tests/e2e/monkey.py --build build/win64 --events 300 --seed 1
"""
import argparse
import os
import random
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import Desktop, windows_path, write_bitmap, write_list  # noqa: E402

PASSWORD = "monkey"
KEYS = ["Return", "Escape", "Tab", "shift+Tab", "space", "Up", "Down", "Left", "Right", "Delete", "BackSpace",
        "ctrl+Tab", "ctrl+shift+Tab", "F1", "alt+v", "alt+f", "alt+h", "alt+o", "alt+a", "alt+d", "alt+t", "alt+w",
        "alt+r", "alt+m", "alt+p", "alt+s", "alt+x", "alt+c", "alt+u", "alt+b", "alt+l", "alt+i", "ctrl+s",
        "a", "d", "o", "w", "x", "1", "5", "0"]
# Keys that end the program or delete its settings are left out of the monkey's hands: it
# would spend its events restarting it. Exit is exercised by the end-to-end scenarios.
NUMBERS = {"Top", "Left", "Height", "Width", "MainBackColor", "AlwaysTop", "NonTitleBar", "AutoAdjust", "ViewRandom",
           "ViewBackColor", "CheckMouse", "CheckMouseFlag", "CheckMouseInterval", "RequirePassword", "ReturnType",
           "MainVisible"}
TEXTS = {"MainLoadFile", "Password"}


class Monkey:
    def __init__(self, d, seed):
        self.d = d
        self.rng = random.Random(seed)
        self.seed = seed
        self.restarts = 0
        self.boxes = 0
        self.seen = None
        self.events_since_look = 0

    def setup(self):
        d = self.d
        d.clear_settings()
        folder = d.fresh_folder("monkey")
        pictures = []
        for i, colour in enumerate([(200, 40, 40), (40, 200, 40)]):
            path = os.path.join(folder, f"p{i}.bmp")
            write_bitmap(path, 160, 120, colour)
            pictures.append(windows_path(path))
        write_list(folder, pictures)
        self.list_before = open(os.path.join(folder, "MIREL.DAT"), "rb").read().split(b"\r\n")
        d.set_text("MainLoadFile", pictures[0])
        d.set_text("Password", PASSWORD)
        d.set_dword("CheckMouse", 1)
        self.start()

    def ours(self):
        # Looked up every few events: asking Wine for the windows costs a process start.
        if self.seen is None or self.events_since_look >= 5:
            self.seen = [w for w in self.d.windows() if w["visible"] and w["class"] != "HH Parent"]
            self.events_since_look = 0
        self.events_since_look += 1
        return self.seen

    def start(self):
        """Starts Mirel and waits for its tray window, answering any message box its start
        shows (a stored picture that the monkey's typing made missing, say)."""
        d = self.d
        d.start()
        end = time.time() + 60
        while time.time() < end:
            if d.window("MirelTray"):
                return
            if [w for w in d.windows("#32770") if w["visible"]]:
                d.probe("post", "#32770", "16", "0", "0")  # WM_CLOSE: the box's OK
                self.boxes += 1
            time.sleep(0.5)
        raise AssertionError(f"Mirel did not start again (seed {self.seed})")

    def point(self):
        # A point of one of our windows, as far as it lies on the screen (a minimised
        # window lies far off it), or anywhere on the screen.
        shown = []
        for w in self.ours():
            left, top, right, bottom = w["rect"]
            left, top, right, bottom = max(left, 0), max(top, 0), min(right, 1024), min(bottom, 768)
            if right > left and bottom > top:
                shown.append((left, top, right, bottom))
        if shown and self.rng.random() < 0.8:
            left, top, right, bottom = self.rng.choice(shown)
            return self.rng.randrange(left, right), self.rng.randrange(top, bottom)
        return self.rng.randrange(0, 1024), self.rng.randrange(0, 768)

    def event(self):
        d, rng = self.d, self.rng
        kind = rng.choices(["click", "double", "right", "drag", "key", "edge", "password", "type"],
                           [30, 8, 8, 6, 30, 8, 5, 5])[0]
        if kind == "click":
            d.click(*self.point())
        elif kind == "double":
            d.click(*self.point(), repeat=2)
        elif kind == "right":
            d.click(*self.point(), button=3)
        elif kind == "drag":
            x, y = self.point()
            d.xdo("mousemove", x, y, "mousedown", 1, "mousemove", min(max(x + rng.randint(-80, 80), 0), 1023),
                  min(max(y + rng.randint(-80, 80), 0), 767), "mouseup", 1)
        elif kind == "key":
            d.key(rng.choice(KEYS))
        elif kind == "edge":
            d.move(*rng.choice([(0, rng.randrange(768)), (1023, rng.randrange(768)), (rng.randrange(1024), 0),
                                (rng.randrange(1024), 767)]))
            time.sleep(0.3)
        elif kind == "password":  # the right one, or a wrong one
            d.type_text(PASSWORD if rng.random() < 0.7 else "wrong")
            d.key("Return")
        else:
            d.type_text(rng.choice(["250", "abc", "0", "65536", "C:\\x.bmp"]))
        return kind

    def alive(self):
        if self.d.process.poll() is not None:
            code = self.d.process.returncode
            if code != 0:
                raise AssertionError(f"Mirel ended with exit code {code} (seed {self.seed})")
            # A legitimate exit (a menu reached by the keys): start again.
            self.restarts += 1
            self.d.process = None
            self.start()
        answer = self.d.probe("ping", "MirelMain")
        if not answer or not answer[0]["answered"]:
            raise AssertionError(f"Mirel's main window does not answer (seed {self.seed})")

    def run(self, events):
        kinds = {}
        for n in range(events):
            kind = self.event()
            kinds[kind] = kinds.get(kind, 0) + 1
            if n % 25 == 24:
                self.alive()
        self.alive()
        return kinds

    def way_back(self):
        """A cover that is up must come down with the password."""
        d = self.d
        for w in d.windows("#32768"):
            d.key("Escape")
        cover = d.window("MirelDummy")
        if not cover or not cover["visible"]:
            return
        for _ in range(3):
            if d.window("MirelPassword") is None:
                d.click(512, 384)
                d.click(512, 384, repeat=2)
                time.sleep(0.5)
            if d.window("MirelPassword"):
                d.type_text(PASSWORD)
                d.key("Return")
            time.sleep(0.5)
            if not d.window("MirelDummy")["visible"]:
                return
        raise AssertionError(f"the cover stayed up with no way back (seed {self.seed})")

    def intact(self):
        d = self.d
        stored = d.settings() or {}
        code, out = d.capture([d.wine64, "reg", "query", r"HKCU\Software\Kalv\Mirel"])
        for line in out.splitlines():
            parts = line.split()
            if len(parts) >= 2 and parts[0] in NUMBERS and parts[1] != "REG_DWORD":
                raise AssertionError(f"{parts[0]} stored as {parts[1]} (seed {self.seed})")
            if len(parts) >= 2 and parts[0] in TEXTS and parts[1] != "REG_SZ":
                raise AssertionError(f"{parts[0]} stored as {parts[1]} (seed {self.seed})")
        path = os.path.join(d.folder, "MIREL.DAT")
        if os.path.exists(path):
            data = open(path, "rb").read()
            if data and not data.endswith(b"\r\n"):
                raise AssertionError(f"MIREL.DAT ends in the middle of a line (seed {self.seed})")
            for line in data.split(b"\r\n")[:-1]:
                # Lines from before, captures and bitmaps added through the dialogs; nothing torn.
                if line not in self.list_before and not line.lower().endswith(b".bmp"):
                    raise AssertionError(f"MIREL.DAT holds a line from nowhere: {line!r} (seed {self.seed})")
        return stored


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--events", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    d = Desktop(args.build)
    monkey = Monkey(d, args.seed)
    started = time.time()
    try:
        monkey.setup()
        kinds = monkey.run(args.events)
        monkey.way_back()
        monkey.intact()
        monkey.alive()
    except Exception as failure:  # noqa: BLE001 - every failure is reported with its seed
        print(f"monkey FAILED with seed {args.seed}: {failure}")
        return 1
    finally:
        if d.process and d.process.poll() is None:
            d.process.kill()
    print(f"monkey: {args.events} events (seed {args.seed}) in {time.time() - started:.0f} s, "
          f"{monkey.restarts} restarts after an exit chosen from a menu ({monkey.boxes} start-up warnings answered); "
          + ", ".join(f"{k} {v}" for k, v in sorted(kinds.items()))
          + "; Mirel answers, no cover left up, settings and MIREL.DAT intact")
    return 0


if __name__ == "__main__":
    sys.exit(main())
