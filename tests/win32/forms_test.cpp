// The main window, the dummy screen and the tray on real windows, with scripted answers.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/application.h"
#include "app_fixture.h"
#include "core/ui_text.h"
#include "dialogs/common_dialogs.h"
#include "forms/dummy/frm_dummy.h"
#include "forms/main/frm_main.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/registry.h"
#include "settings/settings.h"

namespace mirel {
namespace {

using test::Pump;

class FormsTest : public test::AppTest {
 protected:
  RECT WindowRect(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
  }
  // Files dropped on the main window; the test goes on once their picture is decoded.
  void Drop(const std::vector<std::wstring>& files) {
    test::DropFiles(app_->main().hwnd(), files);
    test::PumpUntil([this] { return !app_->main().pictureOnItsWay(); });
  }
};

std::wstring MenuText(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, 127, MF_BYPOSITION);
  return text;
}

TEST_F(FormsTest, FirstStartWithoutSettings) {
  auto& app = Start();
  auto& main = app.main();
  ASSERT_TRUE(main.hwnd());
  EXPECT_TRUE(main.Visible());
  const RECT rect = WindowRect(main.hwnd());
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right - rect.left, 333);  // 5000 twips at 96 DPI
  EXPECT_EQ(rect.bottom - rect.top, 200);  // 3000 twips
  EXPECT_FALSE(GetWindowLongW(main.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongW(main.hwnd(), GWL_STYLE) & WS_CAPTION);
  wchar_t title[32] = {};
  GetWindowTextW(main.hwnd(), title, 31);
  EXPECT_STREQ(title, L"Mirel");

  HMENU bar = GetMenu(main.hwnd());
  ASSERT_TRUE(bar);
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  EXPECT_EQ(MenuText(bar, 0), L"ファイル(&F)");
  EXPECT_EQ(MenuText(bar, 1), L"表示(&V)");
  EXPECT_EQ(MenuText(bar, 2), L"ヘルプ(&H)");
  HMENU file = GetSubMenu(bar, 0);
  EXPECT_EQ(MenuText(file, 0), L"設定を削除して終了(&R)");
  EXPECT_EQ(MenuText(file, 2), L"終了(&X)");
  HMENU view = GetSubMenu(bar, 1);
  EXPECT_EQ(MenuText(view, 0), L"ウィンドウを表示(&V)");
  EXPECT_EQ(MenuText(view, 1), L"タイトルバーを表示(&T)");
  EXPECT_TRUE(GetMenuState(view, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_EQ(MenuText(view, 3), L"ウィンドウキャプチャ(&W)");
  EXPECT_EQ(MenuText(view, 4), L"デスクトップキャプチャ(&D)");
  EXPECT_FALSE(GetMenuState(view, 3, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(view, 4, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(MenuText(view, 6), L"オプション(&O)");
  EXPECT_FALSE(GetMenuState(view, 6, MF_BYPOSITION) & MF_GRAYED);

  const Settings& s = app.settings();
  EXPECT_FALSE(s.checkMouse);
  EXPECT_EQ(s.checkMouseFlag, 15);
  EXPECT_EQ(s.returnType, ReturnType::kSingleClick);
  EXPECT_FALSE(s.viewRandom);
  EXPECT_FALSE(s.requirePassword);
  EXPECT_EQ(app.state.gDummyList, (DummyList{L"", L""}));
  EXPECT_EQ(app.state.gHelpFile, dir_ / L"MIREL.CHM");
  EXPECT_TRUE(prompts_.messages.empty());
  // Picture box without picture: 4995 x 3555 twips.
  RECT box{};
  GetClientRect(main.pictureBox(), &box);
  EXPECT_EQ(box.right, 333);
  EXPECT_EQ(box.bottom, 237);
}

TEST_F(FormsTest, TheWindowColourFollowsTheUsersWindowsColours) {
  auto& app = Start();  // the background: the system's window colour, by default
  HWND box = app.main().pictureBox();
  const auto shown = [&] {
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(box);
    const COLORREF pixel = GetPixel(dc, 5, 5);
    ReleaseDC(box, dc);
    return pixel;
  };
  EXPECT_EQ(shown(), GetSysColor(COLOR_WINDOW));
  const int element = COLOR_WINDOW;
  const COLORREF before = GetSysColor(COLOR_WINDOW);
  const COLORREF chosen = before == RGB(20, 120, 60) ? RGB(200, 30, 90) : RGB(20, 120, 60);
  ASSERT_TRUE(SetSysColors(1, &element, &chosen));
  // What Windows sends every top-level window when the colours change.
  SendMessageW(app.main().hwnd(), WM_SYSCOLORCHANGE, 0, 0);
  const COLORREF after = shown();
  SetSysColors(1, &element, &before);
  EXPECT_EQ(after, chosen);
}

TEST_F(FormsTest, StoredSettingsPlaceAndShapeTheWindow) {
  WriteRegistry("Left", 1500);
  WriteRegistry("Top", 750);
  WriteRegistry("Width", 3000);
  WriteRegistry("Height", 1500);
  WriteRegistry("AlwaysTop", 2);  // any non-zero value is true
  WriteRegistry("NonTitleBar", 1);
  WriteRegistry("MainVisible", 0);
  WriteRegistry("CheckMouseFlag", 100000);  // out of the 16-bit range: the default
  auto& app = Start();
  HWND hwnd = app.main().hwnd();
  EXPECT_FALSE(app.main().Visible());
  const RECT rect = WindowRect(hwnd);
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(rect.top, 50);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 100);
  EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION);
  EXPECT_FALSE(GetWindowLongW(hwnd, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_EQ(GetMenu(hwnd), nullptr);
  EXPECT_EQ(app.settings().checkMouseFlag, 15);
}

TEST_F(FormsTest, SettingsOfTheWrongTypeOrSizeNeverCrashAndTheWindowStaysReachable) {
  const char* names[] = {"Top",
                         "Left",
                         "Height",
                         "Width",
                         "MainBackColor",
                         "AlwaysTop",
                         "NonTitleBar",
                         "AutoAdjust",
                         "ViewRandom",
                         "ViewBackColor",
                         "CheckMouse",
                         "CheckMouseFlag",
                         "CheckMouseInterval",
                         "RequirePassword",
                         "ReturnType",
                         "MainVisible",
                         "MainLoadFile",
                         "Password"};
  struct Form {
    DWORD type;
    std::string bytes;
  };
  const Form forms[] = {
      {REG_SZ, std::string("abc\0", 4)},
      {REG_SZ, std::string("\0", 1)},
      {REG_SZ, ""},
      {REG_MULTI_SZ, std::string("a\0b\0\0", 5)},
      {REG_BINARY, "\x01"},
      {REG_BINARY, std::string("\xff\xff\xff\x7f\xff\xff\xff\x7f", 8)},
      {REG_BINARY, std::string("\0\0\x80", 3)},
      {REG_QWORD, std::string("\x01\0\0\0\0\0\0\x80", 8)},
  };
  for (const auto& form : forms) {
    SCOPED_TRACE(testing::Message() << "type " << form.type << ", " << form.bytes.size() << " bytes");
    test::ClearSettings();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (const char* name : names)
      RegSetValueExA(key, name, 0, form.type, reinterpret_cast<const BYTE*>(form.bytes.data()),
                     static_cast<DWORD>(form.bytes.size()));
    RegCloseKey(key);
    auto& app = Start();
    // Wherever the stored place puts it, the window ends up inside the work area.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT rect = WindowRect(app.main().hwnd());
    EXPECT_GE(rect.left, work.left);
    EXPECT_GE(rect.top, work.top);
    EXPECT_LE(rect.top, work.bottom);
    EXPECT_GE(app.tray().WatchInterval(), 1u);
    // The exit stores its values with their own types.
    app.main().mnuFileExit_Click();
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_TRUE(test::QueryRaw("Top", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    ASSERT_TRUE(test::QueryRaw("MainVisible", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    app_.reset();
    Pump();
  }
}

TEST_F(FormsTest, AKeyThatCannotBeWrittenLeavesTheDefaultsAndAQuietExit) {
  WriteRegistry("Left", 1500);
  WriteRegistry("CheckMouseInterval", 250);
  // Everyone may read the key, nobody may write it.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, WRITE_DAC | KEY_READ, &key), ERROR_SUCCESS);
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  std::vector<std::uint8_t> aclBytes(256);
  auto* acl = reinterpret_cast<ACL*>(aclBytes.data());
  InitializeAcl(acl, static_cast<DWORD>(aclBytes.size()), ACL_REVISION);
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | WRITE_DAC | DELETE, everyone);
  SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
  ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
  RegCloseKey(key);
  HKEY probe = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &probe), ERROR_ACCESS_DENIED);
  auto& app = Start();
  EXPECT_EQ(app.tray().WatchInterval(), 250u);  // read as usual
  SetWindowPos(app.main().hwnd(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  app.main().mnuFileExit_Click();  // nothing stored, nothing said, no crash
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(ReadRegistry("Left", 0), 1500);
  // Writable again, for the clean-up.
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, WRITE_DAC, &key), ERROR_SUCCESS);
  SetSecurityDescriptorDacl(&descriptor, FALSE, nullptr, FALSE);
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
  RegCloseKey(key);
  FreeSid(everyone);
}

TEST_F(FormsTest, MissingStoredPictureWarnsWithItsPath) {
  const std::wstring missing = dir_ / L"gone.bmp";
  WriteRegistry("MainLoadFile", missing);
  auto& app = Start();
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, std::wstring(UiText(Text::kPictureMissing)) + L"\r\n" + missing);
  EXPECT_EQ(prompts_.messages[0].caption, L"警告");
  EXPECT_EQ(prompts_.messages[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_TRUE(app.main().picture().empty());
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring()), missing);  // the setting stays
}

TEST_F(FormsTest, UndecodableStoredPictureWarnsAndShowsNothing) {
  const std::wstring broken = dir_ / L"broken.bmp";
  test::WriteBytes(broken, "this is no picture");
  WriteRegistry("MainLoadFile", broken);
  auto& app = Start();
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, L"無効なビットマップです。\r\n" + broken);
  EXPECT_TRUE(app.main().picture().empty());
}

TEST_F(FormsTest, StoredPictureSizesThePictureBoxAndAutoAdjustFitsTheWindow) {
  const std::wstring picture = dir_ / L"pic.bmp";
  test::WriteBitmap(picture, 200, 100, RGB(255, 0, 0));
  WriteRegistry("MainLoadFile", picture);
  WriteRegistry("NonTitleBar", 1);
  WriteRegistry("AutoAdjust", 1);
  auto& app = Start();
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(app.main().picture().width(), 200);
  const RECT rect = WindowRect(app.main().hwnd());
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 100);
}

TEST_F(FormsTest, DroppedBitmapsAreCheckedThenShownAndStored) {
  auto& app = Start();
  HWND hwnd = app.main().hwnd();
  CreateDirectoryW((dir_ / L"folder.bmp").c_str(), nullptr);
  test::WriteBitmap(dir_ / L"note.bmp.txt", 10, 10, 0);
  test::WriteBytes(dir_ / L"empty.bmp", "");
  test::WriteBitmap(dir_ / L"UPPER.BMP", 40, 30, RGB(0, 0, 255));
  test::WriteBitmap(dir_ / L"second.bmp", 50, 50, 0);

  Drop({dir_ / L"folder.bmp"});
  Drop({dir_ / L"note.bmp.txt"});
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring(L"none")), L"none");

  Drop({dir_ / L"empty.bmp"});
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, L"無効なビットマップです。");
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring(L"none")), L"none");

  // Of several files only the first counts. It is decoded away from the window, and stored
  // once it shows.
  test::DropFiles(hwnd, {dir_ / L"UPPER.BMP", dir_ / L"second.bmp"});
  EXPECT_TRUE(app.main().pictureOnItsWay());
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring(L"none")), L"none");
  test::PumpUntil([&] { return !app.main().pictureOnItsWay(); });
  EXPECT_EQ(app.main().picture().width(), 40);
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring()), dir_ / L"UPPER.BMP");
  // With the title bar shown the window keeps its size.
  const RECT rect = WindowRect(hwnd);
  EXPECT_EQ(rect.right - rect.left, 333);
}

TEST_F(FormsTest, DropWithoutTitleBarAndAutoAdjustFitsTheWindow) {
  WriteRegistry("NonTitleBar", 1);
  WriteRegistry("AutoAdjust", 1);
  auto& app = Start();
  test::WriteBitmap(dir_ / L"wide.bmp", 200, 100, 0);
  Drop({dir_ / L"wide.bmp"});
  const RECT rect = WindowRect(app.main().hwnd());
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 100);
}

TEST_F(FormsTest, UndecodableDropChangesNothing) {
  auto& app = Start();
  test::WriteBitmap(dir_ / L"good.bmp", 20, 20, 0);
  Drop({dir_ / L"good.bmp"});
  test::WriteBytes(dir_ / L"bad.bmp", "garbage, not a bitmap");
  Drop({dir_ / L"bad.bmp"});
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, L"無効なビットマップです。\r\n" + (dir_ / L"bad.bmp"));
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring()), dir_ / L"good.bmp");
  EXPECT_EQ(app.main().picture().width(), 20);
}

// A path the code page cannot hold is kept: under its short name where the file has one
// (which every version reads), else in Unicode; either way the next start shows it again.
TEST_F(FormsTest, DroppedPathOutsideTheCodePageIsKeptAndShownAgainAtTheNextStart) {
  Start();
  const std::wstring picture = dir_ / L"\u0100\u0101.bmp";  // no code page 932 form
  test::WriteBitmap(picture, 30, 20, 0);
  Drop({picture});
  EXPECT_TRUE(prompts_.messages.empty());
  const std::wstring stored = ReadRegistryUnicode("MainLoadFile", std::wstring());
  EXPECT_TRUE(stored == picture || (stored != picture && FileExistsNormal(stored))) << stored;
  app_.reset();
  Pump();
  EXPECT_EQ(Start().main().picture().width(), 30);
  // Without a short name (a missing file has none), the Unicode text itself.
  ASSERT_TRUE(StoreMainLoadFile(dir_ / L"\u0100 gone.bmp"));
  EXPECT_EQ(LoadSettings().mainLoadFile, dir_ / L"\u0100 gone.bmp");
}

TEST_F(FormsTest, UnloadStoresPlaceVisibilityWatchAndTitleBar) {
  auto& app = Start();
  SetWindowPos(app.main().hwnd(), nullptr, 30, 40, 300, 150, SWP_NOZORDER);
  app.settings().checkMouse = true;
  app.main().mnuViewHideTitleBar_Click();
  app.main().mnuFileExit_Click();
  EXPECT_EQ(ReadRegistry("Left", -1), 450);
  EXPECT_EQ(ReadRegistry("Top", -1), 600);
  EXPECT_EQ(ReadRegistry("Width", -1), 4500);
  EXPECT_EQ(ReadRegistry("Height", -1), 2250);
  EXPECT_EQ(ReadRegistry("MainVisible", -1), 1);
  EXPECT_EQ(ReadRegistry("CheckMouse", -1), 1);
  EXPECT_EQ(ReadRegistry("NonTitleBar", -1), 1);
  EXPECT_FALSE(app.tray().IsLoaded());
  EXPECT_FALSE(app.dummy().IsLoaded());
}

TEST_F(FormsTest, AnInstallerClosingMirelGetsTheSettingsStoredAndARestart) {
  auto& app = Start();
  HWND main = app.main().hwnd();
  // Not while the cover is up: the restarted Mirel would leave the desktop uncovered.
  app.ShowDummyScreen();
  EXPECT_EQ(SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP), FALSE);
  SendMessageW(main, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
  EXPECT_TRUE(app.tray().IsLoaded());
  EXPECT_TRUE(app.dummy().Visible());
  app.dummy().Form_Click();
  app.main().mnuViewHideWindow_Click();
  // What Restart Manager sends before it replaces the files of a running program.
  EXPECT_EQ(SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP), TRUE);
  SendMessageW(main, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
  EXPECT_EQ(ReadRegistry("MainVisible", -1), 0);
  EXPECT_FALSE(app.tray().IsLoaded());
  WCHAR command[64] = {};
  DWORD size = 64;
  DWORD flags = 0;
  if (GetApplicationRestartSettings(GetCurrentProcess(), command, &size, &flags) == S_OK)
    EXPECT_EQ(flags, static_cast<DWORD>(RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT));
  else
    std::puts("restart registration: not readable here");
  // A log-off ends Mirel, covered or not.
  app_.reset();
  auto& again = Start();
  again.ShowDummyScreen();
  EXPECT_EQ(SendMessageW(again.main().hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageW(again.main().hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_FALSE(again.tray().IsLoaded());
}

TEST_F(FormsTest, DeleteSettingsAnswers) {
  {
    prompts_.answers = {IDCANCEL};
    auto& app = Start();
    app.main().mnuFileDeleteRegistry_Click();
    EXPECT_TRUE(app.main().IsLoaded());
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, L"本当に設定を削除しますか?");
    EXPECT_EQ(prompts_.messages[0].caption, L"確認");
    EXPECT_EQ(prompts_.messages[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
    prompts_.answers = {IDNO};
    app.main().mnuFileDeleteRegistry_Click();
    EXPECT_FALSE(app.main().IsLoaded());
    EXPECT_EQ(ReadRegistry("Width", -1), 4995);  // kept
  }
  app_.reset();
  Pump();
  prompts_.answers = {IDYES};
  auto& app = Start();
  app.main().mnuFileDeleteRegistry_Click();
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
}

}  // namespace
}  // namespace mirel
