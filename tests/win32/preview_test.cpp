// The capture preview with real files, real windows and the real watch timer.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/application.h"
#include "app_fixture.h"
#include "core/list_format.h"
#include "core/ui_text.h"
#include "forms/main/frm_main.h"
#include "forms/preview/frm_preview.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/capture.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/window.h"
#include "settings/dummy_list.h"

namespace mirel {
namespace {

using test::Pump;
using test::ReadBytes;

class PreviewTest : public test::AppTest {
 protected:
  // A 5 x 3 picture of one known colour.
  Picture Snapshot() {
    test::WriteBitmap(dir_ / L"source.bmp", 5, 3, RGB(10, 20, 30));
    Picture picture;
    EXPECT_EQ(LoadPicture(dir_ / L"source.bmp", picture), PictureLoad::kOk);
    return picture;
  }

  std::unique_ptr<frmPreview> Open(Picture picture) {
    auto preview = std::make_unique<frmPreview>(*app_, std::move(picture));
    preview->Form_Load();
    Pump();
    return preview;
  }

  static bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
};

// The first pixel of a 24-bit BMP file as blue, green, red.
std::string FirstPixel(const std::string& file) {
  return file.size() >= 57 ? file.substr(54, 3) : "";
}

TEST_F(PreviewTest, SaveAddsTheExtensionAndAddSkipsEveryTakenName) {
  auto& app = Start();
  auto preview = Open(Snapshot());
  ASSERT_TRUE(preview->hwnd());

  prompts_.nextPath = dir_ / L"shot";
  preview->mnuFileSave_Click();
  const std::string saved = ReadBytes(dir_ / L"shot.bmp");
  EXPECT_EQ(saved.substr(0, 2), "BM");
  EXPECT_EQ(FirstPixel(saved), std::string("\x1e\x14\x0a", 3));
  prompts_.nextPath = dir_ / L"shot.png";
  preview->mnuFileSave_Click();
  EXPECT_TRUE(FileExistsNormal(dir_ / L"shot.png.bmp"));
  prompts_.nextPath.clear();  // cancelled
  preview->mnuFileSave_Click();
  EXPECT_FALSE(preview->closed());

  // Taken, whatever they are: a file, a folder, a hidden file.
  test::WriteBytes(dir_ / L"CAPT000.BMP", "mine");
  ASSERT_TRUE(CreateDirectoryW((dir_ / L"CAPT001.BMP").c_str(), nullptr));
  test::WriteBytes(dir_ / L"CAPT002.BMP", "hidden");
  SetFileAttributesW((dir_ / L"CAPT002.BMP").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_EQ(app.state.gDummyList, DummyList(2));  // the empty form
  preview->mnuFileDummy_Click();
  const std::wstring capture = dir_ / L"CAPT003.BMP";
  EXPECT_EQ(FirstPixel(ReadBytes(capture)), std::string("\x1e\x14\x0a", 3));
  EXPECT_EQ(ReadBytes(dir_ / L"CAPT000.BMP"), "mine");
  EXPECT_EQ(ReadBytes(dir_ / L"CAPT002.BMP"), "hidden");
  EXPECT_TRUE(IsDirectory(dir_ / L"CAPT001.BMP"));
  // The empty form gives way: the list is what MIREL.DAT holds.
  EXPECT_EQ(app.state.gDummyList, DummyList{capture});
  EXPECT_EQ(ReadBytes(dir_ / L"MIREL.DAT"), *WideToAnsiExact(capture) + "\r\n");
  EXPECT_TRUE(preview->closed());
  EXPECT_TRUE(prompts_.messages.empty());
}

// Wine runs at one DPI: the preview is sent what Windows sends it on the way to a 150 %
// monitor (at 200 % this screen could not hold the window).
TEST_F(PreviewTest, LaysItselfOutAgainAtAnotherMonitorsScaling) {
  Start();
  auto preview = Open(Snapshot());
  ASSERT_TRUE(preview->hwnd());
  const unsigned dpi = preview->Dpi();
  const int height = test::FontHeight(preview->statusBar());
  ASSERT_GT(height, 0);
  const RECT suggested = test::SendDpiChanged(preview->hwnd(), dpi * 3 / 2, dpi);
  RECT frame{};
  GetWindowRect(preview->hwnd(), &frame);
  EXPECT_TRUE(EqualRect(&frame, &suggested));
  EXPECT_NEAR(test::FontHeight(preview->statusBar()), height * 3 / 2, 1);
  // The bars as wide as the system makes them at that DPI, along the new client area's edges.
  ASSERT_GT(SystemMetricForDpi(SM_CXVSCROLL, dpi * 3 / 2), GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(test::SizeOf(preview->verticalBar()).cx, SystemMetricForDpi(SM_CXVSCROLL, dpi * 3 / 2));
  RECT client{};
  GetClientRect(preview->hwnd(), &client);
  EXPECT_EQ(preview->layout().vertical.left + preview->layout().vertical.width, client.right);
  RECT status{};
  GetWindowRect(preview->statusBar(), &status);
  EXPECT_EQ(preview->layout().horizontal.top + preview->layout().horizontal.height,
            client.bottom - (status.bottom - status.top));
}

TEST_F(PreviewTest, ThePictureAndItsBarsHaveNamesAScreenReaderReads) {
  Start();
  auto preview = Open(Snapshot());
  ASSERT_TRUE(preview->hwnd());
  EXPECT_EQ(test::AccessibleName(preview->pictureBox()), L"キャプチャ画像");
  EXPECT_EQ(test::AccessibleName(preview->verticalBar()), L"縦スクロール バー");
  EXPECT_EQ(test::AccessibleName(preview->horizontalBar()), L"横スクロール バー");
  EXPECT_EQ(test::AccessibleName(preview->statusBar()), L"5 x 3");  // what it shows
  EXPECT_EQ(test::AccessibleName(preview->hwnd()), L"プレビュー表示");
}

TEST_F(PreviewTest, FailedWritesLoseNothingAndSayWhere) {
  auto& app = Start();
  auto preview = Open(Snapshot());

  // A read-only file and a folder under the chosen name stay as they were.
  test::WriteBytes(dir_ / L"kept.bmp", "precious");
  SetFileAttributesW((dir_ / L"kept.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
  prompts_.nextPath = dir_ / L"kept.bmp";
  preview->mnuFileSave_Click();
  SetFileAttributesW((dir_ / L"kept.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(dir_ / L"kept.bmp"), "precious");
  ASSERT_TRUE(CreateDirectoryW((dir_ / L"folder.bmp").c_str(), nullptr));
  prompts_.nextPath = dir_ / L"folder.bmp";
  preview->mnuFileSave_Click();
  EXPECT_TRUE(IsDirectory(dir_ / L"folder.bmp"));
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[0].caption, UiText(Text::kWarningCaption));
  EXPECT_NE(prompts_.messages[0].text.find(dir_ / L"kept.bmp"), std::wstring::npos);
  EXPECT_NE(prompts_.messages[1].text.find(dir_ / L"folder.bmp"), std::wstring::npos);
  EXPECT_FALSE(FileExistsNormal(dir_ / L"kept.bmp.new"));
  // A read-only file of the user's named like a temporary file: kept, and the save succeeds.
  test::WriteBytes(dir_ / L"shot.bmp.new", "mine");
  SetFileAttributesW((dir_ / L"shot.bmp.new").c_str(), FILE_ATTRIBUTE_READONLY);
  prompts_.nextPath = dir_ / L"shot.bmp";
  preview->mnuFileSave_Click();
  SetFileAttributesW((dir_ / L"shot.bmp.new").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(dir_ / L"shot.bmp.new"), "mine");
  EXPECT_EQ(FirstPixel(ReadBytes(dir_ / L"shot.bmp")), "\x1e\x14\x0a");
  ASSERT_EQ(prompts_.messages.size(), 2u);

  // What the list refuses anyway (full, or a list file too large to write) is said before
  // a capture file is written.
  const DummyList before = app.state.gDummyList;
  app.state.gDummyList.assign(kMaxDummyEntries, dir_ / L"source.bmp");
  preview->mnuFileDummy_Click();
  app.state.gDummyList = before;
  test::WriteBytes(dir_ / L"MIREL.DAT", std::string(kMaxListFileBytes + 1, 'x'));
  preview->mnuFileDummy_Click();
  EXPECT_FALSE(NameTaken(dir_ / L"CAPT000.BMP"));
  ASSERT_EQ(prompts_.messages.size(), 4u);
  EXPECT_EQ(prompts_.messages[2].text, ListWriteWarning(app.listPath(), {ListWrite::kFull, {}}));
  EXPECT_EQ(prompts_.messages[3].text, ListWriteWarning(app.listPath(), {ListWrite::kTooLarge, {}}));

  // MIREL.DAT held open by another program: the capture file stays, and the warning says
  // where; the list does not change, and the preview stays open.
  test::WriteBytes(dir_ / L"MIREL.DAT", "");
  {
    const HANDLE lock = CreateFileW((dir_ / L"MIREL.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    preview->mnuFileDummy_Click();
    CloseHandle(lock);
  }
  EXPECT_TRUE(FileExistsNormal(dir_ / L"CAPT000.BMP"));
  EXPECT_EQ(app.state.gDummyList, before);
  EXPECT_EQ(ReadBytes(dir_ / L"MIREL.DAT"), "");
  EXPECT_FALSE(preview->closed());
  ASSERT_EQ(prompts_.messages.size(), 5u);
  EXPECT_EQ(prompts_.messages[4].text.rfind(ListWriteWarning(app.listPath(), {ListWrite::kWriteFailed, {}}), 0), 0u);
  EXPECT_NE(prompts_.messages[4].text.find(dir_ / L"CAPT000.BMP"), std::wstring::npos);

  // Every name taken: a warning, nothing written, nothing added.
  for (int n = 1; n < kCaptureNames; ++n) ASSERT_TRUE(CreateDirectoryW((dir_ / CaptureFileName(n)).c_str(), nullptr));
  preview->mnuFileDummy_Click();
  ASSERT_EQ(prompts_.messages.size(), 6u);
  EXPECT_EQ(prompts_.messages[5].text, UiText(Text::kCaptureNamesUsedUp));
  EXPECT_EQ(app.state.gDummyList, before);
  EXPECT_FALSE(preview->closed());
}

TEST_F(PreviewTest, LoadAndUnloadHoldTheWatchAndTheTopmostBand) {
  auto& app = Start();
  app.settings().alwaysTop = true;
  app.settings().checkMouse = true;
  app.main().SetVisible(false);
  app.tray().SetWatchEnabled(true);
  SetWindowPos(app.main().hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  auto preview = Open(Snapshot());
  EXPECT_FALSE(app.tray().WatchEnabled());
  EXPECT_FALSE(IsTopmost(app.main().hwnd()));
  preview->Form_Unload();
  EXPECT_TRUE(IsTopmost(app.main().hwnd()));
  EXPECT_TRUE(app.tray().WatchEnabled());  // on, and the main window hidden

  app.main().SetVisible(true);
  preview = Open(Snapshot());
  preview->Form_Unload();
  EXPECT_FALSE(app.tray().WatchEnabled());  // the main window is shown
}

// Closes the next preview once it shows, noting whether the main window was visible then.
std::thread CloseNextPreview(HWND main, std::atomic<int>& mainVisibleDuring) {
  return std::thread([main, &mainVisibleDuring] {
    for (int i = 0; i < 500; ++i) {
      const HWND preview = FindWindowW(L"MirelPreview", nullptr);
      if (preview && IsWindowVisible(preview)) {
        mainVisibleDuring = IsWindowVisible(main) ? 1 : 0;
        PostMessageW(preview, WM_CLOSE, 0, 0);
        return;
      }
      Sleep(20);
    }
  });
}

TEST_F(PreviewTest, TrayCaptureKeepsAHiddenMainWindowHiddenAndRestoresItsBand) {
  auto& app = Start();
  HWND main = app.main().hwnd();
  app.settings().alwaysTop = true;
  SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  for (const bool shown : {false, true}) {
    SCOPED_TRACE(shown);
    app.main().SetVisible(shown);
    std::atomic<int> during{-1};
    auto closer = CloseNextPreview(main, during);
    app.tray().mnuTrayCapture_Click();
    closer.join();
    EXPECT_EQ(during, shown ? 1 : 0);
    EXPECT_EQ(IsWindowVisible(main) != FALSE, shown);
    EXPECT_EQ(app.state.gMainWasVisible, shown);
    EXPECT_TRUE(IsTopmost(main));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));  // as Print Screen leaves it
  }
}

TEST_F(PreviewTest, ScrollsToTheFarEdgesAndNeverPastThem) {
  Start();
  // Larger than the view in both directions.
  auto preview = Open(CaptureScreen(VirtualScreenRect()));
  ASSERT_FALSE(preview->picture().empty());
  const auto& layout = preview->layout();
  EXPECT_EQ(layout.maxLeft, preview->picture().width() - layout.viewWidth);
  EXPECT_EQ(layout.maxTop, preview->picture().height() - layout.viewHeight);
  preview->hsbPreview_Change(1 << 20);
  preview->vsbPreview_Change(1 << 20);
  EXPECT_EQ(preview->scrollPosition().x, layout.maxLeft);
  EXPECT_EQ(preview->scrollPosition().y, layout.maxTop);
  // The bars hug the right and bottom edges, above the status bar, at any size.
  const int farLeft = layout.maxLeft;
  SetWindowPos(preview->hwnd(), nullptr, 0, 0, 300, 250, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  GetClientRect(preview->hwnd(), &client);
  RECT bar{};
  GetWindowRect(preview->verticalBar(), &bar);
  MapWindowPoints(nullptr, preview->hwnd(), reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.right, client.right);
  RECT status{};
  GetWindowRect(preview->statusBar(), &status);
  MapWindowPoints(nullptr, preview->hwnd(), reinterpret_cast<POINT*>(&status), 2);
  EXPECT_EQ(status.bottom, client.bottom);
  GetWindowRect(preview->horizontalBar(), &bar);
  MapWindowPoints(nullptr, preview->hwnd(), reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.bottom, status.top);
  // A smaller view scrolls further; the position stays where it was.
  EXPECT_GT(preview->layout().maxLeft, farLeft);
  EXPECT_EQ(preview->scrollPosition().x, farLeft);

  // The keyboard, as in a document; the wheel, however small its steps, and sideways.
  const auto key = [&](UINT vk, bool control = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageW(preview->hwnd(), WM_KEYDOWN, vk, 1);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    return preview->scrollPosition();
  };
  const auto wheel = [&](UINT message, int delta, WPARAM keys = 0) {
    SendMessageW(preview->hwnd(), message, MAKEWPARAM(keys, static_cast<WORD>(delta)), MAKELPARAM(100, 100));
    return preview->scrollPosition();
  };
  const int view = preview->layout().viewHeight;
  EXPECT_EQ(key(VK_HOME, true).x, 0);
  EXPECT_EQ(key(VK_HOME).y, 0);
  EXPECT_EQ(key(VK_DOWN).y, 32);
  EXPECT_EQ(key(VK_RIGHT).x, 32);
  EXPECT_EQ(key(VK_NEXT).y, 32 + view);
  EXPECT_EQ(key(VK_PRIOR).y, 32);
  EXPECT_EQ(key(VK_END).y, preview->layout().maxTop);
  EXPECT_EQ(key(VK_END, true).x, preview->layout().maxLeft);
  key(VK_HOME, true);
  UINT lines = 3;
  UINT chars = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  SystemParametersInfoW(SPI_GETWHEELSCROLLCHARS, 0, &chars, 0);
  for (int i = 0; i < 12; ++i) wheel(WM_MOUSEWHEEL, -10);  // a precision touchpad
  EXPECT_EQ(preview->scrollPosition().y, static_cast<int>(lines) * 32);
  EXPECT_EQ(wheel(WM_MOUSEWHEEL, -120, MK_SHIFT).x, static_cast<int>(chars) * 32);
  EXPECT_EQ(wheel(WM_MOUSEHWHEEL, 120).x, static_cast<int>(chars) * 64);

  // A picture that fits does not move.
  auto small = Open(Snapshot());
  small->hsbPreview_Change(50);
  small->vsbPreview_Change(50);
  EXPECT_EQ(small->scrollPosition().x, 0);
  EXPECT_EQ(small->scrollPosition().y, 0);
}

}  // namespace
}  // namespace mirel
