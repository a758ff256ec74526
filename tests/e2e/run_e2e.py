#!/usr/bin/env python3
"""End-to-end tests of Mirel.exe: started in a Wine desktop under Xvfb, driven with the
pointer and the keyboard, observed from outside only.

    tools/with-wine build/win64 python3 tests/e2e/run_e2e.py
    (or through ctest, which does the same)
"""
import argparse
import json
import os
import re
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import (Desktop, has_caption, has_sizing_frame, windows_path, write_bitmap, write_jpeg,  # noqa: E402
                     write_list, write_png)

RED, GREEN, BLUE, MAGENTA, WHITE = (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 0, 255), (255, 255, 255)
GREY = (64, 64, 64)
CENTRE = (512, 384)
TRAY_ICON = (1013, 757)  # our icon, alone in the notification area of the Wine desktop

D = None  # the desktop, shared by every scenario
SCREENSHOTS = None
PAGES = ["main", "dummy", "mouse", "return", "more"]  # the options dialog's five pages
ENGLISH_TEXTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "core", "ui_text_en.cpp")


def save_pages(dialog, shots, name):
    """The options dialog's five pages, cut from their screenshots, three above and two below,
    as the README's picture `name`."""
    left, top, right, bottom = dialog["rect"]
    crops = []
    for shot in shots:
        crop = shot[:-4] + "-crop.png"
        subprocess.run(["convert", shot, "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage", crop],
                       check=True)
        crops.append(crop)
    subprocess.run(["convert", "(", crops[0], crops[1], crops[2], "+append", ")", "(", crops[3], crops[4], "+append",
                    ")", "-background", "white", "-append", os.path.join(SCREENSHOTS, name)], check=True)


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

    def test_main_visible_zero_starts_hidden_and_a_second_start_shows_it(self):
        D.set_dword("MainVisible", 0)
        D.start_and_wait()
        time.sleep(1)
        self.assertFalse(D.window("MirelMain")["visible"])
        # Started again (from the Start menu, say): the running Mirel shows its main window
        # in front, as its tray menu's ウィンドウを表示 does, and the second one ends.
        second = subprocess.Popen([D.wine, os.path.join(D.folder, "Mirel.exe")], cwd=D.folder,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.assertEqual(second.wait(timeout=20), 0)
        main = D.wait_window("MirelMain", visible=True)
        D.wait_for(lambda: D.window("MirelMain")["foreground"], what="the main window in front")
        self.assertEqual([w["pid"] for w in D.windows("MirelMain")], [main["pid"]])
        self.assertEqual(D.window("MirelTray")["pid"], main["pid"])
        self.assertIsNone(D.process.poll())  # the first one runs on
        self.assertFalse(D.windows("#32770"))

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


class SmokeRun(Scenario):
    """The whole program once, as a new user meets it: every DLL it loads after start-up
    (the shell, COM and the imaging component, the common controls and dialogs) is
    called at least once."""

    def test_picture_cover_tray_and_exit(self):
        folder = D.folder
        write_bitmap(os.path.join(folder, "main.bmp"), 120, 90, GREEN)
        write_bitmap(os.path.join(folder, "decoy.bmp"), 200, 150, RED)
        write_list(folder, [windows_path(os.path.join(folder, "decoy.bmp"))])
        D.set_text("MainLoadFile", windows_path(os.path.join(folder, "main.bmp")))
        D.set_dword("ViewBackColor", 0x00FF00FF)
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        time.sleep(0.5)
        shot = D.screenshot(os.path.join(folder, "main.png"))
        self.assertEqual(D.pixel(shot, main["client"][0] + 10, main["client"][1] + 10), GREEN)
        # The tray icon is there: its menu opens.
        D.click(*TRAY_ICON, button=3)
        D.wait_window("#32768", visible=True)
        D.click(600, 400)  # a click elsewhere closes it
        D.wait_for(lambda: not [w for w in D.windows("#32768") if w["visible"]], what="the menu to close")
        # The cover, with the decoy decoded.
        D.click(main["client"][0] + 60, main["client"][1] + 45)
        D.wait_window("MirelDummy", visible=True)
        time.sleep(0.3)
        shot = D.screenshot(os.path.join(folder, "cover.png"))
        self.assertEqual(D.pixel(shot, 10, 10), RED)
        self.assertEqual(D.pixel(shot, 512, 384), MAGENTA)
        D.click(*CENTRE)
        D.wait_window("MirelDummy", visible=False)
        main = D.wait_window("MirelMain", visible=True)
        # A capture, its preview (a status bar) and the save dialog, cancelled.
        D.click(main["rect"][0] + 150, main["rect"][1] + 10)
        D.key("alt+v")
        D.wait_window("#32768", visible=True)
        D.key("d")
        D.wait_window("MirelPreview", visible=True)
        time.sleep(0.3)
        D.key("ctrl+s")
        self.assertEqual(D.wait_window("#32770", visible=True)["title"], "名前を付けて保存")
        D.key("Escape")
        D.wait_for(lambda: not [w for w in D.windows("#32770") if w["visible"]], what="the dialog to close")
        D.key("alt+F4")
        D.wait_for(lambda: D.window("MirelPreview") is None, what="the preview to close")
        self.assertFalse(os.path.exists(os.path.join(folder, "CAPT000.BMP")))
        D.wait_window("MirelMain", visible=True)
        D.key("alt+f", "x")
        self.assertEqual(D.wait_exit(), 0)
        # A crash would have left Wine's error box or a non-zero exit code.
        self.assertFalse([w for w in D.windows() if w["visible"] and w["class"] == "#32770"])


class EndSession(Scenario):
    def test_log_off_stores_the_settings_of_the_run(self):
        D.start_and_wait()
        D.wait_window("MirelMain", visible=True)
        # Change what the run stores at exit: the watch on, the window hidden.
        D.click(*TRAY_ICON, button=3)
        menu = D.wait_window("#32768", visible=True)
        D.click(menu["rect"][0] + 40, menu["rect"][1] + 2 + 8)  # ウィンドウを表示(&V)
        D.wait_window("MirelMain", visible=False)
        D.click(*TRAY_ICON, button=3)
        menu = D.wait_window("#32768", visible=True)
        D.click(menu["rect"][0] + 40, menu["rect"][1] + 2 + 17 * 2 + 8)  # マウスによる切り替え(&M)
        D.wait_for(lambda: not [w for w in D.windows("#32768") if w["visible"]], what="the menu to close")
        self.assertIsNone(D.settings())
        # Windows logs off: every program is asked to end its session.
        D.run("wineboot", "--end-session", timeout=60)
        self.assertEqual(D.wait_exit(), 0)
        stored = D.settings()
        self.assertIsNotNone(stored)
        self.assertEqual(stored["MainVisible"], 0)
        self.assertEqual(stored["CheckMouse"], 1)
        self.assertEqual(stored["Width"], 4995)


class Borderless(Scenario):
    """Without its title bar the main window moves by its picture and offers the tray menu."""

    def test_drag_moves_the_window_and_brings_up_no_cover(self):
        D.set_dword("NonTitleBar", 1)
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        x, y = main["rect"][0] + 100, main["rect"][1] + 80
        D.xdo("mousemove", x, y)
        D.xdo("mousedown", 1)
        # The window follows from the first move on, as a hand's first pixel of movement.
        D.xdo("mousemove", x + 1, y + 1)
        time.sleep(0.2)
        for step in range(1, 6):
            D.xdo("mousemove", x + 20 * step, y + 10 * step)
            time.sleep(0.1)
        D.xdo("mouseup", 1)
        moved = D.wait_for(lambda: (lambda w: w if w["rect"][0] >= main["rect"][0] + 98 else None)(
            D.window("MirelMain")), what="the window to follow the pointer")
        self.assertLessEqual(abs(moved["rect"][0] - (main["rect"][0] + 100)), 2)
        self.assertLessEqual(abs(moved["rect"][1] - (main["rect"][1] + 50)), 2)
        time.sleep(0.5)
        self.assertFalse(D.window("MirelDummy")["visible"])
        # A click without movement still brings up the cover.
        D.click(moved["rect"][0] + 50, moved["rect"][1] + 50)
        D.wait_window("MirelDummy", visible=True)
        D.click(*CENTRE)
        D.wait_window("MirelDummy", visible=False)

    def test_right_click_on_the_picture_opens_the_tray_menu(self):
        D.set_dword("NonTitleBar", 1)
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        D.click(main["rect"][0] + 100, main["rect"][1] + 80, button=3)
        D.wait_window("#32768", visible=True)
        D.click(600, 400)  # a click elsewhere closes it
        D.wait_for(lambda: not [w for w in D.windows("#32768") if w["visible"]], what="the menu to close")
        self.assertFalse(D.window("MirelDummy")["visible"])


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


class DummyScreen(Scenario):
    """The cover over the desktop, brought up by the edges or by the main window's picture."""

    def _pictures(self):
        folder = D.folder
        names = [("zero.bmp", RED), ("画像一.bmp", GREEN), ("two.bmp", BLUE)]
        paths = []
        for name, colour in names:
            write_bitmap(os.path.join(folder, name), 200, 150, colour)
            paths.append(windows_path(os.path.join(folder, name)))
        write_list(folder, paths)
        D.set_dword("ViewBackColor", 0x00FF00FF)  # magenta: 0x00BBGGRR

    def _cover_shows(self, colour, shot=None):
        D.wait_window("MirelDummy", visible=True, timeout=10)
        time.sleep(0.3)
        path = D.screenshot(shot or os.path.join(D.folder, "cover.png"))
        self.assertEqual(D.pixel(path, 10, 10), colour)      # the picture, top-left
        self.assertEqual(D.pixel(path, 199, 149), colour)
        self.assertEqual(D.pixel(path, 200, 10), MAGENTA)    # the background beside it
        self.assertEqual(D.pixel(path, 512, 384), MAGENTA)
        self.assertEqual(D.pixel(path, 40, 758), MAGENTA)    # where the taskbar was
        self.assertEqual(D.pixel(path, 1012, 757), MAGENTA)  # where the tray icon was
        return path

    def _return_by_click(self):
        D.click(*CENTRE)
        D.wait_window("MirelDummy", visible=False, timeout=10)

    def test_watched_edges_bring_up_the_pictures_in_order(self):
        self._pictures()
        D.set_dword("CheckMouse", 1)
        D.set_dword("MainVisible", 0)
        D.set_dword("CheckMouseFlag", 1 | 2 | 8)  # every edge but the left one
        D.move(*CENTRE)
        D.start_and_wait()
        for edge, colour in [((512, 0), RED), ((512, 767), GREEN), ((1023, 400), BLUE), ((300, 0), RED)]:
            D.move(*edge)
            shot = os.path.join(SCREENSHOTS, "dummy-screen.png") if SCREENSHOTS and colour == GREEN else None
            self._cover_shows(colour, shot)
            self.assertFalse(D.window("MirelMain")["visible"])
            self._return_by_click()
        # The left edge is not watched.
        D.move(0, 400)
        time.sleep(1.0)
        self.assertFalse(D.window("MirelDummy")["visible"])
        # A drag that reaches a watched edge brings up nothing, nor its button let go
        # there (on by default); the pointer away and back does.
        D.move(*CENTRE)
        D.xdo("mousedown", "1")
        for step in range(1, 5):
            D.move(512, 384 - 96 * step)
        time.sleep(1.0)
        self.assertFalse(D.window("MirelDummy")["visible"])
        D.xdo("mouseup", "1")
        time.sleep(1.0)
        self.assertFalse(D.window("MirelDummy")["visible"])
        D.move(*CENTRE)
        time.sleep(0.5)  # long enough for the watch to see the pointer away
        D.move(512, 0)
        self._cover_shows(GREEN)
        self._return_by_click()

    def test_corners_only(self):
        self._pictures()
        D.set_dword("CheckMouse", 1)
        D.set_dword("MainVisible", 0)
        D.set_dword("EdgeCornersOnly", 1)
        D.move(*CENTRE)
        D.start_and_wait()
        D.move(512, 0)
        time.sleep(1.0)
        self.assertFalse(D.window("MirelDummy")["visible"])
        D.move(1023, 3)  # a few pixels from the top-right corner
        self._cover_shows(RED)
        self._return_by_click()

    def test_click_on_the_main_windows_picture(self):
        self._pictures()
        D.set_dword("CheckMouse", 1)
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        D.click(main["client"][0] + 100, main["client"][1] + 80)
        self._cover_shows(RED)
        self._return_by_click()
        self.assertTrue(D.wait_window("MirelMain", visible=True))
        # The main window is shown, so the watch stays off.
        D.move(512, 0)
        time.sleep(1.0)
        self.assertFalse(D.window("MirelDummy")["visible"])
        D.move(*CENTRE)

    def test_a_slow_picture_holds_up_neither_the_windows_nor_the_cover(self):
        # 100 million pixels take Mirel seconds to decode: the main window's picture and the
        # first cover's are decoded from the start, one after the other.
        huge = os.path.join(D.folder, "huge.png")
        write_png(huge, 10000, 10000, GREEN)
        write_list(D.folder, [windows_path(huge)])
        D.set_text("MainLoadFile", windows_path(huge))
        D.set_dword("ViewBackColor", 0x00FF00FF)
        D.set_dword("DummyFit", 1)  # fit: a square in the middle, the background at the sides
        started = time.monotonic()
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True, timeout=2)
        inside = (main["client"][0] + 20, main["client"][1] + 20)
        self.assertNotEqual(D.pixel(D.screenshot(os.path.join(D.folder, "early.png")), *inside), GREEN)
        # The cover comes up at once in its colour, and the return answers at once.
        D.click(*inside)
        D.wait_window("MirelDummy", visible=True, timeout=2)
        self.assertEqual(D.pixel(D.screenshot(os.path.join(D.folder, "cover.png")), *CENTRE), MAGENTA)
        D.click(*CENTRE)
        D.wait_window("MirelDummy", visible=False, timeout=2)
        D.wait_window("MirelMain", visible=True, timeout=2)
        early = time.monotonic() - started

        def shows(point, shot):
            deadline = time.monotonic() + 60
            while D.pixel(D.screenshot(os.path.join(D.folder, shot)), *point) != GREEN:
                self.assertLess(time.monotonic(), deadline, "the picture never came")
                time.sleep(0.2)
        shows(inside, "main.png")  # the main window's picture, when it is ready
        D.click(*inside)
        D.wait_window("MirelDummy", visible=True, timeout=2)
        shows(CENTRE, "late.png")
        self.assertEqual(D.pixel(os.path.join(D.folder, "late.png"), 100, 384), MAGENTA)
        print(f"  windows and cover answered within {early:.1f} s of the start; both pictures showed "
              f"{time.monotonic() - started:.1f} s after it", file=sys.stderr)
        D.click(*CENTRE)
        D.wait_window("MirelDummy", visible=False, timeout=2)

    def test_double_click_return(self):
        D.set_dword("ReturnType", 1)
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        D.click(main["client"][0] + 100, main["client"][1] + 80)
        D.wait_window("MirelDummy", visible=True)
        D.click(*CENTRE)
        time.sleep(1.0)
        self.assertTrue(D.window("MirelDummy")["visible"])  # a single click does nothing
        D.click(*CENTRE, repeat=2)
        D.wait_window("MirelDummy", visible=False)
        self.assertTrue(D.wait_window("MirelMain", visible=True))

    def test_password_guards_the_return(self):
        # The second cover's picture is more than a 32-bit process may be able to hold: 100
        # million pixels, turned by their Exif orientation.
        write_bitmap(os.path.join(D.folder, "first.bmp"), 8, 8, MAGENTA)
        write_jpeg(os.path.join(D.folder, "huge.jpg"), 10000, 10000, orientation=6)
        write_list(D.folder, [windows_path(os.path.join(D.folder, name)) for name in ["first.bmp", "huge.jpg"]])
        D.set_dword("RequirePassword", 1)
        D.set_dword("ViewBackColor", 0x00FF00FF)
        D.set_text("Password", "Mirel97")
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        D.click(main["client"][0] + 100, main["client"][1] + 80)
        D.wait_window("MirelDummy", visible=True)
        # Another program activates a window, puts one in the topmost band, minimises
        # everything and opens a new window: the cover stays over all of it and keeps the
        # keyboard.
        intruder = subprocess.Popen([D.wine, D.probe_exe, "intrude", "4"], stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL)
        D.wait_window("MirelProbe", visible=True)
        time.sleep(2.5)
        shot = D.screenshot(os.path.join(D.folder, "intruded.png"))
        for point in [(60, 60), (400, 300), (540, 440), CENTRE, (800, 600)]:
            self.assertEqual(D.pixel(shot, *point), MAGENTA, point)
        self.assertEqual(D.probe("foreground")[0]["class"], "MirelDummy")
        intruder.wait(timeout=20)
        D.click(*CENTRE)
        prompt = D.wait_window("MirelPassword", visible=True)
        self.assertEqual(prompt["title"], "パスワード入力")
        self.assertTrue(prompt["topmost"])
        D.type_text("wrong")
        D.key("Return")
        box = D.wait_window("#32770", visible=True)
        self.assertEqual(box["title"], "警告")
        self.assertIn("パスワードが違います。", " ".join(box["texts"]))
        D.key("Return")
        D.wait_for(lambda: not [w for w in D.windows("#32770") if w["visible"]], what="the warning to close")
        self.assertTrue(D.window("MirelDummy")["visible"])
        # Alt+F4 must not skip the password.
        D.key("alt+F4")
        time.sleep(0.8)
        self.assertTrue(D.window("MirelPassword")["visible"])
        self.assertTrue(D.window("MirelDummy")["visible"])
        # The wrong text is selected: typing replaces it.
        D.type_text("Mirel97")
        D.key("Return")
        D.wait_for(lambda: D.window("MirelPassword") is None, what="the prompt to close")
        D.wait_window("MirelDummy", visible=False)
        main = D.wait_window("MirelMain", visible=True)
        # Whether the huge picture can be held or not, Mirel lives and the cover stays up,
        # showing the picture or its colour.
        D.click(main["client"][0] + 100, main["client"][1] + 80)
        D.wait_window("MirelDummy", visible=True)
        time.sleep(2)  # decoded while the first cover was up, or now
        self.assertIsNone(D.process.poll(), "Mirel ended")
        self.assertIn(D.pixel(D.screenshot(os.path.join(D.folder, "huge.png")), *CENTRE), [MAGENTA, GREY])


class Capture(Scenario):
    """Capture into the preview, then into a file or into the dummy image list."""

    def _menu(self, menu_key, item_key):
        D.key(menu_key)
        D.wait_window("#32768", visible=True)
        D.key(item_key)

    def _menu_by_mouse(self, window, title_x, texts, separators):
        """Clicks a menu of the window's menu bar, then its entry below `texts` entries
        and `separators` separators."""
        D.click(window["client"][0] + title_x, window["client"][1] - D.metrics()["menu"] // 2)
        menu = D.wait_window("#32768", visible=True)
        D.click(menu["rect"][0] + 40, menu["rect"][1] + 2 + 17 * texts + 9 * separators + 8)

    def _open_main_with_picture(self):
        write_bitmap(os.path.join(D.folder, "main.bmp"), 120, 90, GREEN)
        D.set_text("MainLoadFile", windows_path(os.path.join(D.folder, "main.bmp")))
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        D.click(main["client"][0] + 200, main["client"][1] + 100, button=3)  # focus without a left click
        time.sleep(0.5)
        return main

    def test_desktop_capture_added_to_the_list_and_shown_by_the_cover(self):
        # Something known on the screen: another program's white window at the top-left.
        bare = subprocess.Popen([D.wine, os.path.join(D.build, "bare.exe")], stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        try:
            D.wait_window("MirelBare", visible=True)
            self._capture_and_add()
        finally:
            bare.kill()
            bare.wait(timeout=20)

    def _capture_and_add(self):
        D.set_dword("ViewBackColor", 0x00FF00FF)
        D.set_dword("Left", 600 * 15)
        D.set_dword("Top", 400 * 15)
        main = self._open_main_with_picture()
        before = D.screenshot(os.path.join(D.folder, "before.png"))
        desktop = D.pixel(before, 800, 300)
        # By mouse: the keyboard belongs to whichever program X gives it.
        self._menu_by_mouse(main, 105, 3, 1)  # 表示(&V), デスクトップキャプチャ(&D)
        preview = D.wait_window("MirelPreview", visible=True)
        self.assertEqual(preview["title"], "プレビュー表示")
        self.assertFalse(preview["topmost"])
        self.assertTrue(D.window("MirelMain")["visible"])  # back before the preview opened
        self.assertFalse(D.window("MirelMain")["enabled"])  # the preview is modal
        self.assertIn("msctls_statusbar32:1024 x 768", preview["texts"])
        time.sleep(0.5)
        shot = D.screenshot(os.path.join(D.folder, "preview.png"))
        if SCREENSHOTS:
            D.screenshot(os.path.join(SCREENSHOTS, "preview.png"))
        # The snapshot sits at the preview's client origin, at its natural size.
        x0, y0 = preview["client"][0], preview["client"][1]
        self.assertEqual(D.pixel(shot, x0 + 100, y0 + 100), WHITE)
        self.assertEqual(D.pixel(shot, x0 + 400, y0 + 300), desktop)
        # The keyboard scrolls the snapshot: Ctrl+End to its bottom-right corner, away from
        # the white window, Ctrl+Home back to the top-left.
        D.key("ctrl+End")
        time.sleep(0.5)
        self.assertNotEqual(D.pixel(D.screenshot(os.path.join(D.folder, "preview-end.png")), x0 + 100, y0 + 100), WHITE)
        D.key("ctrl+Home")
        time.sleep(0.5)
        self.assertEqual(D.pixel(D.screenshot(os.path.join(D.folder, "preview-home.png")), x0 + 100, y0 + 100), WHITE)

        self._menu_by_mouse(preview, 35, 0, 0)  # ファイル(&F), ダミー画像リストに追加(&D)
        D.wait_for(lambda: D.window("MirelPreview") is None, what="the preview to close")
        capt = os.path.join(D.folder, "CAPT000.BMP")
        self.assertTrue(os.path.exists(capt))
        self.assertEqual(D.pixel(capt, 100, 100), WHITE)
        self.assertEqual(D.pixel(capt, 800, 300), desktop)
        self.assertEqual(D.pixel(capt, 1012, 757), D.pixel(before, 1012, 757))  # the tray icon
        # The main window was out of the way: its picture is not in the snapshot.
        green = main["client"][0] + 60, main["client"][1] + 45
        self.assertEqual(D.pixel(before, *green), GREEN)
        self.assertEqual(D.pixel(capt, *green), desktop)
        with open(os.path.join(D.folder, "MIREL.DAT"), "rb") as f:
            self.assertEqual(f.read(), windows_path(capt).encode("cp932") + b"\r\n")
        # The next cover shows the capture over the whole screen.
        self.assertTrue(D.wait_window("MirelMain", visible=True)["enabled"])
        D.click(*green)
        D.wait_window("MirelDummy", visible=True)
        time.sleep(0.3)
        cover = D.screenshot(os.path.join(D.folder, "cover.png"))
        self.assertEqual(D.pixel(cover, 100, 100), WHITE)
        self.assertEqual(D.pixel(cover, 800, 300), desktop)
        self.assertEqual(D.pixel(cover, *green), desktop)
        D.click(*CENTRE)
        D.wait_window("MirelDummy", visible=False)

    def test_ctrl_s_saves_under_the_typed_name_plus_bmp(self):
        self._open_main_with_picture()
        self._menu("alt+v", "w")  # ウィンドウキャプチャ(&W)
        preview = D.wait_window("MirelPreview", visible=True)
        time.sleep(0.5)
        D.key("ctrl+s")
        dialog = D.wait_window("#32770", visible=True)
        self.assertEqual(dialog["title"], "名前を付けて保存")
        D.type_text("shot")
        D.key("Return")
        D.wait_for(lambda: not [w for w in D.windows("#32770") if w["visible"]], what="the dialog to close")
        saved = os.path.join(D.folder, "shot.bmp")
        D.wait_for(lambda: os.path.exists(saved), what="shot.bmp")
        self.assertTrue(D.window("MirelPreview")["visible"])  # the preview stays open
        with open(saved, "rb") as f:
            self.assertEqual(f.read(2), b"BM")
        D.click(preview["rect"][0] + 100, preview["rect"][1] + 10)
        D.key("alt+F4")
        D.wait_for(lambda: D.window("MirelPreview") is None, what="the preview to close")
        self.assertFalse(os.path.exists(os.path.join(D.folder, "MIREL.DAT")))

    def test_tray_capture_keeps_the_hidden_main_window_hidden_and_the_watch_resumes(self):
        D.set_dword("MainVisible", 0)
        D.set_dword("CheckMouse", 1)
        D.move(*CENTRE)
        D.start_and_wait()
        D.click(*TRAY_ICON, button=3)
        menu = D.wait_window("#32768", visible=True)
        D.click(menu["rect"][0] + 40, menu["rect"][1] + 2 + 17 * 3 + 9 + 8)  # デスクトップキャプチャ(&C)
        preview = D.wait_window("MirelPreview", visible=True)
        self.assertFalse(D.window("MirelMain")["visible"])
        # The tray menu does not open over the modal preview.
        D.click(*TRAY_ICON, button=3)
        time.sleep(0.8)
        self.assertFalse([w for w in D.windows("#32768") if w["visible"]])
        # No cover while the preview is open.
        D.move(1023, 300)
        time.sleep(0.8)
        self.assertFalse(D.window("MirelDummy")["visible"])
        D.click(preview["rect"][0] + 100, preview["rect"][1] + 10)
        self._menu("alt+f", "x")  # 閉じる(&X)
        D.wait_for(lambda: D.window("MirelPreview") is None, what="the preview to close")
        self.assertFalse(D.window("MirelMain")["visible"])
        D.move(1023, 300)
        D.wait_window("MirelDummy", visible=True)
        D.move(*CENTRE)
        D.click(*CENTRE)
        D.wait_window("MirelDummy", visible=False)


class TrayMenu(Scenario):
    """The tray icon's menu, opened through the icon's right-button notification."""

    def _open_menu(self):
        # A right click on the icon at the right end of the taskbar, as a user would.
        D.click(*TRAY_ICON, button=3)
        return D.wait_window("#32768", visible=True)

    # Entries from the top: (text entries above, separators above).
    ENTRIES = {"view": (0, 0), "titlebar": (1, 0), "mouse": (2, 0), "capture": (3, 1), "about": (6, 2),
               "exit": (7, 3)}

    def _choose(self, entry):
        menu = self._open_menu()
        texts, separators = self.ENTRIES[entry]
        left, top = menu["rect"][0], menu["rect"][1]
        D.click(left + 40, top + 2 + 17 * texts + 9 * separators + 8)
        D.wait_for(lambda: not [w for w in D.windows("#32768") if w["visible"]], what="the menu to close")

    def test_menu_entries(self):
        D.start_and_wait()
        D.wait_window("MirelMain", visible=True)
        # A left click on the icon opens nothing.
        D.click(*TRAY_ICON)
        time.sleep(0.8)
        self.assertFalse([w for w in D.windows("#32768") if w["visible"]])

        menu = self._open_menu()
        if SCREENSHOTS:
            time.sleep(0.3)
            D.screenshot(os.path.join(SCREENSHOTS, "tray-menu.png"))
        D.click(600, 300)  # a click elsewhere closes the menu
        D.wait_for(lambda: not [w for w in D.windows("#32768") if w["visible"]], what="the menu to close")

        self._choose("view")  # ウィンドウを表示(&V): hide the main window
        D.wait_window("MirelMain", visible=False)
        self._choose("mouse")  # マウスによる切り替え(&M): the watch goes on at once
        D.move(1023, 300)
        D.wait_window("MirelDummy", visible=True)
        D.move(*CENTRE)
        D.click(*CENTRE)
        D.wait_window("MirelDummy", visible=False)
        self._choose("view")  # show the main window again: the watch stops
        D.wait_window("MirelMain", visible=True)
        D.move(1023, 300)
        time.sleep(1.0)
        self.assertFalse(D.window("MirelDummy")["visible"])
        self._choose("view")
        D.wait_window("MirelMain", visible=False)
        self._choose("exit")  # 終了(&X)
        self.assertEqual(D.wait_exit(), 0)
        stored = D.settings()
        self.assertEqual(stored["CheckMouse"], 1)
        self.assertEqual(stored["MainVisible"], 0)


class About(Scenario):
    ENTRIES = TrayMenu.ENTRIES
    _open_menu = TrayMenu._open_menu
    _choose = TrayMenu._choose

    def test_about_box_from_the_tray_with_the_main_window_hidden(self):
        D.set_dword("MainVisible", 0)
        D.start_and_wait()
        self._choose("about")  # バージョン情報(&A)
        box = D.wait_window("MirelAbout", visible=True)
        self.assertEqual(box["title"], "バージョン情報")
        self.assertIn("Static:Mirel ver 0.97", box["texts"])
        self.assertIn("Static:Copyright (C) 2026 Kalv", box["texts"])
        self.assertFalse(D.window("MirelMain")["visible"])
        time.sleep(0.3)
        shot = D.screenshot(os.path.join(D.folder, "about.png"))
        if SCREENSHOTS:
            D.screenshot(os.path.join(SCREENSHOTS, "about.png"))
        # The icon: 32 x 32 pixels at 120, 120 twips, not all of them the dialog's colour.
        x0, y0 = box["client"][0] + 8, box["client"][1] + 8
        background = D.pixel(shot, box["client"][0] + 2, box["client"][1] + 2)
        icon = {D.pixel(shot, x0 + dx, y0 + dy) for dx in range(4, 32, 6) for dy in range(4, 32, 6)}
        self.assertGreater(len(icon - {background}), 2)
        D.key("Return")  # OK is the default button
        D.wait_for(lambda: D.window("MirelAbout") is None, what="the about box to close")
        self.assertFalse(D.window("MirelMain")["visible"])


class Options(Scenario):
    """The options dialog, opened from both menus and used with the keyboard."""
    ENTRIES = dict(TrayMenu.ENTRIES, option=(4, 1))
    _open_menu = TrayMenu._open_menu
    _choose = TrayMenu._choose

    def _key(self, *keys):
        D.key(*keys)
        time.sleep(0.3)

    def test_mouse_and_return_pages_from_the_tray_take_effect_at_once(self):
        D.set_dword("CheckMouse", 1)
        D.set_dword("MainVisible", 0)
        D.set_dword("ViewBackColor", 0x00FF00FF)
        D.start_and_wait()
        self._choose("option")
        dialog = D.wait_window("MirelOption", visible=True)
        self.assertEqual(dialog["title"], "オプション")
        time.sleep(0.5)
        # ダミーウィンドウ: the placement one down to 画面に合わせる (Alt+F, then the arrow in
        # the drop-down) and the picture on every monitor (Alt+E).
        self._key("ctrl+Tab")
        self._key("alt+f")
        self._key("Down")
        self._key("alt+e")
        # マウス: the left edge off (Alt+L), 250 typed into the interval box (Alt+I).
        self._key("ctrl+Tab")
        self._key("alt+l")
        self._key("alt+i")
        D.type_text("250")
        # 復帰: double click (Alt+D), the password on (Alt+P) and typed into the next box.
        self._key("ctrl+Tab")
        self._key("alt+d")
        self._key("alt+p")
        self._key("Tab")
        D.type_text("pw")
        self._key("Return")  # OK
        D.wait_for(lambda: D.window("MirelOption") is None, what="the dialog to close")
        stored = D.settings()
        self.assertEqual(stored["CheckMouseFlag"], 11)
        self.assertEqual(stored["CheckMouseInterval"], 250)
        self.assertEqual(stored["ReturnType"], 1)
        self.assertEqual(stored["RequirePassword"], 1)
        self.assertEqual(stored["Password"], "pw")
        self.assertEqual(stored["DummyFit"], 1)
        self.assertEqual(stored["DummyEveryMonitor"], 1)
        # The watch runs again with the new edges: the left one does nothing, the top one covers.
        D.move(0, 300)
        time.sleep(1.0)
        self.assertFalse(D.window("MirelDummy")["visible"])
        D.move(512, 0)
        D.wait_window("MirelDummy", visible=True)
        D.move(*CENTRE)
        # A single click no longer returns; a double click asks for the password.
        D.click(*CENTRE)
        time.sleep(1.0)
        self.assertTrue(D.window("MirelDummy")["visible"])
        self.assertIsNone(D.window("MirelPassword"))
        D.click(*CENTRE, repeat=2)
        D.wait_window("MirelPassword", visible=True)
        D.type_text("pw")
        D.key("Return")
        D.wait_window("MirelDummy", visible=False)

        # Esc after changes stores nothing.
        before = D.settings()
        self._choose("option")
        D.wait_window("MirelOption", visible=True)
        time.sleep(0.5)
        self._key("alt+w")
        self._key("ctrl+Tab")
        self._key("alt+r")
        self._key("Escape")
        D.wait_for(lambda: D.window("MirelOption") is None, what="the dialog to close")
        self.assertEqual(D.settings(), before)

    def test_main_menu_opens_the_pages_and_the_question_mark_shows_a_topic(self):
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        D.click(main["rect"][0] + 150, main["rect"][1] + 10)
        time.sleep(0.3)
        self._key("alt+v")
        D.wait_window("#32768", visible=True)
        D.key("o")  # オプション(&O)
        dialog = D.wait_window("MirelOption", visible=True)
        self.assertFalse(D.window("MirelMain")["enabled"])  # modal
        time.sleep(0.5)
        # Ctrl+Tab goes through the five pages: five different pictures of the client area.
        x, y, right, bottom = dialog["client"]
        pages = []
        for page, name in enumerate(PAGES):
            if page:
                self._key("ctrl+Tab")
            shot = D.screenshot(os.path.join(D.folder, f"options-{name}.png"))
            pages.append(subprocess.run(["convert", shot, "-crop", f"{right - x}x{bottom - y}+{x}+{y}", "rgb:-"],
                                        check=True, capture_output=True).stdout)
        self.assertEqual(len(set(pages)), 5)
        if SCREENSHOTS:
            save_pages(dialog, [os.path.join(D.folder, f"options-{name}.png") for name in PAGES], "options.png")
        self._key("ctrl+Tab")  # round to the first page again
        self._key("alt+w")  # 常に手前に表示する(&W)
        self._key("Return")
        D.wait_for(lambda: D.window("MirelOption") is None, what="the dialog to close")
        self.assertEqual(D.settings()["AlwaysTop"], 1)
        self.assertTrue(D.wait_window("MirelMain", visible=True)["topmost"])
        self.assertTrue(D.window("MirelMain")["enabled"])

        # The title bar's '?' (Wine draws no such button, so its command is sent), then a
        # click on the browse button: its topic opens in the help viewer.
        D.click(main["rect"][0] + 150, main["rect"][1] + 10)
        self._key("alt+v")
        D.wait_window("#32768", visible=True)
        D.key("o")
        dialog = D.wait_window("MirelOption", visible=True)
        time.sleep(0.5)
        D.probe("post", "MirelOption", str(0x0112), str(0xF180), "0")  # WM_SYSCOMMAND, SC_CONTEXTHELP
        time.sleep(0.5)
        dpi_scale = (dialog["client"][2] - dialog["client"][0]) / 371  # 5565 twips at 96 DPI
        x = dialog["client"][0] + int((240 + 120 + 3660 + 500) / 15 * dpi_scale)
        y = dialog["client"][1] + int((420 + 180 + 300 + 150) / 15 * dpi_scale)
        D.click(x, y)
        D.wait_window("HH Parent", visible=True, timeout=30)
        self.assertFalse([w for w in D.windows("#32770") if w["visible"]])  # no warning
        self.assertIsNotNone(D.window("MirelOption"))  # the pick opened no browse dialog


class Extras(Scenario):
    """The panic key, instant edges and the dwell time, as a user meets them."""

    def test_panic_key_from_another_program_and_instant_edges(self):
        D.set_dword("MainVisible", 0)
        D.set_dword("CheckMouse", 1)
        D.set_dword("InstantEdges", 1)
        # Ctrl+Shift+M (the X server keeps Ctrl+Alt+F-keys for switching consoles)
        D.set_dword("PanicKey", (0x02 | 0x01) << 8 | 0x4D)
        D.set_dword("ViewBackColor", 0x00FF00FF)
        D.start_and_wait()
        # The program that has the keyboard when the key is pressed; it tells afterwards which
        # modifier keys it takes as still held.
        other = subprocess.Popen([D.wine, D.probe_exe, "hold", "5"], stdout=subprocess.PIPE,
                                 stderr=subprocess.DEVNULL, text=True)
        try:
            D.wait_window("MirelProbe", visible=True)
            time.sleep(0.5)
            D.move(*CENTRE)
            # Typed into the other program's window as a person types it: the modifiers let go
            # a moment after the letter.
            D.focus_foreground()
            D.xdo("keydown", "ctrl+shift", "key", "m", "sleep", "0.3", "keyup", "ctrl+shift")
            D.wait_window("MirelDummy", visible=True)
            D.wait_for(lambda: D.probe("foreground")[0]["class"] == "MirelDummy", what="the cover to take the keyboard")
            D.click(*CENTRE)
            D.wait_window("MirelDummy", visible=False)
            out, _ = other.communicate(timeout=30)
            keys = json.loads([line for line in out.splitlines() if line.startswith("{")][-1])
            # None left "held", and the keyboard taken only once they were up (Windows leaves
            # the other program's key states as they were when it lost the keyboard; Wine
            # does not always).
            self.assertEqual(keys, {"control": False, "shift": False, "alt": False, "lost_while_held": False})
            # Instant edges: the touch itself brings up the cover.
            D.move(600, 300)
            time.sleep(0.3)
            D.move(1023, 300)
            D.wait_window("MirelDummy", visible=True, timeout=5)
            D.move(*CENTRE)
            D.click(*CENTRE)
            D.wait_window("MirelDummy", visible=False)
        finally:
            other.kill()
            other.wait(timeout=20)

    def test_dwell_time_holds_back_a_short_touch(self):
        D.set_dword("MainVisible", 0)
        D.set_dword("CheckMouse", 1)
        D.set_dword("DwellTime", 1500)
        D.start_and_wait()
        D.move(*CENTRE)
        time.sleep(0.5)
        D.move(0, 300)  # a short touch
        time.sleep(0.4)
        D.move(*CENTRE)
        time.sleep(1.5)
        self.assertFalse(D.window("MirelDummy")["visible"])
        D.move(0, 300)  # a stay
        D.wait_window("MirelDummy", visible=True, timeout=6)


class Help(Scenario):
    def test_f1_opens_the_help_and_exit_closes_it(self):
        D.start_and_wait()
        main = D.wait_window("MirelMain", visible=True)
        D.click(main["rect"][0] + 150, main["rect"][1] + 10)
        D.key("F1")
        viewer = D.wait_window("HH Parent", visible=True, timeout=30)
        self.assertEqual(viewer["pid"], main["pid"])  # the viewer runs inside Mirel
        self.assertFalse([w for w in D.windows("#32770") if w["visible"]])  # no warning
        D.click(*TRAY_ICON, button=3)
        menu = D.wait_window("#32768", visible=True)
        D.click(menu["rect"][0] + 40, menu["rect"][1] + 2 + 17 * 7 + 9 * 3 + 8)  # 終了(&X)
        self.assertEqual(D.wait_exit(), 0)
        self.assertIsNone(D.window("HH Parent"))


class English(Scenario):
    """Mirel on an English Windows (the shell and every program started in en_US.UTF-8): the
    warning at start, both menus, the options' pages and the password over the cover, each
    text read back whole from the English table."""
    ENTRIES = Options.ENTRIES
    _open_menu = TrayMenu._open_menu
    _choose = TrayMenu._choose

    @classmethod
    def setUpClass(cls):
        cls.japanese = os.environ["LC_ALL"]
        D.sign_in("en_US.UTF-8")

    @classmethod
    def tearDownClass(cls):
        D.sign_in(cls.japanese)

    @staticmethod
    def _popup():
        return D.wait_for(lambda: next((line["popup"] for line in D.menus("MirelTray") if "popup" in line), None),
                          what="the open menu's entries")

    def test_an_english_windows_shows_every_text_in_english_and_whole(self):
        with open(ENGLISH_TEXTS, encoding="utf-8") as f:
            english = {re.sub(r"\\(.)", lambda m: {"t": "\t"}.get(m[1], m[1]), text)
                       for text in re.findall(r'L"((?:[^"\\]|\\.)*)"', f.read())}
        D.set_text("MainLoadFile", r"C:\nowhere\gone.bmp")
        D.set_dword("RequirePassword", 1)
        D.set_text("Password", "Mirel97")
        D.start()
        box = D.wait_window("#32770", visible=True)
        self.assertEqual(box["title"], "Warning")
        self.assertIn("The picture for the main window cannot be found.", " ".join(box["texts"]))
        D.key("Return")
        main = D.wait_window("MirelMain", visible=True)
        read = []  # every text read back, to be found whole in the table

        # The menu bar, and its View menu opened as a user opens it.
        bar = next(line["menu"] for line in D.menus("MirelMain") if line.get("class") == "MirelMain")
        self.assertEqual([menu["text"] for menu in bar], ["&File", "&View", "&Help"])
        read += [text for menu in bar for text in [menu["text"], *menu["items"]]]
        D.click(main["rect"][0] + 150, main["rect"][1] + 10)
        D.key("alt+v")
        D.wait_window("#32768", visible=True)
        self.assertEqual(self._popup(), bar[1]["items"])
        if SCREENSHOTS:
            D.screenshot(os.path.join(SCREENSHOTS, "main-window-en.png"))
        D.key("Escape", "Escape")
        D.wait_for(lambda: not [w for w in D.windows("#32768") if w["visible"]], what="the menu to close")

        # The tray icon's menu.
        self._open_menu()
        tray = self._popup()
        self.assertIn("Switch by &mouse", tray)
        read += tray
        if SCREENSHOTS:
            time.sleep(0.3)
            D.screenshot(os.path.join(SCREENSHOTS, "tray-menu-en.png"))
        D.click(600, 300)
        D.wait_for(lambda: not [w for w in D.windows("#32768") if w["visible"]], what="the menu to close")

        # The options dialog: its pages' names, every caption and list entry, each page seen.
        self._choose("option")
        dialog = D.wait_window("MirelOption", visible=True)
        self.assertEqual(dialog["title"], "Options")
        controls = next(line["controls"] for line in D.menus("MirelOption") if line.get("class") == "MirelOption")
        tabs = [c["items"] for c in controls if c["class"] == "SysTabControl32"]
        self.assertEqual(tabs, [["Main window", "Dummy window", "Mouse", "Return", "Other"]])
        read += [item for c in controls for item in c["items"]]
        captions = [t.split(":", 1)[1] for t in dialog["texts"] if t.split(":", 1)[0] in ("Button", "Static")]
        self.assertGreater(len(captions), 30)
        read += captions
        time.sleep(0.5)
        shots = []
        for page, name in enumerate(PAGES):
            if page:
                D.key("ctrl+Tab")
                time.sleep(0.3)
            shots.append(D.screenshot(os.path.join(D.folder, f"options-{name}.png")))
        if SCREENSHOTS:
            save_pages(dialog, shots, "options-en.png")
        D.key("Escape")
        D.wait_for(lambda: D.window("MirelOption") is None, what="the dialog to close")

        # The password prompt over the cover.
        D.click(main["client"][0] + 100, main["client"][1] + 80)
        D.wait_window("MirelDummy", visible=True)
        D.click(*CENTRE)
        prompt = D.wait_window("MirelPassword", visible=True)
        self.assertEqual(prompt["title"], "Enter Password")
        self.assertIn("Static:Enter the password.", prompt["texts"])
        D.type_text("Mirel97")
        D.key("Return")
        D.wait_window("MirelDummy", visible=False)

        same_in_every_language = {"-", "OK"}  # a menu's separators, the dialogs' OK button
        self.assertEqual([text for text in read if text not in english | same_in_every_language], [])
        self._choose("exit")
        self.assertEqual(D.wait_exit(), 0)


def main():
    global D, SCREENSHOTS
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--screenshots", help="folder for the README's screenshots")
    parser.add_argument("--only", help="run the scenarios whose names contain one of these texts (comma-separated)")
    args, rest = parser.parse_known_args()
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
        wanted = args.only.split(",")
        suite = unittest.TestSuite(t for t in flatten(suite) if any(w in t.id() for w in wanted))
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    print(f"{result.testsRun - len(result.failures) - len(result.errors)} passed, "
          f"{len(result.failures) + len(result.errors)} failed")
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
