#!/usr/bin/env python3
"""End-to-end tests of Mirel.exe: started in a Wine desktop under Xvfb, driven with the
pointer and the keyboard, observed from outside only.

    tools/with-wine build/win64 python3 tests/e2e/run_e2e.py
    (or through ctest, which does the same)
"""
import argparse
import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import Desktop, has_caption, has_sizing_frame  # noqa: E402

D = None  # the desktop, shared by every scenario
SCREENSHOTS = None


class Scenario(unittest.TestCase):
    def setUp(self):
        D.clear_settings()
        D.fresh_folder(self.id().split(".")[-1])

    def tearDown(self):
        D.stop()
        # Close any message box a failed scenario left open.
        for w in D.windows("#32770"):
            D.probe("post", "#32770", "16", "0", "0")


class StartUp(Scenario):
    def test_first_start_without_settings(self):
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        m = D.metrics()
        self.assertEqual(main["title"], "Mirel")
        self.assertEqual(main["rect"], [0, 0, 333, 200])  # 5000 x 3000 twips at 96 DPI
        self.assertFalse(main["topmost"])
        self.assertTrue(has_caption(main))
        self.assertTrue(has_sizing_frame(main))
        # A menu bar lies between the caption and the client area.
        non_client_top = main["client"][1] - main["rect"][1]
        self.assertGreaterEqual(non_client_top, m["caption"] + m["menu"])
        # The dummy screen is loaded hidden; the tray window exists and stays hidden.
        self.assertFalse(D.window("MirelDummy")["visible"])
        self.assertFalse(D.window("MirelTray")["visible"])
        if SCREENSHOTS:
            D.screenshot(os.path.join(SCREENSHOTS, "main-window.png"))

    def test_second_instance_ends_at_once(self):
        D.start_and_wait()
        first = D.wait_window("MirelMain", visible=True)
        second = subprocess.Popen([D.wine, os.path.join(D.folder, "Mirel.exe")], cwd=D.folder,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.assertEqual(second.wait(timeout=20), 0)
        mains = D.windows("MirelMain")
        self.assertEqual(len(mains), 1)
        self.assertEqual(mains[0]["hwnd"], first["hwnd"])
        self.assertEqual(mains[0]["rect"], first["rect"])
        self.assertTrue(mains[0]["visible"])
        self.assertFalse(D.windows("#32770"))

    def test_main_visible_zero_starts_hidden(self):
        D.set_dword("MainVisible", 0)
        D.start_and_wait()
        time.sleep(1)
        self.assertFalse(D.window("MirelMain")["visible"])

    def test_non_title_bar_starts_without_caption_frame_or_menu(self):
        D.set_dword("NonTitleBar", 1)
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        self.assertFalse(has_caption(main))
        self.assertFalse(has_sizing_frame(main))
        self.assertEqual(main["client"], main["rect"])  # no caption, frame or menu bar

    def test_missing_picture_shows_the_two_line_warning(self):
        D.set_text("MainLoadFile", r"C:\nowhere\gone.bmp")
        D.start()
        box = D.wait_window("#32770", visible=True)
        self.assertEqual(box["title"], "警告")
        text = " ".join(box["texts"])
        self.assertIn("メインウィンドウに表示する画像が見つかりません。", text)
        self.assertIn(r"C:\nowhere\gone.bmp", text)
        D.key("Return")
        D.wait_window("MirelMain", visible=True)
        self.assertEqual(D.settings()["MainLoadFile"], r"C:\nowhere\gone.bmp")


class Shutdown(Scenario):
    def test_closing_stores_place_and_state(self):
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        m = D.metrics()
        # Drag the window by its caption 60 pixels right and 45 down.
        grab_x, grab_y = main["rect"][0] + 80, main["rect"][1] + m["frame"][1] + m["caption"] // 2
        D.xdo("mousemove", grab_x, grab_y)
        D.xdo("mousedown", 1)
        for step in range(1, 6):
            D.xdo("mousemove", grab_x + 12 * step, grab_y + 9 * step)
            time.sleep(0.05)
        D.xdo("mouseup", 1)
        moved = D.wait_for(lambda: (lambda w: w if w["rect"][0] == 60 else None)(D.window("MirelMain")),
                           what="the window to move")
        self.assertEqual(moved["rect"][:2], [60, 45])
        D.key("alt+F4")
        self.assertEqual(D.wait_exit(), 0)
        stored = D.settings()
        self.assertEqual(stored["Left"], 900)
        self.assertEqual(stored["Top"], 675)
        self.assertEqual(stored["Width"], 4995)
        self.assertEqual(stored["Height"], 3000)
        self.assertEqual(stored["MainVisible"], 1)
        self.assertEqual(stored["CheckMouse"], 0)
        self.assertEqual(stored["NonTitleBar"], 0)

    def _choose_delete_settings(self):
        main = D.wait_window("MirelMain", visible=True)
        D.click(main["client"][0] + 150, main["client"][1] + 80, button=3)  # focus without a left click
        D.key("alt+f", "r")
        box = D.wait_window("#32770", visible=True)
        self.assertEqual(box["title"], "確認")
        self.assertIn("本当に設定を削除しますか?", " ".join(box["texts"]))

    def test_delete_settings_yes_removes_the_key(self):
        D.set_dword("AlwaysTop", 0)
        D.start_and_wait()
        self._choose_delete_settings()
        D.key("y")
        self.assertEqual(D.wait_exit(), 0)
        self.assertIsNone(D.settings())

    def test_delete_settings_no_keeps_the_key(self):
        D.set_dword("ViewRandom", 1)
        D.start_and_wait()
        self._choose_delete_settings()
        D.key("Return")  # the default button is No
        self.assertEqual(D.wait_exit(), 0)
        stored = D.settings()
        self.assertEqual(stored["ViewRandom"], 1)
        self.assertEqual(stored["MainVisible"], 1)


def main():
    global D, SCREENSHOTS
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--screenshots", help="folder for the README's screenshots")
    parser.add_argument("--only", help="run the scenarios whose names contain this text")
    args, rest = parser.parse_known_args()
    if os.path.basename(os.path.normpath(args.build)) == "win32" and os.environ.get("MIREL_CAN_RUN_32BIT") == "0":
        print("SKIPPED: this machine's kernel cannot run 32-bit code, so wine32 cannot start the i686 build")
        return 0
    SCREENSHOTS = args.screenshots
    if SCREENSHOTS:
        os.makedirs(SCREENSHOTS, exist_ok=True)
    D = Desktop(args.build)
    loader = unittest.TestLoader()
    suite = loader.loadTestsFromModule(sys.modules[__name__])
    if args.only:
        def flatten(s):
            for item in s:
                if isinstance(item, unittest.TestSuite):
                    yield from flatten(item)
                else:
                    yield item
        suite = unittest.TestSuite(t for t in flatten(suite) if args.only in t.id())
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    print(f"{result.testsRun - len(result.failures) - len(result.errors)} passed, "
          f"{len(result.failures) + len(result.errors)} failed")
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
