// The about box on real windows, with this exe's own version information.
#include <gtest/gtest.h>

#include "app/application.h"
#include "app_fixture.h"
#include "core/twips.h"
#include "forms/about/frm_about.h"
#include "forms/main/frm_main.h"
#include "forms/tray/frm_task_tray.h"

namespace mirel {
namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

class AboutTest : public test::AppTest {};

TEST_F(AboutTest, ShowsTheVersionCopyrightAndIconInItsDesignedSize) {
  auto& app = Start();
  app.main().SetVisible(false);  // opened from the tray: the icon is there all the same
  frmAbout about(app, app.main().hwnd());
  about.Form_Load();
  ASSERT_TRUE(about.hwnd());
  EXPECT_EQ(TextOf(about.hwnd()), L"バージョン情報");
  EXPECT_EQ(TextOf(about.versionLabel()), L"Mirel ver 0.97");
  EXPECT_EQ(TextOf(about.copyrightLabel()), L"Copyright (C) 2026 Kalv");
  EXPECT_EQ(TextOf(about.okButton()), L"OK");
  EXPECT_TRUE(GetWindowLongW(about.okButton(), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(about.icon(), STM_GETICON, 0, 0)), app.main().largeIcon());
  EXPECT_NE(app.main().largeIcon(), nullptr);
  // What a screen reader says for each, the icon included.
  EXPECT_EQ(test::AccessibleName(about.icon()), L"Mirel");
  EXPECT_EQ(test::AccessibleName(about.versionLabel()), L"Mirel ver 0.97");
  EXPECT_EQ(test::AccessibleName(about.copyrightLabel()), L"Copyright (C) 2026 Kalv");
  EXPECT_EQ(test::AccessibleName(about.okButton()), L"OK");
  RECT client{};
  GetClientRect(about.hwnd(), &client);
  const unsigned dpi = WindowDpi(about.hwnd());
  EXPECT_EQ(client.right, TwipsToPixels(3480, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(1140, dpi));
  const LONG style = GetWindowLongW(about.hwnd(), GWL_STYLE);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  // Centred on the screen while its owner is hidden.
  RECT frame{};
  GetWindowRect(about.hwnd(), &frame);
  EXPECT_LE(std::abs((frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
  // Enter and Esc close it, as OK does.
  SendMessageW(about.hwnd(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(about.closed());
}

// Wine runs at one DPI: the box is sent what Windows sends it on the way to a 200 % monitor.
TEST_F(AboutTest, LaysItselfOutAgainAtAnotherMonitorsScaling) {
  auto& app = Start();
  frmAbout about(app, app.main().hwnd());
  about.Form_Load();
  ASSERT_TRUE(about.hwnd());
  const unsigned dpi = WindowDpi(about.hwnd());
  const SIZE ok = test::SizeOf(about.okButton());
  const int height = test::FontHeight(about.okButton());
  const auto oldFont = reinterpret_cast<HGDIOBJ>(SendMessageW(about.okButton(), WM_GETFONT, 0, 0));
  ASSERT_GT(height, 0);

  const RECT suggested = test::SendDpiChanged(about.hwnd(), 2 * dpi, dpi);
  RECT frame{};
  GetWindowRect(about.hwnd(), &frame);
  EXPECT_TRUE(EqualRect(&frame, &suggested));
  const SIZE large = test::SizeOf(about.okButton());
  EXPECT_NEAR(large.cx, 2 * ok.cx, 1);
  EXPECT_NEAR(large.cy, 2 * ok.cy, 1);
  RECT place{};
  GetWindowRect(about.copyrightLabel(), &place);
  MapWindowPoints(nullptr, about.hwnd(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, TwipsToPixels(840, 2 * dpi));
  EXPECT_EQ(place.top, TwipsToPixels(420, 2 * dpi));
  EXPECT_NEAR(test::FontHeight(about.okButton()), 2 * height, 1);
  EXPECT_EQ(SendMessageW(about.versionLabel(), WM_GETFONT, 0, 0), SendMessageW(about.okButton(), WM_GETFONT, 0, 0));
  EXPECT_EQ(GetObjectType(oldFont), 0u);  // freed, not leaked

  // And back to the first monitor: as it opened.
  test::SendDpiChanged(about.hwnd(), dpi, 2 * dpi);
  const SIZE back = test::SizeOf(about.okButton());
  EXPECT_EQ(back.cx, ok.cx);
  EXPECT_EQ(back.cy, ok.cy);
  EXPECT_EQ(test::FontHeight(about.okButton()), height);
}

TEST_F(AboutTest, ClosingGivesBackTheWatchAndTheTopmostBand) {
  auto& app = Start();
  app.settings().alwaysTop = true;
  app.settings().checkMouse = true;
  HWND main = app.main().hwnd();
  const auto topmost = [main] { return (GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  for (const bool shown : {false, true}) {
    SCOPED_TRACE(shown);
    app.main().SetVisible(shown);
    app.tray().SetWatchEnabled(!shown);
    SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    frmAbout about(app, main);
    about.Form_Load();
    EXPECT_FALSE(app.tray().WatchEnabled());
    EXPECT_FALSE(topmost());
    about.Form_Unload();
    EXPECT_TRUE(topmost());
    EXPECT_EQ(app.tray().WatchEnabled(), !shown);
  }
}

}  // namespace
}  // namespace mirel
