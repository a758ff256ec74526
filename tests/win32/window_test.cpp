// The window utilities on real windows.
#include "platform/window.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>

#include "app/application.h"
#include "app/window_utils.h"
#include "platform/dialog.h"
#include "platform/session_news.h"
#include "test_support.h"

namespace mirel {
namespace {

class PlainWindow : public Window {
 public:
  PlainWindow() { Create({L"MirelTestPlain"}, 0, L"plain", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150, nullptr, nullptr); }
};

TEST(WindowUtils, ToggleTitleBarTwiceRestoresTheStyle) {
  PlainWindow window;
  ASSERT_TRUE(window.hwnd());
  const LONG before = GetWindowLongW(window.hwnd(), GWL_STYLE);
  ToggleTitleBar(window.hwnd());
  const LONG toggled = GetWindowLongW(window.hwnd(), GWL_STYLE);
  EXPECT_EQ(toggled & WS_CAPTION, 0);
  EXPECT_EQ(toggled & WS_THICKFRAME, 0);
  EXPECT_EQ(toggled ^ before, kTitleBarBits);
  ToggleTitleBar(window.hwnd());
  EXPECT_EQ(GetWindowLongW(window.hwnd(), GWL_STYLE), before);
}

TEST(WindowUtils, ToggleTitleBarLeavesThePlaceAlone) {
  PlainWindow window;
  RECT before{};
  GetWindowRect(window.hwnd(), &before);
  ToggleTitleBar(window.hwnd());
  RECT after{};
  GetWindowRect(window.hwnd(), &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  // Without its frame the client area is the whole window.
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, after.right - after.left);
}

TEST(WindowUtils, SetTopMostPutsTheWindowInAndOutOfTheBand) {
  PlainWindow window;
  SetTopMost(window.hwnd(), true);
  EXPECT_TRUE(GetWindowLongW(window.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetTopMost(window.hwnd(), false);
  EXPECT_FALSE(GetWindowLongW(window.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

class ThrowingWindow : public Window {
 public:
  ThrowingWindow() {
    Create({L"MirelTestThrowing"}, 0, L"throws", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150, nullptr, nullptr);
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_USER) throw std::bad_alloc();
    return DefaultProc(message, wParam, lParam);
  }
};

TEST(Window, AnExceptionInAHandlerNeverLeavesTheWindowProcedure) {
  ThrowingWindow window;
  ASSERT_TRUE(window.hwnd());
  // Without the guard the exception would unwind into the system and end this process.
  EXPECT_EQ(SendMessageW(window.hwnd(), WM_USER, 0, 0), 0);
  EXPECT_TRUE(IsWindow(window.hwnd()));
  SetWindowTextW(window.hwnd(), L"still answers");
  wchar_t text[32] = {};
  GetWindowTextW(window.hwnd(), text, 32);
  EXPECT_STREQ(text, L"still answers");
}

class ThrowingDialog : public Dialog {
 public:
  ThrowingDialog() { Create(L"MirelTestThrowingDialog", 0, L"throws", WS_POPUP | WS_CAPTION, nullptr); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_USER) throw std::bad_alloc();
    if (message == WM_USER + 1) throw 1;  // not even a std::exception
    return DefaultProc(message, wParam, lParam);
  }
};

TEST(Dialog, AnExceptionInAHandlerNeverLeavesTheDialogProcedure) {
  ThrowingDialog dialog;
  ASSERT_TRUE(dialog.hwnd());
  // Without the guard either would unwind into the system and end this process; the
  // messages are left to the dialog manager, which still answers.
  SendMessageW(dialog.hwnd(), WM_USER, 0, 0);
  SendMessageW(dialog.hwnd(), WM_USER + 1, 0, 0);
  EXPECT_TRUE(IsWindow(dialog.hwnd()));
  SetWindowTextW(dialog.hwnd(), L"still answers");
  wchar_t text[32] = {};
  GetWindowTextW(dialog.hwnd(), text, 32);
  EXPECT_STREQ(text, L"still answers");
}

// A plain window with controls at twips places, as the dialogs make theirs.
class TwipsWindow : public Window {
 public:
  static constexpr int kLabel[4] = {1440, 720, 2880, 360};  // an inch in, half an inch down
  TwipsWindow() {
    Create({L"MirelTestTwips"}, 0, L"twips", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300, nullptr, nullptr);
    CreateFont();
    label_ = CreateTwipsChild(hwnd(), L"STATIC", L"label", 0, 1, kLabel);
  }
  HWND label() const { return label_; }
  using WindowBase::FollowDpi;

 private:
  HWND label_ = nullptr;
};

TEST(Window, TwipsChildrenFollowTheDpiInAFontOfIt) {
  TwipsWindow window;
  ASSERT_TRUE(window.label());
  const unsigned dpi = window.Dpi();
  const auto placeAt = [&](unsigned at) {
    RECT r{};
    GetWindowRect(window.label(), &r);
    MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, static_cast<LONG>(at));  // 1440 twips: an inch
    EXPECT_EQ(r.top, static_cast<LONG>(at / 2));
    EXPECT_EQ(r.right - r.left, static_cast<LONG>(2 * at));
  };
  placeAt(dpi);
  const int height = test::FontHeight(window.label());
  ASSERT_GT(height, 0);
  EXPECT_EQ(SendMessageW(window.label(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(window.font()));
  const UniqueFont old = window.FollowDpi(2 * dpi);
  EXPECT_TRUE(old);  // the caller frees it once nothing uses it
  EXPECT_EQ(window.Dpi(), 2 * dpi);
  placeAt(2 * dpi);
  EXPECT_NEAR(test::FontHeight(window.label()), 2 * height, 1);
  // Made again, the window is laid out for its own DPI.
  DestroyWindow(window.hwnd());
  EXPECT_EQ(window.Dpi(), dpi);
}

TEST(SessionNews, EachOwnerHoldsWhatItsDestructorUndoes) {
  PlainWindow window;
  // The session's owner keeps the window it registered: its destructor names that one.
  const UniqueSessionNotification session = RegisterSessionNotification(window.hwnd());
  ASSERT_TRUE(session);
  EXPECT_EQ(session.get(), window.hwnd());
  constexpr GUID kDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
  EXPECT_TRUE(RegisterPowerNotification(window.hwnd(), kDisplayState));
  // Nothing registered for no window, so nothing is undone for it.
  EXPECT_FALSE(RegisterSessionNotification(nullptr));
  EXPECT_FALSE(RegisterPowerNotification(nullptr, kDisplayState));
}

TEST(SingleInstance, TwoStartsAtTheSameMomentGiveExactlyOneFirst) {
  // Two processes made ready together and let go at once, 50 times over: each time exactly
  // one of them holds the claim (the same call Mirel.exe makes first thing).
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  for (int round = 0; round < 50; ++round) {
    const std::wstring name =
        L"Local\\Kalv.Mirel.Test." + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(round);
    PROCESS_INFORMATION starts[2] = {};
    for (auto& start : starts) {
      std::wstring command = L"\"" + std::wstring(self) + L"\" --claim-instance " + name;
      STARTUPINFOW startup{};
      startup.cb = sizeof startup;
      ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                                 &startup, &start));
    }
    for (auto& start : starts) ResumeThread(start.hThread);
    DWORD firsts = 0;
    for (auto& start : starts) {
      WaitForSingleObject(start.hProcess, 20000);
      DWORD code = 2;
      GetExitCodeProcess(start.hProcess, &code);
      firsts += code;
      CloseHandle(start.hThread);
      CloseHandle(start.hProcess);
    }
    EXPECT_EQ(firsts, 1u) << "round " << round;
  }
}

}  // namespace
}  // namespace mirel
