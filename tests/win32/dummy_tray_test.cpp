// The dummy screen, its return, the mouse-edge watch and the tray menu on real windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <thread>

#include "app/application.h"
#include "app_fixture.h"
#include "core/cover_layout.h"
#include "core/list_format.h"
#include "core/ui_text.h"
#include "forms/about/frm_about.h"
#include "forms/dummy/frm_dummy.h"
#include "forms/main/frm_main.h"
#include "forms/password/frm_password.h"
#include "forms/tray/frm_task_tray.h"
#include "forms/tray/panic_key.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/picture_worker.h"
#include "platform/system_dll.h"
#include "platform/text.h"
#include "platform/window.h"
#include "resources/resource_ids.h"
#include "settings/dummy_list.h"
#include "settings/registry.h"
#include "settings/taskbar_theme.h"

namespace mirel {
namespace {

using test::Pump;

std::string AnsiOf(const std::wstring& text) {
  return WideToAnsiExact(text).value_or("?");
}

// A tray menu of this process on the screen, or null.
HWND VisibleMenu() {
  for (HWND menu = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu;
       menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(menu, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(menu)) return menu;
  }
  return nullptr;
}

struct IconEventSent {
  UINT code;
  POINT anchor;
};

// Plays Explorer and the user: sends the icon's callback messages in version 4's form from
// another thread, as the shell does (SendNotifyMessage: they wait for the tray's thread),
// then closes with Esc every menu that opens, noting where it opened, while this thread
// runs the tray's messages.
std::vector<RECT> MenusOpenedBy(HWND tray, const std::vector<IconEventSent>& events) {
  std::vector<RECT> menus;
  std::atomic<bool> sent{false};
  std::atomic<bool> stop{false};
  std::thread shell([&] {
    for (const auto& e : events)
      SendNotifyMessageW(tray, kTrayCallbackMessage, MAKEWPARAM(e.anchor.x, e.anchor.y),
                         MAKELPARAM(e.code, kTrayIconId));
    sent = true;
    while (!stop) {
      HWND menu = VisibleMenu();
      if (!menu) {
        Sleep(10);
        continue;
      }
      RECT rect{};
      GetWindowRect(menu, &rect);
      menus.push_back(rect);
      PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
      for (int i = 0; i < 200 && VisibleMenu(); ++i) Sleep(10);
    }
  });
  while (!sent) Sleep(1);
  // Long enough for a second menu after the first: it would open as soon as the first closed.
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(800);
  while (std::chrono::steady_clock::now() < end) {
    Pump();
    Sleep(10);
  }
  stop = true;
  shell.join();
  return menus;
}

// The corner of the menu that lies at the point it was opened at.
POINT MenuCorner(const RECT& menu) {
  return {GetSystemMetrics(SM_MENUDROPALIGNMENT) ? menu.right : menu.left, menu.top};
}

// An icon's colour pixels, top row first, and its width.
std::pair<int, std::vector<std::uint32_t>> PixelsOf(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  UniqueBitmap color(info.hbmColor);
  UniqueBitmap mask(info.hbmMask);
  BITMAP bitmap{};
  GetObjectW(color.get(), sizeof bitmap, &bitmap);
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), bitmap.bmWidth, -bitmap.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(bitmap.bmWidth) * bitmap.bmHeight);
  WindowDc screen(nullptr);
  GetDIBits(screen.get(), color.get(), 0, bitmap.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
  return {bitmap.bmWidth, pixels};
}

int Brightness(std::uint32_t pixel) {
  return static_cast<int>((pixel >> 16 & 0xFF) + (pixel >> 8 & 0xFF) + (pixel & 0xFF));
}

// Windows' colour mode of the taskbar for a test, given back as it was afterwards.
class ColorMode {
 public:
  ColorMode() {
    DWORD size = sizeof saved_;
    had_ = RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, kLightTaskbarValue, RRF_RT_REG_DWORD, nullptr, &saved_,
                        &size) == ERROR_SUCCESS;
  }
  ~ColorMode() { had_ ? Set(saved_) : Remove(); }
  void Set(DWORD light) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, kLightTaskbarValue, REG_DWORD, &light, sizeof light);
  }
  void Remove() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, kLightTaskbarValue); }

 private:
  DWORD saved_ = 0;
  bool had_ = false;
};

class DummyTrayTest : public test::AppTest {
 protected:
  // Three pictures in MIREL.DAT, each a different colour and width.
  std::vector<std::wstring> WriteThreePictures() {
    std::vector<std::wstring> paths;
    std::string list;
    const wchar_t* names[] = {L"zero.bmp", L"one.bmp", L"two.bmp"};
    for (int i = 0; i < 3; ++i) {
      paths.push_back(dir_ / names[i]);
      test::WriteBitmap(paths.back(), 10 + i, 10, RGB(i * 100, 0, 0));
      list += *WideToAnsiExact(paths.back()) + "\r\n";
    }
    test::WriteBytes(dir_ / L"MIREL.DAT", list);
    return paths;
  }

  void Click(HWND window) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(window, WM_LBUTTONUP, 0, 0);
  }
  void DoubleClick(HWND window) {
    Click(window);
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    SendMessageW(window, WM_LBUTTONUP, 0, 0);
  }
};

TEST_F(DummyTrayTest, ListOrderRunsZeroOneTwoZeroAndCoversTheScreen) {
  const auto paths = WriteThreePictures();
  auto& app = Start();
  std::vector<std::wstring> shown;
  for (int i = 0; i < 4; ++i) {
    app.ShowDummyScreen();
    Pump();
    ASSERT_TRUE(app.dummy().Visible());
    shown.push_back(app.dummy().picturePath());
    Click(app.dummy().hwnd());
    Pump();
    EXPECT_FALSE(app.dummy().Visible());
  }
  EXPECT_EQ(shown, (std::vector<std::wstring>{paths[0], paths[1], paths[2], paths[0]}));

  app.ShowDummyScreen();
  RECT rect{};
  GetWindowRect(app.dummy().hwnd(), &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(GetWindowLongW(app.dummy().hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongW(app.dummy().hwnd(), GWL_STYLE) & WS_CAPTION);
}

TEST_F(DummyTrayTest, ListThatShrankRestartsAtZero) {
  const auto paths = WriteThreePictures();
  auto& app = Start();
  app.state.gDummyIndex = 7;
  app.ShowDummyScreen();
  EXPECT_EQ(app.dummy().picturePath(), paths[0]);
  EXPECT_EQ(app.state.gDummyIndex, 1);
}

TEST_F(DummyTrayTest, RandomOrderReachesEveryEntry) {
  const auto paths = WriteThreePictures();
  WriteRegistry("ViewRandom", 1);
  auto& app = Start();
  std::set<std::wstring> seen;
  for (int i = 0; i < 60 && seen.size() < 3; ++i) {
    app.ShowDummyScreen();
    seen.insert(app.dummy().picturePath());
    Click(app.dummy().hwnd());
  }
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(app.state.gDummyIndex, 0);  // the list-order counter is left alone
}

TEST_F(DummyTrayTest, UnloadablePictureStillCoversAndAdvances) {
  const auto paths = WriteThreePictures();
  auto& app = Start();
  DeleteFileW(paths[0].c_str());
  test::WriteBytes(paths[1], "not a picture any more");
  const auto decoded = [&] { return test::PumpUntil([&] { return !app.dummy().waitingForPicture(); }); };
  app.ShowDummyScreen();
  EXPECT_TRUE(app.dummy().Visible());
  ASSERT_TRUE(decoded());
  EXPECT_FALSE(app.dummy().hasPicture());
  EXPECT_EQ(app.state.gDummyIndex, 1);
  Click(app.dummy().hwnd());
  app.ShowDummyScreen();
  EXPECT_TRUE(app.dummy().Visible());
  ASSERT_TRUE(decoded());
  EXPECT_FALSE(app.dummy().hasPicture());
  Click(app.dummy().hwnd());
  app.ShowDummyScreen();
  ASSERT_TRUE(decoded());
  EXPECT_TRUE(app.dummy().hasPicture());
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(DummyTrayTest, TheCoverShowsItsPictureForTheScreensAsTheyAreAndIgnoresStrangers) {
  const auto paths = WriteThreePictures();
  auto& app = Start();
  frmDummy& cover = app.dummy();
  // The pictures wait behind a decode that does not end yet (a sleeping disk) while the next
  // cover's picture is asked for a stretched cover, and the cover comes up with it.
  const auto begun = std::make_shared<std::atomic<bool>>(false);
  const auto released = std::make_shared<std::atomic<bool>>(false);
  PictureRequest slow;
  slow.path = paths[2];
  slow.places = [begun, released](int, int) {
    *begun = true;
    while (!*released) Sleep(5);
    return std::vector<PicturePlace>{};
  };
  app.pictures().Request(PictureWorker::kMainWindow, std::move(slow), app.main().hwnd(), kMainPictureMessage);
  ASSERT_TRUE(test::PumpUntil([&] { return begun->load(); }));
  app.settings().dummyFit = DummyFit::kStretch;
  app.PrepareNextPicture();
  ASSERT_TRUE(cover.preparing());
  app.ShowDummyScreen();
  // The screens change meanwhile (the placement, here): the picture is for them as they are.
  app.settings().dummyFit = DummyFit::kNatural;
  cover.ScreensChanged();
  *released = true;
  ASSERT_TRUE(test::PumpUntil([&] { return !cover.waitingForPicture() && !cover.preparing(); }));
  ASSERT_EQ(cover.picture().pieces.size(), 1u);
  EXPECT_EQ(cover.picture().pieces[0].at, (ScreenRect{0, 0, 10, 10}));
  // Another program posts the cover's picture message for no use of ours: nothing happens.
  SendMessageW(cover.hwnd(), WM_APP + 2, 0x01000000, 1);
  SendMessageW(cover.hwnd(), WM_APP + 2, static_cast<WPARAM>(-1), 1);
  EXPECT_EQ(cover.picture().pieces.size(), 1u);
  Click(cover.hwnd());
}

// A share that does not answer until the test lets it: every other question is the
// system's own.
class GatedShareFiles final : public ListFileSystem {
 public:
  static constexpr const wchar_t* kShare = L"\\\\offline\\pictures\\";
  bool Answers(const std::wstring& root) override {
    if (!SameVolume(root, kShare)) return VolumeAnswers(root);
    ++shareAsked;
    // Never held for good: a read that blocked the windows fails the test, not the run.
    timedOut = WaitForSingleObject(gate.get(), 10000) != WAIT_OBJECT_0;
    return false;
  }
  std::wstring MountPointOf(const std::wstring& folder) override { return VolumeMountPoint(folder); }
  bool Usable(const std::wstring& path) override {
    if (VolumeRoot(path) == kShare) ++sharePathsAsked;
    return FileExistsNormal(path);
  }
  UniqueHandle gate{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<int> shareAsked{0}, sharePathsAsked{0};
  std::atomic<bool> timedOut{false};
};

TEST_F(DummyTrayTest, AListHeldByAnotherProgramAtStartIsSaidOnceAndReadAtTheNextCover) {
  WriteThreePictures();
  std::string lines = test::ReadBytes(dir_ / L"MIREL.DAT");
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) lines += "\\\\offline\\pictures\\" + std::string(name) + "\r\n";
  test::WriteBytes(dir_ / L"MIREL.DAT", lines);
  auto locked =
      AdoptFileHandle(CreateFileW((dir_ / L"MIREL.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  auto& app = Start();
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, std::wstring(UiText(Text::kListUnreadableAtStart)) + L"\r\n" + app.listPath());
  // Still held: the cover comes up at once all the same, in its colour alone.
  app.ShowDummyScreen();
  EXPECT_TRUE(app.dummy().Visible());
  EXPECT_FALSE(app.dummy().hasPicture());
  Click(app.dummy().hwnd());
  // Free now, with pictures on a share that takes its time to say it is not there: the
  // cover comes up without waiting for it, and its picture follows the list.
  locked.reset();
  GatedShareFiles files;
  app.UseListFileSystem(files);
  app.ShowDummyScreen();
  EXPECT_TRUE(app.dummy().Visible());
  EXPECT_FALSE(files.timedOut);
  SetEvent(files.gate.get());
  EXPECT_TRUE(test::PumpUntil([&] { return app.dummy().hasPicture(); }));
  EXPECT_EQ(app.state.gDummyList.size(), 3u);
  EXPECT_EQ(app.dummy().picturePath(), app.state.gDummyList[0]);
  EXPECT_EQ(prompts_.messages.size(), 1u);
  // Asked once for its three pictures, and none of them asked after.
  EXPECT_EQ(files.shareAsked, 1);
  EXPECT_EQ(files.sharePathsAsked, 0);
}

TEST_F(DummyTrayTest, StartUpDoesNotWaitForAShareOfTheList) {
  WriteThreePictures();
  test::WriteBytes(dir_ / L"MIREL.DAT", test::ReadBytes(dir_ / L"MIREL.DAT") + "\\\\offline\\pictures\\a.bmp\r\n");
  GatedShareFiles files;
  app_ = std::make_unique<Application>(prompts_, dir_.path());
  app_->UseListFileSystem(files);
  app_->Main();
  // The tray and the panic key are there while the share still keeps its answer.
  EXPECT_TRUE(IsWindow(app_->tray().hwnd()));
  EXPECT_TRUE(app_->ReadingDummyList());
  SetEvent(files.gate.get());
  EXPECT_TRUE(test::PumpUntil([&] { return !app_->ReadingDummyList(); }));
  EXPECT_FALSE(files.timedOut);
  EXPECT_EQ(app_->state.gDummyList.size(), 3u);
}

TEST_F(DummyTrayTest, EmptyListShowsTheBackgroundOnly) {
  auto& app = Start();
  app.ShowDummyScreen();
  EXPECT_TRUE(app.dummy().Visible());
  EXPECT_FALSE(app.dummy().hasPicture());
}

TEST_F(DummyTrayTest, ReturnFromTheMainWindowsPictureShowsItAgainWithTheWatchOff) {
  WriteRegistry("CheckMouse", 1);
  WriteRegistry("AlwaysTop", 1);
  auto& app = Start();
  ASSERT_TRUE(app.main().Visible());
  EXPECT_FALSE(app.tray().WatchEnabled());
  // A click on the picture: press and release without moving.
  SendMessageW(app.main().pictureBox(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(app.main().pictureBox(), WM_LBUTTONUP, 0, 0);
  EXPECT_TRUE(app.dummy().Visible());
  EXPECT_FALSE(app.main().Visible());
  EXPECT_TRUE(app.state.gMainWasVisible);
  EXPECT_FALSE(app.tray().WatchEnabled());
  Click(app.dummy().hwnd());
  Pump();
  EXPECT_FALSE(app.dummy().Visible());
  EXPECT_TRUE(app.main().Visible());
  EXPECT_TRUE(GetWindowLongW(app.main().hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(app.tray().WatchEnabled());
}

TEST_F(DummyTrayTest, ReturnToAHiddenMainWindowRestartsTheWatch) {
  WriteRegistry("CheckMouse", 1);
  WriteRegistry("MainVisible", 0);
  auto& app = Start();
  EXPECT_TRUE(app.tray().WatchEnabled());  // tray load: CheckMouse and hidden
  app.ShowDummyScreen();
  EXPECT_FALSE(app.tray().WatchEnabled());
  EXPECT_FALSE(app.state.gMainWasVisible);
  Click(app.dummy().hwnd());
  Pump();
  EXPECT_FALSE(app.main().Visible());
  EXPECT_TRUE(app.tray().WatchEnabled());
}

TEST_F(DummyTrayTest, ClickKindsFollowTheReturnType) {
  WriteRegistry("ReturnType", 1);
  auto& app = Start();
  app.ShowDummyScreen();
  Click(app.dummy().hwnd());
  Pump();
  EXPECT_TRUE(app.dummy().Visible());  // a single click does nothing
  DoubleClick(app.dummy().hwnd());
  Pump();
  EXPECT_FALSE(app.dummy().Visible());
  // The release of the second click must not bring the cover straight back.
  EXPECT_TRUE(app.state.gIgnoreMouseUp);
  SendMessageW(app.main().pictureBox(), WM_LBUTTONUP, 0, 0);
  EXPECT_FALSE(app.dummy().Visible());
  EXPECT_FALSE(app.state.gIgnoreMouseUp);
}

TEST_F(DummyTrayTest, DoubleClickReturnWithoutTitleBarSetsNoIgnoreFlag) {
  WriteRegistry("ReturnType", 1);
  WriteRegistry("NonTitleBar", 1);
  auto& app = Start();
  app.ShowDummyScreen();
  DoubleClick(app.dummy().hwnd());
  Pump();
  EXPECT_FALSE(app.dummy().Visible());
  EXPECT_FALSE(app.state.gIgnoreMouseUp);
}

TEST_F(DummyTrayTest, UnknownReturnTypeActsAsSingleClick) {
  WriteRegistry("ReturnType", 2);
  auto& app = Start();
  app.ShowDummyScreen();
  Click(app.dummy().hwnd());
  Pump();
  EXPECT_FALSE(app.dummy().Visible());
}

TEST_F(DummyTrayTest, PasswordIsAskedBeforeTheReturn) {
  WriteRegistry("RequirePassword", 1);
  auto& app = Start();
  app.ShowDummyScreen();
  Click(app.dummy().hwnd());
  Pump();
  EXPECT_EQ(prompts_.passwordPrompts, 1);
  EXPECT_FALSE(app.dummy().Visible());
}

// Another program while the cover is up: it activates a window of its own, puts another in
// the topmost band and minimises every window, the cover included.
class Intruder {
 public:
  explicit Intruder(HWND cover)
      : thread_([this, cover] {
          const HWND own = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200, nullptr, nullptr,
                                           nullptr, nullptr);
          SetForegroundWindow(own);
          const HWND topmost = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 80, 80, 200, 100,
                                               nullptr, nullptr, nullptr, nullptr);
          ShowWindow(cover, SW_MINIMIZE);
          SendMessageW(cover, WM_SYSCOMMAND, SC_MINIMIZE, 0);
          own_ = own;
          MSG msg;
          while (!done_) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(5);
          }
          DestroyWindow(topmost);
          DestroyWindow(own);
        }) {}
  ~Intruder() {
    done_ = true;
    thread_.join();
  }
  HWND own() const { return own_; }

 private:
  std::atomic<bool> done_{false};
  std::atomic<HWND> own_{nullptr};
  std::thread thread_;
};

// What keeps the cover from covering (nothing visible above it, over the whole area it
// should cover); empty when it covers.
std::string WhyNotCovering(frmDummy& cover) {
  const HWND w = cover.hwnd();
  if (!IsWindowVisible(w) || IsIconic(w)) return "hidden or minimised";
  if (!(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST)) return "not topmost";
  for (HWND above = GetWindow(w, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    char name[64] = "";
    GetClassNameA(above, name, sizeof name);
    if (IsWindowVisible(above)) return std::string("below a window of class ") + name;
  }
  RECT rect{};
  GetWindowRect(w, &rect);
  const RECT area = cover.CoverArea();
  return EqualRect(&rect, &area) ? "" : "moved or resized";
}

// Another program, the end-to-end probe beside this exe, for as long as the object lives.
class OtherProgram {
 public:
  explicit OtherProgram(const std::wstring& arguments) {
    std::wstring command = L"\"" + BesideExe(ExeFolder(), L"probe.exe") + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      CloseHandle(info.hThread);
      process_.reset(info.hProcess);
    }
  }
  ~OtherProgram() {
    if (process_) TerminateProcess(process_.get(), 0);
  }
  bool started() const { return process_ != nullptr; }

 private:
  UniqueHandle process_;
};

// The cover's repaints and its moves in the z-order, as this thread runs its messages.
struct CoverCounts {
  static inline HWND cover = nullptr;
  static inline int paints = 0;
  static inline int raises = 0;
  static LRESULT CALLBACK Retrieved(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd == cover && msg->message == WM_PAINT) ++paints;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->hwnd == cover && msg->message == WM_WINDOWPOSCHANGED &&
        !(reinterpret_cast<const WINDOWPOS*>(msg->lParam)->flags & SWP_NOZORDER))
      ++raises;
    if (code == HC_ACTION && msg->hwnd == cover && msg->message == WM_PAINT) ++paints;  // UpdateWindow's
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  explicit CoverCounts(HWND window)
      : retrieved_(SetWindowsHookExW(WH_GETMESSAGE, Retrieved, nullptr, GetCurrentThreadId())),
        sent_(SetWindowsHookExW(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId())) {
    cover = window;
    paints = raises = 0;
  }
  ~CoverCounts() {
    UnhookWindowsHookEx(retrieved_);
    UnhookWindowsHookEx(sent_);
  }
  HHOOK retrieved_;
  HHOOK sent_;
};

double CpuMilliseconds() {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

// What the cover asks of the desktop compositor, and whether it was up yet.
struct CompositorAsk {
  HWND window;
  DWORD attribute;
  BOOL value;
  bool visible;
};
std::vector<CompositorAsk> compositorAsks;
HRESULT WINAPI NoteCompositorAsk(HWND window, DWORD attribute, const void* value, DWORD size) {
  const BOOL on = size == sizeof(BOOL) ? *static_cast<const BOOL*>(value) : FALSE;
  compositorAsks.push_back({window, attribute, on, IsWindowVisible(window) != FALSE});
  return S_OK;
}

// Ctrl and Alt held down. The first look after `leftInFront` is set finds another
// program in front, as Windows leaves it when it refuses the cover the foreground as it
// shows (Wine never refuses).
std::atomic<HWND> leftInFront{nullptr};
SHORT WINAPI CtrlAndAltHeld(int key) {
  if (const HWND other = leftInFront.exchange(nullptr)) SetForegroundWindow(other);
  return key == VK_CONTROL || key == VK_MENU ? SHORT(-32768) : SHORT(0);
}

SHORT WINAPI LeftButtonHeld(int key) {
  return key == VK_LBUTTON ? SHORT(-32768) : SHORT(0);
}

BOOL WINAPI InputAnHourAgo(LASTINPUTINFO* info) {
  static const DWORD anHourAgo = GetTickCount() - 3'600'000;
  info->dwTime = anHourAgo;
  return TRUE;
}

// As Windows answers a program that the user is not using: the foreground only while its
// input is joined to that of the program that has it, or from its own windows.
BOOL WINAPI ForegroundOnlyThroughItsInput(HWND window) {
  const HWND foreground = GetForegroundWindow();
  DWORD owner = 0;
  GetWindowThreadProcessId(foreground, &owner);
  const bool allowed = !foreground || owner == GetCurrentProcessId() || GetActiveWindow() == foreground;
  return allowed ? SetForegroundWindow(window) : FALSE;
}

TEST_F(DummyTrayTest, TheCoverHoldsAgainstOtherProgramsAndComesBackAfterLockSleepAndExplorer) {
  for (const bool password : {true, false}) {
    SCOPED_TRACE(password);
    WriteRegistry("RequirePassword", password ? 1 : 0);
    compositorAsks.clear();
    const auto system = sys::AnswerDwmSetWindowAttribute(NoteCompositorAsk);
    auto& app = Start();
    frmDummy& cover = app.dummy();
    app.ShowDummyScreen();
    sys::AnswerDwmSetWindowAttribute(system);
    // On Windows: no animation as it comes up, and not seen through when a taskbar
    // thumbnail is hovered; asked before it first shows.
    for (const DWORD attribute : {DWORD{DWMWA_TRANSITIONS_FORCEDISABLED}, DWORD{DWMWA_EXCLUDED_FROM_PEEK}})
      EXPECT_TRUE(std::any_of(compositorAsks.begin(), compositorAsks.end(), [&](const CompositorAsk& ask) {
        return ask.window == cover.hwnd() && ask.attribute == attribute && ask.value && !ask.visible;
      })) << attribute;
    {
      const Intruder intruder(cover.hwnd());
      ASSERT_TRUE(test::PumpUntil([&] { return intruder.own() != nullptr; }));
      // Back on top at once; with the password on, the keyboard too. Without it the user
      // may work in the other window, under the cover.
      EXPECT_TRUE(test::PumpUntil(
          [&] { return WhyNotCovering(cover).empty() && (GetForegroundWindow() == cover.hwnd()) == password; }, 3000))
          << WhyNotCovering(cover) << "; the cover has the keyboard: " << (GetForegroundWindow() == cover.hwnd());
    }
    if (password) {
      // Windows over the cover that show nothing: fully transparent, letting the mouse
      // through, of no size. The cover leaves them above it.
      std::vector<HWND> unseen;
      for (const auto& [exStyle, width] :
           {std::pair<DWORD, int>{WS_EX_LAYERED, 300}, std::pair<DWORD, int>{WS_EX_LAYERED | WS_EX_TRANSPARENT, 300},
            std::pair<DWORD, int>{0, 0}}) {
        const HWND w = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | exStyle, L"STATIC", L"",
                                       WS_POPUP | WS_VISIBLE, 50, 50, width, width, nullptr, nullptr, nullptr, nullptr);
        if (exStyle & WS_EX_TRANSPARENT)
          SetLayeredWindowAttributes(w, 0, 128, LWA_ALPHA);
        else if (exStyle)
          SetLayeredWindowAttributes(w, 0, 0, LWA_ALPHA);
        unseen.push_back(w);
      }
      {
        const CoverCounts counts(cover.hwnd());
        test::PumpUntil([] { return false; }, 600);
        EXPECT_EQ(counts.raises, 0);
      }
      for (const HWND w : unseen) DestroyWindow(w);
      // Another program's transparent topmost window, put back on top every 10 ms: the
      // cover pays no heed. A visible one: the cover goes back over it a few times a
      // second, not in a loop with it.
      for (const bool visible : {false, true}) {
        SCOPED_TRACE(visible);
        const OtherProgram fighter(visible ? L"reraise 4 visible" : L"reraise 4");
        ASSERT_TRUE(fighter.started());
        ASSERT_TRUE(test::PumpUntil([] { return FindWindowW(L"MirelProbe", nullptr) != nullptr; }));
        const CoverCounts fight(cover.hwnd());
        const double cpu = CpuMilliseconds();
        test::PumpUntil([] { return false; }, 3000);
        EXPECT_LE(CpuMilliseconds() - cpu, 300.0);  // a tenth of one core at most
        EXPECT_LE(fight.raises, visible ? 40 : 0);  // two moves a raise: out of the band and back
        EXPECT_LE(fight.paints, visible ? 20 : 0);
      }
      // A program that takes the keyboard and then answers nothing: the cover never waits
      // for it, and a click is answered at once. Windows refuses the cover the foreground
      // then (Wine never does): only joined to the program's input could it take it.
      const auto system = sys::AnswerSetForegroundWindow(ForegroundOnlyThroughItsInput);
      const OtherProgram hung(L"hang 5");
      ASSERT_TRUE(hung.started());
      ASSERT_TRUE(test::PumpUntil([] { return FindWindowW(L"MirelProbe", nullptr) != nullptr; }));
      ULONGLONG longest = 0;
      for (const ULONGLONG until = GetTickCount64() + 2000; GetTickCount64() < until;) {
        const ULONGLONG start = GetTickCount64();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
        longest = std::max(longest, GetTickCount64() - start);
      }
      // A wait on that program would last its five seconds; the bound leaves a loaded
      // machine its room and still tells one from the other.
      EXPECT_LE(longest, 1000u);
      EXPECT_TRUE(WhyNotCovering(cover).empty()) << WhyNotCovering(cover);
      sys::AnswerSetForegroundWindow(system);
    }
    // What Windows sends after an unlock, a wake of the display and an Explorer restart;
    // the cover had been moved and taken out of the band meanwhile.
    struct Event {
      UINT message;
      WPARAM wParam;
    };
    const Event events[] = {{WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK},
                            {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC},
                            {RegisterWindowMessageW(L"TaskbarCreated"), 0}};
    for (const Event& event : events) {
      SCOPED_TRACE(event.message);
      SetWindowLongPtrW(cover.hwnd(), GWL_EXSTYLE, GetWindowLongW(cover.hwnd(), GWL_EXSTYLE) & ~WS_EX_TOPMOST);
      MoveWindow(cover.hwnd(), 100, 100, 50, 50, FALSE);
      SendMessageW(cover.hwnd(), event.message, event.wParam, 0);
      EXPECT_TRUE(test::PumpUntil([&] { return WhyNotCovering(cover).empty(); }, 2000)) << WhyNotCovering(cover);
    }
    EXPECT_TRUE(cover.Visible());
    Click(cover.hwnd());
    Pump();
    EXPECT_EQ(prompts_.passwordPrompts, password ? 1 : 0);  // the password still asked
    EXPECT_FALSE(cover.Visible());
    prompts_.passwordPrompts = 0;
    app_.reset();
  }
}

TEST_F(DummyTrayTest, NeitherAMissingPromptNorAMissingCoverEverUncoversOrHides) {
  WriteRegistry("RequirePassword", 1);
  auto& app = Start();
  app.ShowDummyScreen();
  // The prompt cannot be shown (no window handles left): the desktop stays covered.
  prompts_.passwordTyped = false;
  Click(app.dummy().hwnd());
  Pump();
  EXPECT_TRUE(app.dummy().Visible());
  EXPECT_FALSE(app.main().Visible());
  prompts_.passwordTyped = true;  // the next click asks again
  Click(app.dummy().hwnd());
  Pump();
  EXPECT_EQ(prompts_.passwordPrompts, 2);
  EXPECT_FALSE(app.dummy().Visible());
  EXPECT_TRUE(app.main().Visible());
  // Without a cover window, a switch changes nothing: the main window stays, the watch too.
  DestroyWindow(app.dummy().hwnd());
  app.main().SetVisible(false);
  app.settings().checkMouse = true;
  app.tray().SetWatchEnabled(true);
  app.ShowDummyScreen();
  EXPECT_TRUE(app.tray().WatchEnabled());
  app.main().SetVisible(true);
  app.tray().SetWatchEnabled(false);
  app.ShowDummyScreen();
  EXPECT_TRUE(app.main().Visible());
}

TEST_F(DummyTrayTest, DraggingTheBorderlessWindowDoesNotBringUpTheCover) {
  WriteRegistry("NonTitleBar", 1);
  auto& app = Start();
  HWND box = app.main().pictureBox();
  // A press and release without movement is a click.
  SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(box, WM_LBUTTONUP, 0, 0);
  EXPECT_TRUE(app.dummy().Visible());
  Click(app.dummy().hwnd());
  Pump();
  EXPECT_TRUE(app.main().Visible());
}

TEST_F(DummyTrayTest, EdgeTickBringsUpTheCoverOnlyOnWatchedEdges) {
  WriteRegistry("CheckMouse", 1);
  WriteRegistry("MainVisible", 0);
  WriteRegistry("CheckMouseFlag", 4);  // left edge only
  auto& app = Start();
  const int right = GetSystemMetrics(SM_CXSCREEN) - 1;
  SetCursorPos(right, 300);
  app.tray().tmrTaskTray_Timer();
  EXPECT_FALSE(app.dummy().Visible());
  SetCursorPos(1, 300);
  app.tray().tmrTaskTray_Timer();
  EXPECT_FALSE(app.dummy().Visible());
  SetCursorPos(0, 300);
  app.tray().tmrTaskTray_Timer();
  EXPECT_TRUE(app.dummy().Visible());
  EXPECT_FALSE(app.tray().WatchEnabled());
  // A click returns with the pointer still on the edge: the next ticks leave the desktop
  // uncovered until the pointer has been away from the edge.
  Click(app.dummy().hwnd());
  Pump();
  ASSERT_FALSE(app.dummy().Visible());
  EXPECT_TRUE(app.tray().WatchEnabled());
  app.tray().tmrTaskTray_Timer();
  app.tray().tmrTaskTray_Timer();
  EXPECT_FALSE(app.dummy().Visible());
  SetCursorPos(300, 300);
  app.tray().tmrTaskTray_Timer();
  SetCursorPos(0, 300);
  app.tray().tmrTaskTray_Timer();
  EXPECT_TRUE(app.dummy().Visible());
}

TEST_F(DummyTrayTest, ADisplayChangeMovesTheWatchedEdgesAndTheCoverAtOnce) {
  WriteRegistry("CheckMouse", 1);
  WriteRegistry("MainVisible", 0);
  WriteRegistry("PrimaryOnly", 1);  // the primary screen alone: its size comes with the change
  auto& app = Start();
  HWND tray = app.tray().hwnd();
  const int right = GetSystemMetrics(SM_CXSCREEN) - 1;
  // The screen grows: its old last column is in the middle now and brings up nothing.
  SendMessageW(tray, WM_DISPLAYCHANGE, 32, MAKELPARAM(right + 1 + 640, 1440));
  SetCursorPos(right, 300);
  app.tray().tmrTaskTray_Timer();
  EXPECT_FALSE(app.dummy().Visible());
  SendMessageW(tray, WM_DISPLAYCHANGE, 32, MAKELPARAM(right + 1, GetSystemMetrics(SM_CYSCREEN)));
  app.tray().tmrTaskTray_Timer();
  ASSERT_TRUE(app.dummy().Visible());
  // A cover that is up covers the new screen.
  SendMessageW(tray, WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600));
  RECT cover{};
  GetWindowRect(app.dummy().hwnd(), &cover);
  EXPECT_EQ(cover.right - cover.left, 800);
  EXPECT_EQ(cover.bottom - cover.top, 600);
  // The main window, left where no screen is, comes back.
  SetWindowPos(app.main().hwnd(), nullptr, 5000, 30000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageW(tray, WM_DISPLAYCHANGE, 32, MAKELPARAM(right + 1, GetSystemMetrics(SM_CYSCREEN)));
  RECT main{};
  GetWindowRect(app.main().hwnd(), &main);
  EXPECT_LE(main.right, right + 1);
  EXPECT_LE(main.bottom, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(DummyTrayTest, EveryMonitorPanicKeyDwellAndInstantEdges) {
  WriteRegistry("CheckMouse", 1);
  WriteRegistry("MainVisible", 0);
  auto& app = Start();
  auto& tray = app.tray();
  // One look of the timer's watch with the pointer there; the return with it away.
  const auto lookAt = [&](int x, int y) {
    SetCursorPos(x, y);
    tray.tmrTaskTray_Timer();
  };
  const auto returnAway = [&] {
    SetCursorPos(300, 300);
    Click(app.dummy().hwnd());
    Pump();
  };
  // By default the cover spans the whole desktop.
  app.ShowDummyScreen();
  RECT cover{};
  GetWindowRect(app.dummy().hwnd(), &cover);
  EXPECT_EQ(cover.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(cover.right - cover.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(cover.bottom - cover.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  Click(app.dummy().hwnd());
  Pump();

  // The panic key: registered with the setting, unregistered without it.
  const UINT ctrlAlt = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8;
  app.settings().panicKey = ctrlAlt | VK_F12;
  tray.RegisterPanicKey();
  EXPECT_TRUE(tray.PanicKeyRegistered());
  EXPECT_FALSE(RegisterHotKey(nullptr, 0x77, MOD_CONTROL | MOD_ALT, VK_F12));  // held by Mirel
  SendMessageW(tray.hwnd(), WM_HOTKEY, 1, 0);
  EXPECT_TRUE(app.dummy().Visible());
  Click(app.dummy().hwnd());
  Pump();
  {
    // Its Ctrl and Alt still held: the program that has the keyboard sees them go up
    // before the cover takes it, for a second at most, and each cover waits anew, also
    // after one taken away while it waited.
    const auto keys = sys::AnswerGetAsyncKeyState(CtrlAndAltHeld);
    const OtherProgram other(L"hold 10");
    ASSERT_TRUE(other.started());
    HWND probe = nullptr;
    ASSERT_TRUE(test::PumpUntil([&] {
      probe = FindWindowW(L"MirelProbe", nullptr);
      return probe && probe == GetForegroundWindow();
    }));
    leftInFront = probe;
    SendMessageW(tray.hwnd(), WM_HOTKEY, 1, 0);
    Click(app.dummy().hwnd());
    Pump();
    test::PumpUntil([] { return false; }, 1100);
    const ULONGLONG shown = GetTickCount64();
    leftInFront = probe;
    SendMessageW(tray.hwnd(), WM_HOTKEY, 1, 0);
    ASSERT_TRUE(test::PumpUntil([&] { return GetForegroundWindow() == app.dummy().hwnd(); }, 3000));
    EXPECT_GE(GetTickCount64() - shown, 900u);
    sys::AnswerGetAsyncKeyState(keys);
    Click(app.dummy().hwnd());
    Pump();
  }
  app.settings().panicKey = 0;
  tray.RegisterPanicKey();
  EXPECT_FALSE(tray.PanicKeyRegistered());
  ASSERT_TRUE(RegisterHotKey(nullptr, 0x77, MOD_CONTROL | MOD_ALT, VK_F12));  // free again
  // A key another program holds: a warning naming it, and the setting kept.
  app.settings().panicKey = ctrlAlt | VK_F12;
  prompts_.messages.clear();
  tray.RegisterPanicKey();
  EXPECT_FALSE(tray.PanicKeyRegistered());
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_NE(prompts_.messages[0].text.find(L"Ctrl+Alt+"), std::wstring::npos);
  EXPECT_EQ(app.settings().panicKey, ctrlAlt | VK_F12);
  UnregisterHotKey(nullptr, 0x77);
  // A key without a name on the keyboard is named by its code, in hexadecimal.
  ASSERT_TRUE(RegisterHotKey(nullptr, 0x78, MOD_CONTROL | MOD_ALT, 0xE8));
  app.settings().panicKey = ctrlAlt | 0xE8;
  prompts_.messages.clear();
  tray.RegisterPanicKey();
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_NE(prompts_.messages[0].text.find(L"「Ctrl+Alt+0xE8」"), std::wstring::npos)
      << AnsiOf(prompts_.messages[0].text);
  UnregisterHotKey(nullptr, 0x78);
  app.settings().panicKey = ctrlAlt | VK_F12;
  {  // a key's registration goes with its owner, whatever the unload order
    PanicKey key;
    ASSERT_TRUE(key.Register(tray.hwnd(), 0x79, ctrlAlt | VK_F11));
  }
  EXPECT_TRUE(RegisterHotKey(nullptr, 0x79, MOD_CONTROL | MOD_ALT, VK_F11));
  UnregisterHotKey(nullptr, 0x79);

  // A dwell time: a short touch brings up nothing, a stay does (when a stay starts over
  // is the unit tests' business; here the margins are wide for a loaded machine).
  app.settings().dwellTime = 1000;
  lookAt(300, 300);
  lookAt(0, 300);
  EXPECT_FALSE(app.dummy().Visible());
  lookAt(300, 300);
  lookAt(0, 300);
  EXPECT_FALSE(app.dummy().Visible());
  Sleep(1100);
  tray.tmrTaskTray_Timer();
  EXPECT_TRUE(app.dummy().Visible());
  returnAway();

  // Instant edges: raw mouse input instead of the timer, for as long as the watch runs.
  app.settings().dwellTime = 0;
  app.settings().instantEdges = true;
  tray.SetWatchEnabled(true);
  EXPECT_TRUE(tray.InstantEdgesOn());
  // The pointer away from the edge: armed. Set again just before: after a tenth of a second
  // Wine reads the pointer from the X server, which may not have followed the last move.
  SetCursorPos(300, 300);
  SendMessageW(tray.hwnd(), WM_INPUT, RIM_INPUT, 0);
  EXPECT_FALSE(app.dummy().Visible());
  SetCursorPos(0, 300);
  SendMessageW(tray.hwnd(), WM_INPUT, RIM_INPUT, 0);
  EXPECT_TRUE(app.dummy().Visible());
  EXPECT_FALSE(tray.InstantEdgesOn());  // the cover stopped the watch
  returnAway();
  EXPECT_TRUE(tray.InstantEdgesOn());
  app.settings().instantEdges = false;
  tray.SetWatchEnabled(true);
  EXPECT_FALSE(tray.InstantEdgesOn());

  // The full-screen pause asks the shell; with no full-screen program the edge still works,
  // and the shell's function is there (no warning about a missing one).
  app.settings().fullScreenPause = true;
  prompts_.messages.clear();
  lookAt(300, 300);
  lookAt(0, 300);
  EXPECT_TRUE(app.dummy().Visible());
  EXPECT_TRUE(prompts_.messages.empty());
  returnAway();
  app.settings().fullScreenPause = false;

  // A button held (as Windows reports it; Wine's injected input never shows): no cover at
  // the edge, nor when it is let go there; the pointer away and back brings it.
  {
    const auto buttons = sys::AnswerGetAsyncKeyState(LeftButtonHeld);
    tray.tmrTaskTray_Timer();
    lookAt(0, 300);
    EXPECT_FALSE(app.dummy().Visible());
    sys::AnswerGetAsyncKeyState(buttons);
  }
  tray.tmrTaskTray_Timer();
  EXPECT_FALSE(app.dummy().Visible());
  lookAt(300, 300);
  lookAt(0, 300);
  EXPECT_TRUE(app.dummy().Visible());
  returnAway();
  // Corners only: the middle of an edge does nothing, a corner does.
  app.settings().edgeCornersOnly = true;
  tray.tmrTaskTray_Timer();
  lookAt(0, 300);
  EXPECT_FALSE(app.dummy().Visible());
  lookAt(0, 2);
  EXPECT_TRUE(app.dummy().Visible());
  returnAway();
  app.settings().edgeCornersOnly = false;

  // The idle cover, with the last input an hour ago: once for that stretch of idleness.
  {
    const auto input = sys::AnswerGetLastInputInfo(InputAnHourAgo);
    app.settings().idleCoverMinutes = 60;
    tray.WatchIdleness();
    EXPECT_TRUE(app.dummy().Visible());
    Click(app.dummy().hwnd());
    Pump();
    tray.WatchIdleness();
    EXPECT_FALSE(app.dummy().Visible());
    sys::AnswerGetLastInputInfo(input);
  }
  app.settings().idleCoverMinutes = 0;
}

TEST_F(DummyTrayTest, QuietCoversMuteOnlyWhileCoveredAndGiveTheSoundBack) {
  WriteRegistry("QuietCover", 1);
  auto& app = Start();
  // Whether a sound device is there decides whether anything is muted; either way the
  // mute lasts exactly as long as the cover.
  AudioMute probe;
  const bool device = probe.Mute();
  probe.Restore();
  for (int round = 0; round < 2; ++round) {
    app.ShowDummyScreen();
    EXPECT_EQ(app.quiet().active(), device);
    Click(app.dummy().hwnd());
    Pump();
    EXPECT_FALSE(app.dummy().Visible());
    EXPECT_FALSE(app.quiet().active());
  }
  // Ending while covered gives the sound back too.
  app.ShowDummyScreen();
  app.main().mnuFileExit_Click();
  EXPECT_FALSE(app.quiet().active());
  std::printf("quiet covers: %s\n", device ? "a sound device was muted and given back" : "no sound device here");
}

TEST_F(DummyTrayTest, IntervalOutsideTheRangeIsTheDefault) {
  WriteRegistry("CheckMouseInterval", 0);
  auto& app = Start();
  EXPECT_EQ(app.tray().WatchInterval(), 100u);
  app_.reset();
  WriteRegistry("CheckMouseInterval", 250);
  auto& again = Start();
  EXPECT_EQ(again.tray().WatchInterval(), 250u);
}

TEST_F(DummyTrayTest, TrayMenuAfterLoadWithTheMainWindowShown) {
  WriteRegistry("CheckMouse", 1);
  auto& app = Start();
  auto& tray = app.tray();
  EXPECT_TRUE(tray.ItemChecked(kMnuTrayView));
  EXPECT_TRUE(tray.ItemChecked(kMnuTrayTitleBar));
  EXPECT_TRUE(tray.ItemEnabled(kMnuTrayTitleBar));
  EXPECT_TRUE(tray.ItemChecked(kMnuTrayMouse));
  EXPECT_FALSE(tray.ItemEnabled(kMnuTrayMouse));
  EXPECT_FALSE(tray.WatchEnabled());
  EXPECT_TRUE(tray.ItemEnabled(kMnuTrayExit));
  EXPECT_TRUE(tray.ItemEnabled(kMnuTrayOption));
  EXPECT_TRUE(tray.IconShown());
}

TEST_F(DummyTrayTest, TrayMenuEntriesKeepTheirMarksAndTheWatch) {
  WriteRegistry("CheckMouse", 1);
  auto& app = Start();
  auto& tray = app.tray();
  // Hide the main window from the tray.
  tray.mnuTrayView_Click();
  EXPECT_FALSE(app.main().Visible());
  EXPECT_FALSE(tray.ItemChecked(kMnuTrayView));
  EXPECT_FALSE(tray.ItemEnabled(kMnuTrayTitleBar));
  EXPECT_TRUE(tray.ItemEnabled(kMnuTrayMouse));
  EXPECT_TRUE(tray.WatchEnabled());
  // Switch the watch off and on.
  tray.mnuTrayMouse_Click();
  EXPECT_FALSE(app.settings().checkMouse);
  EXPECT_FALSE(tray.ItemChecked(kMnuTrayMouse));
  EXPECT_FALSE(tray.WatchEnabled());
  tray.mnuTrayMouse_Click();
  EXPECT_TRUE(tray.ItemChecked(kMnuTrayMouse));
  EXPECT_TRUE(tray.WatchEnabled());
  // Show it again: the watch stops.
  tray.mnuTrayView_Click();
  EXPECT_TRUE(app.main().Visible());
  EXPECT_TRUE(tray.ItemChecked(kMnuTrayView));
  EXPECT_TRUE(tray.ItemEnabled(kMnuTrayTitleBar));
  EXPECT_FALSE(tray.ItemEnabled(kMnuTrayMouse));
  EXPECT_FALSE(tray.WatchEnabled());
  // The title bar, off and on again.
  tray.mnuTrayTitleBar_Click();
  EXPECT_TRUE(app.settings().nonTitleBar);
  EXPECT_FALSE(tray.ItemChecked(kMnuTrayTitleBar));
  EXPECT_FALSE(app.main().MenusVisible());
  EXPECT_FALSE(GetWindowLongW(app.main().hwnd(), GWL_STYLE) & WS_CAPTION);
  tray.mnuTrayTitleBar_Click();
  EXPECT_FALSE(app.settings().nonTitleBar);
  EXPECT_TRUE(tray.ItemChecked(kMnuTrayTitleBar));
  EXPECT_TRUE(app.main().MenusVisible());
  EXPECT_TRUE(GetWindowLongW(app.main().hwnd(), GWL_STYLE) & WS_CAPTION);
  // None of these wrote a setting.
  EXPECT_EQ(ReadRegistry("CheckMouse", -1), 1);
  EXPECT_EQ(ReadRegistry("NonTitleBar", -1), -1);
}

TEST_F(DummyTrayTest, MainWindowCommandsUpdateTheTrayMenu) {
  WriteRegistry("CheckMouse", 1);
  auto& app = Start();
  auto& tray = app.tray();
  app.main().mnuViewHideTitleBar_Click();
  EXPECT_FALSE(tray.ItemChecked(kMnuTrayTitleBar));
  EXPECT_TRUE(app.settings().nonTitleBar);
  app.main().mnuViewHideWindow_Click();
  EXPECT_FALSE(app.main().Visible());
  EXPECT_FALSE(tray.ItemChecked(kMnuTrayView));
  EXPECT_FALSE(tray.ItemEnabled(kMnuTrayTitleBar));
  EXPECT_TRUE(tray.ItemEnabled(kMnuTrayMouse));
  EXPECT_TRUE(tray.WatchEnabled());
}

TEST_F(DummyTrayTest, TrayExitEndsTheProgramAndStoresTheWatch) {
  auto& app = Start();
  app.tray().mnuTrayView_Click();
  app.tray().mnuTrayMouse_Click();
  app.tray().mnuTrayExit_Click();
  EXPECT_FALSE(app.main().IsLoaded());
  EXPECT_EQ(ReadRegistry("CheckMouse", -1), 1);
  EXPECT_EQ(ReadRegistry("MainVisible", -1), 0);
}

TEST_F(DummyTrayTest, IconComesBackWhenTheTaskbarIsCreatedAgain) {
  auto& app = Start();
  ASSERT_TRUE(app.tray().IconShown());
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  // As after a restart of the shell: the icon is gone, then the taskbar announces itself.
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = app.tray().hwnd();
  icon.uID = kTrayIconId;
  mirel::sys::NotifyIcon(NIM_DELETE, &icon);
  SendMessageW(app.tray().hwnd(), taskbarCreated, 0, 0);
  EXPECT_TRUE(app.tray().IconShown());
  EXPECT_TRUE(mirel::sys::NotifyIcon(NIM_MODIFY, &icon));  // it is there again
  // Announced while the icon is still there: still shown, no endless retry.
  SendMessageW(app.tray().hwnd(), taskbarCreated, 0, 0);
  EXPECT_TRUE(app.tray().IconShown());
}

TEST_F(DummyTrayTest, IconOpensItsMenuAtTheIconOnceForARightClickAndForEachKey) {
  auto& app = Start();
  auto& tray = app.tray();
  ASSERT_TRUE(tray.IconVersion4());  // the shell took version 4: the events below are its
  const POINT at{300, 200};
  const POINT other{320, 210};
  auto opened = [&](const std::vector<IconEventSent>& events, POINT anchor, int focusReturns, const char* what) {
    SCOPED_TRACE(what);
    const int before = tray.IconFocusReturns();
    const auto menus = MenusOpenedBy(tray.hwnd(), events);
    ASSERT_EQ(menus.size(), 1u);
    const POINT corner = MenuCorner(menus[0]);
    EXPECT_EQ(corner.x, anchor.x);
    EXPECT_EQ(corner.y, anchor.y);
    EXPECT_EQ(tray.IconFocusReturns() - before, focusReturns);
  };
  // The mouse: a right click brings its release and then WM_CONTEXTMENU; the focus stays
  // where the click put it.
  opened({{WM_RBUTTONDOWN, at}, {WM_RBUTTONUP, at}, {WM_CONTEXTMENU, at}}, at, 0, "right click");
  // A left click, and a double click, open nothing, although each ends in NIN_SELECT.
  EXPECT_TRUE(MenusOpenedBy(tray.hwnd(), {{WM_LBUTTONDOWN, at}, {WM_LBUTTONUP, at}, {NIN_SELECT, at}}).empty());
  EXPECT_TRUE(MenusOpenedBy(tray.hwnd(), {{WM_LBUTTONDOWN, at},
                                          {WM_LBUTTONUP, at},
                                          {NIN_SELECT, at},
                                          {WM_LBUTTONDBLCLK, at},
                                          {WM_LBUTTONUP, at},
                                          {NIN_SELECT, at}})
                  .empty());
  // The keyboard, at the icon's anchor: Enter (which Windows reports twice), Space,
  // Shift+F10 or the menu key; the focus goes back to the notification area afterwards.
  opened({{NIN_KEYSELECT, other}, {NIN_KEYSELECT, other}}, other, 1, "Enter");
  opened({{NIN_SELECT, at}}, at, 1, "Space");
  opened({{WM_CONTEXTMENU, other}}, other, 1, "Shift+F10");
  EXPECT_TRUE(app.main().Visible());  // Esc ran no command
}

TEST_F(DummyTrayTest, IconIsDrawnForTheTaskbarsColourAtTheSmallIconSize) {
  ColorMode mode;
  HINSTANCE exe = GetModuleHandleW(nullptr);
  // Each version holds an image for each size of 100 to 200 % scaling.
  for (const int id : {IDI_TRAY_LIGHT_TASKBAR, IDI_TRAY_DARK_TASKBAR}) {
    HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(exe, found)));
    std::set<int> sizes;
    for (int i = 0; i < (group[4] | group[5] << 8); ++i) sizes.insert(group[6 + 14 * i]);  // the entries' widths
    EXPECT_EQ(sizes, (std::set<int>{16, 20, 24, 32})) << id;
  }
  const int size = GetSystemMetrics(SM_CXSMICON);
  auto resource = [&](int id) {
    UniqueIcon icon(static_cast<HICON>(LoadImageW(exe, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
    return PixelsOf(icon.get()).second;
  };
  const auto light = resource(IDI_TRAY_LIGHT_TASKBAR);
  const auto dark = resource(IDI_TRAY_DARK_TASKBAR);
  // One glyph in two colours: where they differ, the light taskbar's is the darker one.
  int differing = 0;
  for (std::size_t i = 0; i < light.size() && i < dark.size(); ++i) {
    if (light[i] == dark[i]) continue;
    ++differing;
    EXPECT_LT(Brightness(light[i]), Brightness(dark[i])) << i;
  }
  EXPECT_GT(differing, size * size / 8);

  mode.Set(1);
  auto& app = Start();
  auto& tray = app.tray();
  auto shown = [&] {
    const auto [width, pixels] = PixelsOf(tray.TrayIcon());
    EXPECT_EQ(width, size);
    return pixels;
  };
  EXPECT_EQ(shown(), light);
  // The user switches the mode while Mirel runs; Windows announces it to every window.
  const auto announce = [&] {
    SendMessageW(tray.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
  };
  mode.Set(0);
  announce();
  EXPECT_EQ(shown(), dark);
  mode.Set(1);
  announce();
  EXPECT_EQ(shown(), light);
  mode.Remove();  // no value at all: a dark taskbar
  announce();
  EXPECT_EQ(shown(), dark);
  EXPECT_TRUE(tray.IconShown());
  // A start without the value: dark again.
  app_.reset();
  EXPECT_EQ(PixelsOf(Start().tray().TrayIcon()).second, dark);
}

TEST_F(DummyTrayTest, SecondStartShowsTheHiddenMainWindowInFrontUnlessCoveredOrBusy) {
  WriteRegistry("CheckMouse", 1);
  WriteRegistry("MainVisible", 0);
  auto& app = Start();
  auto& tray = app.tray();
  HWND main = app.main().hwnd();
  const UINT request = RegisterWindowMessageW(kShowMainWindowMessage);
  ASSERT_TRUE(tray.WatchEnabled());
  // While the cover is up nothing changes.
  app.ShowDummyScreen();
  EXPECT_EQ(SendMessageW(tray.hwnd(), request, 0, 0), 0);
  EXPECT_TRUE(app.dummy().Visible());
  EXPECT_FALSE(app.main().Visible());
  Click(app.dummy().hwnd());
  Pump();
  ASSERT_TRUE(tray.WatchEnabled());
  // Nor while a modal window is open: the request comes from another process, so while
  // the about box runs its own loop.
  std::atomic<LRESULT> answer{-1};
  std::thread second([&] {
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i, Sleep(25)) box = FindWindowW(L"MirelAbout", nullptr);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(tray.hwnd(), request, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
      answer = static_cast<LRESULT>(result);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  frmAbout::ShowModal(app, main);
  second.join();
  EXPECT_EQ(answer, 0);
  EXPECT_FALSE(app.main().Visible());
  EXPECT_TRUE(tray.WatchEnabled());
  // Otherwise: shown, in front, and the tray menu and the watch follow, as "ウィンドウを表示"
  // does.
  EXPECT_EQ(SendMessageW(tray.hwnd(), request, 0, 0), 1);
  EXPECT_TRUE(app.main().Visible());
  EXPECT_EQ(GetForegroundWindow(), main);
  EXPECT_TRUE(tray.ItemChecked(kMnuTrayView));
  EXPECT_FALSE(tray.WatchEnabled());
  // Shown but minimised: restored.
  ShowWindow(main, SW_MINIMIZE);
  EXPECT_EQ(SendMessageW(tray.hwnd(), request, 0, 0), 1);
  EXPECT_FALSE(IsIconic(main));
  EXPECT_TRUE(app.main().Visible());
}

// The real prompt, answered from a helper thread as a person would.
TEST(PasswordPrompt, OnlyTheStoredPasswordEndsIt) {
  test::ClearSettings();
  WriteRegistry("Password", std::wstring(L"Secret"));
  std::atomic<bool> survivedClose{false};
  std::atomic<bool> wrongWarned{false};
  std::atomic<bool> wholeTextSelected{false};
  SIZE ok{}, largeOk{};
  int height = 0, largeHeight = 0;
  RECT suggested{}, moved{};
  std::optional<std::wstring> boxName, buttonName;
  std::thread person([&] {
    HWND prompt = nullptr;
    for (int i = 0; i < 200 && !prompt; ++i, Sleep(25)) prompt = FindWindowW(L"MirelPassword", nullptr);
    if (!prompt) return;
    HWND edit = FindWindowExW(prompt, nullptr, L"Edit", nullptr);
    // Dragged to a 200 % monitor (Wine runs at one DPI: the message Windows sends).
    HWND button = FindWindowExW(prompt, nullptr, L"Button", nullptr);
    boxName = test::AccessibleName(edit);  // a screen reader's name: the label before it
    buttonName = test::AccessibleName(button);
    ok = test::SizeOf(button);
    height = test::FontHeight(edit);
    suggested = test::SendDpiChanged(prompt, 2 * WindowDpi(prompt), WindowDpi(prompt));
    largeOk = test::SizeOf(button);
    largeHeight = test::FontHeight(edit);
    GetWindowRect(prompt, &moved);
    PostMessageW(prompt, WM_CLOSE, 0, 0);
    PostMessageW(prompt, WM_SYSCOMMAND, SC_CLOSE, 0);
    Sleep(300);
    survivedClose = IsWindow(prompt) && IsWindowVisible(prompt);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"secret"));  // wrong case
    PostMessageW(prompt, WM_COMMAND, IDOK, 0);
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i, Sleep(25)) box = FindWindowW(L"#32770", L"警告");
    if (box) {
      wchar_t text[128] = {};
      HWND label = FindWindowExW(box, nullptr, L"Static", nullptr);
      while (label && !InternalGetWindowText(label, text, 127)) label = FindWindowExW(box, label, L"Static", nullptr);
      wrongWarned = std::wstring(text) == UiText(Text::kWrongPassword);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(20);
      Sleep(100);
      DWORD start = 1, end = 0;
      SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      wholeTextSelected = start == 0 && end == 6;
    }
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Secret"));
    PostMessageW(prompt, WM_COMMAND, IDOK, 0);
  });
  frmPassword::ShowModal(nullptr);
  person.join();
  EXPECT_TRUE(survivedClose);
  EXPECT_TRUE(wrongWarned);
  EXPECT_TRUE(wholeTextSelected);
  EXPECT_EQ(FindWindowW(L"MirelPassword", nullptr), nullptr);
  EXPECT_EQ(boxName, L"パスワードを入力してください。");
  EXPECT_EQ(buttonName, L"OK");
  EXPECT_TRUE(EqualRect(&moved, &suggested));
  EXPECT_NEAR(largeOk.cx, 2 * ok.cx, 1);
  EXPECT_NEAR(largeOk.cy, 2 * ok.cy, 1);
  EXPECT_GT(height, 0);
  EXPECT_NEAR(largeHeight, 2 * height, 1);
  test::ClearSettings();
}

}  // namespace
}  // namespace mirel
