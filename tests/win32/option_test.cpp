// The options dialog on real windows, with scripted answers where a person would answer.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <htmlhelp.h>

#include <cstring>
#include <string>
#include <utility>

#include "app/application.h"
#include "app_fixture.h"
#include "core/twips.h"
#include "core/ui_text.h"
#include "forms/dummy/frm_dummy.h"
#include "forms/main/frm_main.h"
#include "forms/option/frm_option.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/colors.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "settings/registry.h"
#include "settings/startup_entry.h"

namespace mirel {
namespace {

using C = OptionControl;
using test::Pump;
using test::WriteBitmap;

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::string Ansi(const std::wstring& text) {
  return *WideToAnsiExact(text);
}

class OptionTest : public test::AppTest {
 protected:
  frmOption& Open() {
    option_ = std::make_unique<frmOption>(*app_, app_->main().hwnd());
    option_->Form_Load();
    EXPECT_TRUE(option_->hwnd());
    ShowWindow(option_->hwnd(), SW_SHOW);  // as the modal loop shows it
    return *option_;
  }
  void TearDown() override {
    option_.reset();  // its unload reaches into the application
    AppTest::TearDown();
  }
  // A click as the user makes it: on the page shown, through the control itself.
  void Click(C id) {
    PickPageOf(id);
    SendMessageW(option_->control(id), BM_CLICK, 0, 0);
  }
  void PickPageOf(C id) {
    for (const auto& entry : kOptionControls)
      if (entry.id == id && option_->selectedTab() != entry.page + 1) option_->PickTab(entry.page + 1);
  }
  bool Enabled(C id) { return IsWindowEnabled(option_->control(id)) != FALSE; }
  bool Checked(C id) { return SendMessageW(option_->control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // The choice the placement drop-down shows: its index and its text.
  std::pair<LRESULT, std::wstring> FitShown() {
    HWND fit = option_->control(C::cboDummyFit);
    return {SendMessageW(fit, CB_GETCURSEL, 0, 0), TextOf(fit)};
  }
  void SelectEntry(int index) {
    SendMessageW(option_->control(C::lstViewList), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    option_->lstViewList_Click();
  }
  std::string ListFile() { return test::ReadBytes(dir_ / L"MIREL.DAT"); }
  bool Stored(const char* name) {
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    return test::QueryRaw(name, type, data);
  }
  DWORD StoredType(const char* name) {
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    test::QueryRaw(name, type, data);
    return type;
  }

  std::unique_ptr<frmOption> option_;
};

TEST_F(OptionTest, OpensAsDesignedWithOnePagePerTab) {
  Start();
  auto& option = Open();
  HWND dialog = option.hwnd();
  EXPECT_EQ(TextOf(dialog), L"オプション");
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), app_->main().hwnd());  // no taskbar button
  const unsigned dpi = WindowDpi(dialog);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, TwipsToPixels(5565, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(5190, dpi));
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);  // the designed place fits this screen, so it is kept
  EXPECT_EQ(origin.x, TwipsToPixels(5070, dpi));
  EXPECT_EQ(origin.y, TwipsToPixels(3720, dpi));

  EXPECT_EQ(TextOf(option.okButton()), L"OK");
  EXPECT_TRUE(GetWindowLongW(option.okButton(), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_EQ(TextOf(option.cancelButton()), L"キャンセル");
  EXPECT_EQ(SendMessageW(option.tabStrip(), TCM_GETITEMCOUNT, 0, 0), 5);
  // A control placed inside its frame: 900, 300 in a frame at 120, 180.
  RECT box{};
  GetWindowRect(option.control(C::txtMainLoadFile), &box);
  MapWindowPoints(nullptr, option.page(0), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(box.left, TwipsToPixels(1020, dpi));
  EXPECT_EQ(box.top, TwipsToPixels(480, dpi));
  EXPECT_EQ(box.right - box.left, TwipsToPixels(2655, dpi));
  // Off at creation, then set by the loads: no title bar hidden, no watch, no password.
  for (const C off : {C::chkAutoAdjust, C::cmdViewDelete, C::cmdViewMoveUp, C::cmdViewMoveDown, C::cmdViewClear,
                      C::txtCheckMouseInterval, C::chkCheckMouseFlagTop, C::txtPassword})
    EXPECT_FALSE(Enabled(off)) << static_cast<int>(off);
  EXPECT_EQ(TextOf(option.control(C::txtCheckMouseInterval)), L"100");
  EXPECT_TRUE(Checked(C::optReturnTypeSingle));
  EXPECT_EQ(GetWindowContextHelpId(option.control(C::cmdMainRef)), 13u);
  EXPECT_EQ(GetWindowContextHelpId(option.control(C::fraCheckMouseFlag)), 49u);
  EXPECT_EQ(GetWindowContextHelpId(option.control(C::txtPassword)), 0u);
  // Every control inside its page, and no caption widened under the box beside it.
  for (std::size_t i = 0; i < std::size(kOptionControls); ++i) {
    const auto& entry = kOptionControls[i];
    SCOPED_TRACE(static_cast<int>(entry.id));
    RECT place{}, page{};
    GetWindowRect(option.control(entry.id), &place);
    GetWindowRect(option.page(entry.page), &page);
    EXPECT_LE(place.right, page.right);
    EXPECT_LE(place.bottom, page.bottom);
    if (i + 1 == std::size(kOptionControls)) continue;
    const auto& next = kOptionControls[i + 1];
    if (entry.kind != ControlKind::kLabel || next.page != entry.page || next.place.left <= entry.place.left) continue;
    RECT box{};
    GetWindowRect(option.control(next.id), &box);
    EXPECT_LE(place.right, box.left);
  }

  // Exactly one page visible, the selected tab's, whatever the picks.
  const auto visiblePages = [&] {
    std::vector<int> shown;
    for (int i = 0; i < kOptionPageCount; ++i)
      if (GetWindowLongW(option.page(i), GWL_STYLE) & WS_VISIBLE) shown.push_back(i);
    return shown;
  };
  EXPECT_EQ(visiblePages(), std::vector<int>{0});
  for (const int tab : {3, 3, 1, 4, 2, 2, 5}) {
    option.PickTab(tab);
    EXPECT_EQ(option.selectedTab(), tab);
    EXPECT_EQ(visiblePages(), std::vector<int>{tab - 1});
  }
  // The tooltips of the dummy window page.
  option.PickTab(2);
  HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
  while (tips && GetWindow(tips, GW_OWNER) != dialog) tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
  ASSERT_TRUE(tips);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 18);  // the dummy window page's seven, the extras' eleven
}

// English captions are longer: in both languages, at 100 % and at 200 %, every caption
// shows whole in its control (as measured in the control's own font), and the language
// comes from the setting the other page stores.
TEST_F(OptionTest, EveryCaptionShowsWholeInBothLanguagesAtBothScalings) {
  for (const std::int32_t stored : {1, 2}) {
    SCOPED_TRACE(stored);
    WriteRegistry("UiLanguage", stored);
    Start();
    auto& option = Open();
    EXPECT_EQ(TextOf(option.hwnd()), stored == 2 ? L"Options" : L"オプション");
    EXPECT_EQ(SendMessageW(option.control(C::cboUiLanguage), CB_GETCURSEL, 0, 0), stored);
    const unsigned dpi = WindowDpi(option.hwnd());
    for (const unsigned scaled : {dpi, 2 * dpi}) {
      if (scaled != dpi) test::SendDpiChanged(option.hwnd(), scaled, dpi);
      for (const auto& entry : kOptionControls) {
        const bool box = entry.kind == ControlKind::kCheck || entry.kind == ControlKind::kRadio;
        if (!box && entry.kind != ControlKind::kLabel && entry.kind != ControlKind::kButton &&
            entry.kind != ControlKind::kFrame)
          continue;
        SCOPED_TRACE(static_cast<int>(entry.id));
        HWND control = option.control(entry.id);
        RECT text{};
        {
          HDC dc = GetDC(control);
          HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
          DrawTextW(dc, OptionCaption(entry.id), -1, &text, DT_CALCRECT | DT_SINGLELINE);
          SelectObject(dc, old);
          ReleaseDC(control, dc);
        }
        const int room = test::SizeOf(control).cx - (box ? GetSystemMetrics(SM_CXMENUCHECK) : 0);
        EXPECT_LE(text.right, room) << "cut: " << std::wstring(OptionCaption(entry.id));
      }
    }
    option_.reset();
    app_.reset();
    Pump();
  }
  SetCurrentLanguage(Language::kJapanese);
}

// Wine runs at one DPI: the dialog is sent what Windows sends it on the way to a 200 %
// monitor, and then back.
TEST_F(OptionTest, LaysItselfOutAgainAtAnotherMonitorsScaling) {
  Start();
  auto& option = Open();
  HWND dialog = option.hwnd();
  const unsigned dpi = WindowDpi(dialog);
  const SIZE ok = test::SizeOf(option.okButton());
  const int height = test::FontHeight(option.control(C::txtMainLoadFile));
  ASSERT_GT(height, 0);
  const auto inPage = [&](C id, int page) {
    RECT box{};
    GetWindowRect(option.control(id), &box);
    MapWindowPoints(nullptr, option.page(page), reinterpret_cast<POINT*>(&box), 2);
    return box;
  };

  const RECT suggested = test::SendDpiChanged(dialog, 2 * dpi, dpi);
  RECT frame{};
  GetWindowRect(dialog, &frame);
  EXPECT_TRUE(EqualRect(&frame, &suggested));
  const SIZE large = test::SizeOf(option.okButton());
  EXPECT_NEAR(large.cx, 2 * ok.cx, 1);
  EXPECT_NEAR(large.cy, 2 * ok.cy, 1);
  // Inside a page and inside its frame (900, 300 in a frame at 120, 180), and the page itself.
  const RECT box = inPage(C::txtMainLoadFile, 0);
  EXPECT_EQ(box.left, TwipsToPixels(1020, 2 * dpi));
  EXPECT_EQ(box.top, TwipsToPixels(480, 2 * dpi));
  EXPECT_EQ(box.right - box.left, TwipsToPixels(2655, 2 * dpi));
  const RECT list = inPage(C::lstViewList, 1);
  EXPECT_EQ(list.bottom - list.top, TwipsToPixels(2400, 2 * dpi));
  EXPECT_EQ(test::SizeOf(option.page(4)).cx, TwipsToPixels(5115, 2 * dpi));
  // Every control in the new font, twice as high.
  EXPECT_NEAR(test::FontHeight(option.control(C::txtMainLoadFile)), 2 * height, 1);
  for (const auto& entry : kOptionControls)
    EXPECT_EQ(SendMessageW(option.control(entry.id), WM_GETFONT, 0, 0),
              SendMessageW(option.okButton(), WM_GETFONT, 0, 0))
        << static_cast<int>(entry.id);
  EXPECT_EQ(SendMessageW(option.tabStrip(), WM_GETFONT, 0, 0), SendMessageW(option.okButton(), WM_GETFONT, 0, 0));
  // A caption widened to its font is measured again in the larger one: no narrower than its
  // place in the table.
  EXPECT_GE(inPage(C::chkAutoAdjust, 0).right - inPage(C::chkAutoAdjust, 0).left, TwipsToPixels(3675, 2 * dpi));

  test::SendDpiChanged(dialog, dpi, 2 * dpi);
  const SIZE back = test::SizeOf(option.okButton());
  EXPECT_EQ(back.cx, ok.cx);
  EXPECT_EQ(back.cy, ok.cy);
  EXPECT_EQ(inPage(C::txtMainLoadFile, 0).left, TwipsToPixels(1020, dpi));
  EXPECT_EQ(test::FontHeight(option.control(C::txtMainLoadFile)), height);
}

// What a screen reader says for each control: oleacc's name of its client area. A box is
// named by the label just before it. Wine's oleacc reads that label for an edit box, but
// names a drop-down list by its choice: there the label's place before it is checked.
TEST_F(OptionTest, EveryControlHasTheNameAScreenReaderReads) {
  Start();
  auto& option = Open();
  const auto spoken = [](std::wstring caption) {
    if (const auto amp = caption.find(L'&'); amp != std::wstring::npos) caption.erase(amp, 1);
    return caption;
  };
  const OptionControlEntry* before = nullptr;
  for (const auto& entry : kOptionControls) {
    SCOPED_TRACE(static_cast<int>(entry.id));
    HWND control = option.control(entry.id);
    const auto name = test::AccessibleName(control);
    if (entry.kind == ControlKind::kEdit || entry.kind == ControlKind::kDropDownList) {
      ASSERT_TRUE(before);
      EXPECT_EQ(before->kind, ControlKind::kLabel);
      EXPECT_EQ(GetWindow(control, GW_HWNDPREV), option.control(before->id));
      if (entry.kind == ControlKind::kEdit) {
        EXPECT_EQ(name, spoken(OptionCaption(before->id)));
      }
    } else {
      EXPECT_NE(std::wstring(OptionCaption(entry.id)), L"");
      EXPECT_EQ(name, spoken(OptionCaption(entry.id)));
    }
    before = &entry;
  }
  // The list and the key box carry their label's name; the colour box its label's without
  // the colon. None of the three shows it.
  EXPECT_EQ(test::AccessibleName(option.control(C::lstViewList)), L"ダミー画像リスト");
  EXPECT_EQ(test::AccessibleName(option.control(C::hkyPanicKey)), test::AccessibleName(option.control(C::lblPanicKey)));
  EXPECT_EQ(GetWindowLongW(option.control(C::lblMainBackColor), GWL_STYLE) & SS_TYPEMASK, SS_OWNERDRAW);
  for (int page = 0; page < kOptionPageCount; ++page)
    EXPECT_EQ(test::AccessibleName(option.page(page)), UiText(kOptionTabCaptions[page]));
  EXPECT_EQ(test::AccessibleName(option.tabStrip()), L"ページ");
  EXPECT_EQ(test::AccessibleName(option.okButton()), L"OK");
  EXPECT_EQ(test::AccessibleName(option.cancelButton()), L"キャンセル");
  EXPECT_EQ(test::AccessibleName(option.hwnd()), L"オプション");
}

// The colour button drawn through the dialog's WM_DRAWITEM into a bitmap, as Windows asks
// for it; and in a high-contrast theme, which Wine cannot turn on (SPI_SETHIGHCONTRAST
// fails there): the drawing is asked for with the theme's flag given.
TEST_F(OptionTest, ColourButtonFramedAndFocusedInHighContrast) {
  Start();
  auto& option = Open();
  option.PickTab(2);
  HWND button = option.control(C::lblViewBackColor);
  const int width = 80, height = 24;
  HDC screen = GetDC(nullptr);
  UniqueMemoryDc dc(CreateCompatibleDC(screen));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
  ReleaseDC(nullptr, screen);
  SelectObject(dc.get(), bitmap.get());
  UniqueBrush swatch(CreateSolidBrush(RGB(0, 128, 0)));
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = button;
  item.hDC = dc.get();
  item.rcItem = {0, 0, width, height};
  const auto draw = [&](UINT state, bool highContrast) {
    item.itemState = state;
    if (highContrast)
      DrawSwatchButton(item, RGB(0, 128, 0), swatch.get(), true);
    else
      SendMessageW(option.page(1), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  };
  // Inside the two-pixel raised edge: the frame's line, then the window's colour.
  const auto at = [&](int x, int y) { return GetPixel(dc.get(), x, y); };
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT), window = GetSysColor(COLOR_WINDOW);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  // The dotted focus rectangle leaves every other pixel: a column is looked at whole.
  const auto dotted = [&](int x, COLORREF fill) {
    int changed = 0;
    for (int y = 8; y < height - 8; ++y) changed += at(x, y) != fill;
    return changed > 0;
  };

  ASSERT_FALSE(option.highContrast());
  draw(0, false);
  const COLORREF plain = at(40, 12);
  EXPECT_EQ(at(2, 12), plain);  // no frame without the theme
  // Focused with the keyboard cues hidden: no focus rectangle, as Windows asks.
  draw(ODS_FOCUS | ODS_NOFOCUSRECT, false);
  EXPECT_FALSE(dotted(3, plain));
  draw(ODS_FOCUS, false);
  EXPECT_TRUE(dotted(3, plain));

  draw(0, true);
  EXPECT_EQ(at(2, 12), text);
  EXPECT_EQ(at(3, 12), text);
  EXPECT_EQ(at(4, 12), window);
  EXPECT_EQ(at(5, 12), window);
  EXPECT_EQ(at(40, 2), text);
  EXPECT_EQ(at(6, 12), RGB(0, 128, 0));
  EXPECT_FALSE(dotted(7, RGB(0, 128, 0)));  // no focus, no focus rectangle
  // Focused, the cues hidden all the same: the highlight and the focus rectangle.
  draw(ODS_FOCUS | ODS_NOFOCUSRECT, true);
  EXPECT_EQ(at(2, 12), highlight);
  EXPECT_TRUE(dotted(7, RGB(0, 128, 0)));
}

TEST_F(OptionTest, CancelEscAndCloseBoxStoreNothingAndGiveBackTheBandAndTheWatch) {
  WriteBitmap(dir_ / L"a.bmp", 4, 4, RGB(255, 0, 0));
  const std::string list = Ansi(dir_ / L"gone.bmp") + "\r\n" + Ansi(dir_ / L"a.bmp") + "\r\n";
  test::WriteBytes(dir_ / L"MIREL.DAT", list);
  auto& app = Start();
  test::ClearSettings();  // what start-up stored does not matter here
  app.settings().alwaysTop = true;
  app.settings().checkMouse = true;
  app.main().SetVisible(false);
  HWND main = app.main().hwnd();
  for (const UINT how : {0u, 1u, 2u}) {
    SCOPED_TRACE(how);
    auto& option = Open();
    EXPECT_FALSE(app.tray().WatchEnabled());
    EXPECT_FALSE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(option.ListEntries(), std::vector<std::wstring>{dir_ / L"a.bmp"});  // the usable line only
    Click(C::chkAlwaysTop);
    Click(C::chkNonTitleBar);
    Click(C::cmdViewClear);
    Click(C::chkCheckMouse);
    Click(C::optReturnTypeDouble);
    SetWindowTextW(option.control(C::txtPassword), L"secret");
    if (how == 0) Click(C::chkViewRandom);  // one more change
    if (how == 0) SendMessageW(option.cancelButton(), BM_CLICK, 0, 0);
    if (how == 1) SendMessageW(option.hwnd(), WM_COMMAND, IDCANCEL, 0);  // Esc
    if (how == 2) SendMessageW(option.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(option.closed());
    option.Form_Unload();
    EXPECT_FALSE(Stored("AlwaysTop"));
    EXPECT_FALSE(Stored("Password"));
    EXPECT_FALSE(Stored("ReturnType"));
    EXPECT_EQ(ListFile(), list);  // byte for byte, the vanished line too
    EXPECT_FALSE(app.settings().nonTitleBar);
    EXPECT_TRUE(GetWindowLongW(main, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(app.tray().WatchEnabled());
  }
}

TEST_F(OptionTest, OkAppliesAndStoresEveryPage) {
  WriteBitmap(dir_ / L"main.bmp", 120, 90, RGB(0, 255, 0));
  for (const wchar_t* name : {L"a.bmp", L"b.bmp", L"c.bmp"}) WriteBitmap(dir_ / name, 4, 4, RGB(255, 0, 0));
  test::WriteBytes(dir_ / L"MIREL.DAT", Ansi(dir_ / L"a.bmp") + "\r\n" + Ansi(dir_ / L"b.bmp") + "\r\n");
  WriteRegistry("DummyFit", 4);
  WriteRegistry("DummyEveryMonitor", 1);
  auto& app = Start();
  auto& option = Open();
  EXPECT_EQ(FitShown(), (std::pair<LRESULT, std::wstring>(4, L"原寸で中央に")));
  EXPECT_TRUE(Checked(C::chkDummyEveryMonitor));
  // Main window page.
  SetWindowTextW(option.control(C::txtMainLoadFile), (dir_ / L"main.bmp").c_str());
  prompts_.colors = {0x00112233, 0x00445566};
  Click(C::cmdMainBackColor);
  Click(C::chkAlwaysTop);
  Click(C::chkNonTitleBar);
  EXPECT_TRUE(Enabled(C::chkAutoAdjust));
  Click(C::chkAutoAdjust);
  // Dummy window page: c.bmp added, then moved up between a and b; a vanished entry.
  prompts_.nextPath = dir_ / L"c.bmp";
  Click(C::cmdViewAdd);
  SelectEntry(2);
  Click(C::cmdViewMoveUp);
  Click(C::lblViewBackColor);
  Click(C::chkViewRandom);
  SendMessageW(option.control(C::cboDummyFit), CB_SETCURSEL, 2, 0);  // 画面いっぱいに
  Click(C::chkDummyEveryMonitor);
  // Mouse page: the watch on, 250 ms, every edge but the left one.
  Click(C::chkCheckMouse);
  EXPECT_TRUE(Enabled(C::txtCheckMouseInterval));
  SetWindowTextW(option.control(C::txtCheckMouseInterval), L"250");
  Click(C::chkCheckMouseFlagLeft);
  // Return page: double click and a password.
  Click(C::optReturnTypeDouble);
  Click(C::chkPassword);
  EXPECT_TRUE(Enabled(C::txtPassword));
  SetWindowTextW(option.control(C::txtPassword), L"pass word");
  SendMessageW(option.okButton(), BM_CLICK, 0, 0);
  EXPECT_TRUE(option.closed());
  EXPECT_TRUE(prompts_.messages.empty());
  option.Form_Unload();
  test::PumpUntil([&] { return !app.main().pictureOnItsWay(); });  // the picture, once decoded

  // Stored, each with its type.
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring()), dir_ / L"main.bmp");
  EXPECT_EQ(StoredType("MainLoadFile"), static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(ReadRegistry("MainBackColor", 0), 0x00112233);
  EXPECT_EQ(StoredType("MainBackColor"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(ReadRegistry("AlwaysTop", 0), 1);
  EXPECT_EQ(ReadRegistry("AutoAdjust", 0), 1);
  EXPECT_EQ(ReadRegistry("ViewBackColor", 0), 0x00445566);
  EXPECT_EQ(ReadRegistry("ViewRandom", 0), 1);
  EXPECT_EQ(ReadRegistry("DummyFit", 0), 2);
  EXPECT_EQ(StoredType("DummyFit"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(ReadRegistry("DummyEveryMonitor", 1), 0);
  EXPECT_EQ(StoredType("DummyEveryMonitor"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(ReadRegistry("CheckMouseInterval", 0), 250);
  EXPECT_EQ(ReadRegistry("CheckMouseFlag", 0), 11);
  EXPECT_EQ(ReadRegistry("ReturnType", 0), 1);
  EXPECT_EQ(ReadRegistry("RequirePassword", 0), 1);
  EXPECT_EQ(ReadRegistry("Password", std::wstring()), L"pass word");
  EXPECT_EQ(StoredType("Password"), static_cast<DWORD>(REG_SZ));
  EXPECT_NE(ReadRegistry("CheckMouse", 0), 1);  // stored by the main window at exit, not here

  // Applied to the running program.
  auto& main = app.main();
  EXPECT_EQ(main.picture().width(), 120);
  EXPECT_EQ(main.backColor(), 0x00112233u);
  EXPECT_TRUE(app.settings().nonTitleBar);
  EXPECT_FALSE(GetWindowLongW(main.hwnd(), GWL_STYLE) & WS_CAPTION);
  EXPECT_FALSE(main.MenusVisible());
  EXPECT_FALSE(app.tray().ItemChecked(kMnuTrayTitleBar));
  RECT frame{};
  GetWindowRect(main.hwnd(), &frame);
  EXPECT_EQ(frame.right - frame.left, 120);  // fitted to the picture
  EXPECT_EQ(frame.bottom - frame.top, 90);
  EXPECT_TRUE(GetWindowLongW(main.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(app.dummy().backColor(), 0x00445566u);
  EXPECT_TRUE(app.settings().viewRandom);
  EXPECT_EQ(app.settings().dummyFit, DummyFit::kFill);
  EXPECT_FALSE(app.settings().dummyEveryMonitor);
  EXPECT_EQ(app.state.gDummyList, (DummyList{dir_ / L"a.bmp", dir_ / L"c.bmp", dir_ / L"b.bmp"}));
  EXPECT_EQ(ListFile(),
            Ansi(dir_ / L"a.bmp") + "\r\n" + Ansi(dir_ / L"c.bmp") + "\r\n" + Ansi(dir_ / L"b.bmp") + "\r\n");
  EXPECT_TRUE(app.settings().checkMouse);
  EXPECT_TRUE(app.tray().ItemChecked(kMnuTrayMouse));
  EXPECT_EQ(app.tray().WatchInterval(), 250u);
  EXPECT_FALSE(app.tray().WatchEnabled());  // the main window is shown
  EXPECT_EQ(app.settings().checkMouseFlag, 11);
  EXPECT_EQ(app.settings().returnType, ReturnType::kDoubleClick);
  EXPECT_TRUE(app.settings().requirePassword);

  // OK again with nothing changed: the title bar is not toggled back, and the dialog
  // shows what the first OK set.
  auto& again = Open();
  EXPECT_TRUE(Checked(C::chkNonTitleBar));
  EXPECT_EQ(TextOf(again.control(C::txtPassword)), L"pass word");
  EXPECT_EQ(TextOf(again.control(C::txtCheckMouseInterval)), L"250");
  EXPECT_TRUE(Checked(C::optReturnTypeDouble));
  SendMessageW(again.okButton(), BM_CLICK, 0, 0);
  again.Form_Unload();
  EXPECT_TRUE(app.settings().nonTitleBar);
  EXPECT_FALSE(GetWindowLongW(main.hwnd(), GWL_STYLE) & WS_CAPTION);
  EXPECT_FALSE(app.tray().ItemChecked(kMnuTrayTitleBar));
}

TEST_F(OptionTest, ListEditorButtonsMovesDeleteClearAndDrops) {
  for (const wchar_t* name : {L"a.bmp", L"b.bmp", L"c.bmp", L"d.bmp", L"X.BMP"}) WriteBitmap(dir_ / name, 4, 4, 0);
  test::WriteBytes(dir_ / L"zero.bmp", "");
  test::WriteBytes(dir_ / L"note.txt", "text");
  auto& app = Start();
  auto& option = Open();
  option.PickTab(2);
  HWND list = option.control(C::lstViewList);
  const auto buttons = [&] {
    return std::vector<bool>{Enabled(C::cmdViewDelete), Enabled(C::cmdViewMoveUp), Enabled(C::cmdViewMoveDown),
                             Enabled(C::cmdViewClear)};
  };
  // A drop onto the empty list: a.bmp taken, the text file passed over, the empty bitmap
  // stops the drop with one message, d.bmp is never looked at.
  test::DropFiles(list, {dir_ / L"a.bmp", dir_ / L"note.txt", dir_ / L"zero.bmp", dir_ / L"d.bmp"});
  EXPECT_EQ(option.ListEntries(), std::vector<std::wstring>{dir_ / L"a.bmp"});
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, L"無効なビットマップです。");
  EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false, true}));
  test::DropFiles(list, {dir_ / L"X.BMP", dir_ / L"b.bmp", dir_ / L"b.bmp"});  // upper case; twice the same
  EXPECT_EQ(option.ListEntries().size(), 4u);

  SelectEntry(0);
  EXPECT_EQ(buttons(), (std::vector<bool>{true, false, true, true}));
  SelectEntry(3);
  EXPECT_EQ(buttons(), (std::vector<bool>{true, true, false, true}));
  SelectEntry(1);
  EXPECT_EQ(buttons(), (std::vector<bool>{true, true, true, true}));
  // Down on the next-to-last: last, still selected, Down off and the focus on Up.
  SelectEntry(2);
  SetFocus(option.control(C::cmdViewMoveDown));
  SendMessageW(option.control(C::cmdViewMoveDown), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(buttons(), (std::vector<bool>{true, true, false, true}));
  EXPECT_EQ(GetFocus(), option.control(C::cmdViewMoveUp));
  // Up on the second: first, Up off, and the focus leaves the disabled button for Down.
  SelectEntry(1);
  SendMessageW(option.control(C::cmdViewMoveUp), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(option.ListEntries()[0], dir_ / L"X.BMP");
  EXPECT_EQ(buttons(), (std::vector<bool>{true, false, true, true}));
  EXPECT_EQ(GetFocus(), option.control(C::cmdViewMoveDown));

  // The Delete key: with a selection it removes the entry and keeps the focus in the list.
  SetFocus(list);
  SendMessageW(list, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(option.ListEntries().size(), 3u);
  EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false, true}));
  EXPECT_EQ(GetFocus(), list);
  SendMessageW(list, WM_SYSKEYDOWN, VK_DELETE, 0);  // Alt+Delete, nothing selected: nothing happens
  EXPECT_EQ(option.ListEntries().size(), 3u);
  // The Delete button on the only entry left empties the list and takes every button off.
  SelectEntry(0);
  SendMessageW(option.control(C::cmdViewDelete), BM_CLICK, 0, 0);
  EXPECT_EQ(GetFocus(), option.control(C::cmdViewAdd));
  SendMessageW(option.control(C::cmdViewClear), BM_CLICK, 0, 0);
  EXPECT_TRUE(option.ListEntries().empty());
  EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false, false}));

  // A long path widens the sideways scroll to its text.
  const std::wstring deep = dir_ / (std::wstring(150, L'x') + L".bmp");
  WriteBitmap(deep, 4, 4, 0);
  test::DropFiles(list, {deep});
  EXPECT_GT(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), 600);
  // Cleared and saved: an empty list file and the list in its empty form.
  SendMessageW(option.control(C::cmdViewClear), BM_CLICK, 0, 0);
  SendMessageW(option.okButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(ListFile(), "");
  EXPECT_EQ(app.state.gDummyList, (DummyList{L"", L""}));
}

TEST_F(OptionTest, ListFileThatCannotBeWrittenOrReadKeepsEverythingAndTheRestOfOkApplies) {
  WriteBitmap(dir_ / L"a.bmp", 4, 4, 0);
  WriteBitmap(dir_ / L"b.bmp", 4, 4, 0);
  // A picture deleted since, and one on a USB stick that is not plugged in.
  const std::string list = Ansi(dir_ / L"a.bmp") + "\r\n" + Ansi(dir_ / L"gone.bmp") + "\r\nQ:\\stick.bmp\r\n";
  test::WriteBytes(dir_ / L"MIREL.DAT", list);
  auto& app = Start();
  auto& option = Open();
  test::DropFiles(option.control(C::lstViewList), {dir_ / L"b.bmp"});
  Click(C::chkViewRandom);
  {
    auto locked = AdoptFileHandle(
        CreateFileW((dir_ / L"MIREL.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    SendMessageW(option.okButton(), BM_CLICK, 0, 0);
  }
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_NE(prompts_.messages[0].text.find(dir_ / L"MIREL.DAT"), std::wstring::npos);
  EXPECT_EQ(prompts_.messages[0].caption, L"警告");
  EXPECT_EQ(ListFile(), list);
  EXPECT_EQ(app.state.gDummyList, DummyList{dir_ / L"a.bmp"});
  EXPECT_TRUE(app.settings().viewRandom);
  EXPECT_EQ(ReadRegistry("ViewRandom", 0), 1);

  // Held by another program while the dialog opens, let go before OK: the list page says
  // so and cannot be changed, the file is not written over, the rest of OK applies.
  auto locked =
      AdoptFileHandle(CreateFileW((dir_ / L"MIREL.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  auto& unread = Open();
  Pump();
  locked.reset();
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[1].text,
            std::wstring(UiText(Text::kListUnreadableInOptions)) + L"\r\n" + (dir_ / L"MIREL.DAT"));
  EXPECT_FALSE(unread.listReadable());
  EXPECT_FALSE(IsWindowEnabled(unread.control(C::lstViewList)));
  EXPECT_FALSE(IsWindowEnabled(unread.control(C::cmdViewAdd)));
  test::DropFiles(unread.control(C::lstViewList), {dir_ / L"b.bmp"});
  Click(C::chkViewRandom);
  SendMessageW(unread.okButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(ListFile(), list);
  EXPECT_EQ(ReadRegistry("ViewRandom", 1), 0);
  EXPECT_EQ(prompts_.messages.size(), 2u);

  // Readable again: the deleted picture leaves the file, the one on the stick stays.
  SendMessageW(Open().okButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(ListFile(), Ansi(dir_ / L"a.bmp") + "\r\nQ:\\stick.bmp\r\n");
  EXPECT_EQ(app.state.gDummyList, DummyList{dir_ / L"a.bmp"});
}

TEST_F(OptionTest, PicturePathBrowseDropSwatchAndOk) {
  WriteBitmap(dir_ / L"old.bmp", 30, 20, 0);
  WriteBitmap(dir_ / L"NEW.BMP", 40, 30, 0);
  test::WriteBytes(dir_ / L"zero.bmp", "");
  test::WriteBytes(dir_ / L"broken.bmp", "BM not a bitmap");
  WriteRegistry("MainLoadFile", dir_ / L"old.bmp");
  WriteRegistry("MainBackColor", 0x000000FF);
  auto& app = Start();
  ASSERT_EQ(app.main().picture().width(), 30);
  auto& option = Open();
  HWND path = option.control(C::txtMainLoadFile);
  EXPECT_EQ(TextOf(path), dir_ / L"old.bmp");
  // Browse to an empty file: the warning, the text kept.
  prompts_.nextPath = dir_ / L"zero.bmp";
  Click(C::cmdMainRef);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, L"無効なビットマップです。");
  EXPECT_EQ(TextOf(path), dir_ / L"old.bmp");
  // Drops: a folder and a text file are ignored; only the first of several files counts.
  test::DropFiles(path, {dir_.path()});
  test::DropFiles(path, {dir_ / L"note.txt"});
  EXPECT_EQ(TextOf(path), dir_ / L"old.bmp");
  test::DropFiles(path, {dir_ / L"NEW.BMP", dir_ / L"old.bmp"});
  EXPECT_EQ(TextOf(path), dir_ / L"NEW.BMP");
  // The swatch: a pick, then a cancelled pick puts back the main window's colour.
  prompts_.colors = {0x0000FF00};
  Click(C::cmdMainBackColor);
  EXPECT_EQ(option.mainSwatch(), 0x0000FF00u);
  Click(C::cmdMainBackColor);
  EXPECT_EQ(option.mainSwatch(), 0x000000FFu);
  // A file that exists but is no picture: the warning with its path, the old picture kept,
  // the path stored all the same, and the rest of OK done.
  SetWindowTextW(path, (dir_ / L"broken.bmp").c_str());
  Click(C::chkAlwaysTop);
  prompts_.messages.clear();
  SendMessageW(option.okButton(), BM_CLICK, 0, 0);
  EXPECT_TRUE(app.main().pictureOnItsWay());  // decoded away from the windows, told once known
  test::PumpUntil([&] { return !app.main().pictureOnItsWay(); });
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, L"無効なビットマップです。\r\n" + (dir_ / L"broken.bmp"));
  EXPECT_EQ(app.main().picture().width(), 30);
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring()), dir_ / L"broken.bmp");
  EXPECT_EQ(ReadRegistry("AlwaysTop", 0), 1);
  option.Form_Unload();

  // A missing file: the two-line warning, stored anyway. An empty path clears the picture.
  auto& second = Open();
  SetWindowTextW(second.control(C::txtMainLoadFile), (dir_ / L"gone.bmp").c_str());
  prompts_.messages.clear();
  SendMessageW(second.okButton(), BM_CLICK, 0, 0);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, L"メインウィンドウに表示する画像が見つかりません。\r\n" + (dir_ / L"gone.bmp"));
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring()), dir_ / L"gone.bmp");
  second.Form_Unload();
  auto& third = Open();
  SetWindowTextW(third.control(C::txtMainLoadFile), L"");
  SendMessageW(third.okButton(), BM_CLICK, 0, 0);
  EXPECT_TRUE(app.main().picture().empty());
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring(L"x")), L"");
}

TEST_F(OptionTest, IntervalFilterReturnTypeFallbackAndContextHelp) {
  WriteRegistry("ReturnType", 7);
  WriteRegistry("DummyFit", 5);  // one past the last placement
  WriteRegistry("CheckMouseInterval", 300);
  test::WriteBytes(dir_ / L"MIREL.CHM", "ITSF");  // the viewer is scripted; the file need only be there
  auto& app = Start();
  auto& option = Open();
  EXPECT_TRUE(Checked(C::optReturnTypeSingle));
  EXPECT_FALSE(Checked(C::optReturnTypeDouble));
  EXPECT_EQ(app.settings().dummyFit, DummyFit::kNatural);
  EXPECT_EQ(FitShown(), (std::pair<LRESULT, std::wstring>(0, L"原寸で左上に")));
  HWND interval = option.control(C::txtCheckMouseInterval);
  EXPECT_EQ(TextOf(interval), L"300");
  // Typing: letters and signs never reach the box; digits and Backspace do.
  SetWindowTextW(interval, L"");
  for (const wchar_t typed : {L'4', L'a', L'-', L' ', L'2', L'\b', L'5'}) SendMessageW(interval, WM_CHAR, typed, 0);
  EXPECT_EQ(TextOf(interval), L"45");
  // A paste brings its digits only.
  if (OpenClipboard(option.hwnd())) {
    EmptyClipboard();
    const std::wstring pasted = L"1 x2";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(interval, EM_SETSEL, 2, 2);
    SendMessageW(interval, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(interval), L"4512");
  }
  // Text that is still no number at OK keeps the timer's interval.
  SetWindowTextW(interval, L"12x");
  SendMessageW(option.okButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(app.tray().WatchInterval(), 300u);
  EXPECT_EQ(ReadRegistry("ReturnType", 7), 0);
  EXPECT_EQ(ReadRegistry("DummyFit", 5), 0);
  option.Form_Unload();

  // Context help: the '?' pick on a control asks for its own topic, on a control without
  // one inside a frame for the frame's, elsewhere for none; F1 (WM_HELP) for the focused one.
  auto& again = Open();
  const auto pickAt = [&](C id) {
    PickPageOf(id);
    RECT rect{};
    GetWindowRect(again.control(id), &rect);
    prompts_.helpCalls.clear();
    again.ShowContextHelpAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    return prompts_.helpCalls.empty() ? std::wstring() : prompts_.helpCalls.back().target;
  };
  const auto topic = [&](const wchar_t* file) { return app.state.gHelpFile + L"::/" + file; };
  EXPECT_EQ(pickAt(C::cmdMainRef), topic(L"opt_main_browse.htm"));
  EXPECT_EQ(pickAt(C::chkNonTitleBar), topic(L"opt_hide_titlebar.htm"));
  EXPECT_EQ(pickAt(C::lstViewList), topic(L"opt_dummy_list.htm"));
  EXPECT_EQ(pickAt(C::cmdViewClear), topic(L"opt_dummy_clear.htm"));
  EXPECT_EQ(pickAt(C::cboDummyFit), topic(L"opt_dummy_fit.htm"));
  EXPECT_EQ(pickAt(C::chkDummyEveryMonitor), topic(L"opt_dummy_every_monitor.htm"));
  EXPECT_EQ(pickAt(C::chkCheckMouseFlagLeft), topic(L"opt_mouse_edges.htm"));
  EXPECT_EQ(pickAt(C::txtCheckMouseInterval), topic(L"opt_mouse_interval.htm"));
  EXPECT_EQ(pickAt(C::optReturnTypeDouble), topic(L"opt_return_type.htm"));
  EXPECT_EQ(pickAt(C::lblMainFileName), L"");
  EXPECT_EQ(pickAt(C::lblPassword), L"");
  PickPageOf(C::chkPassword);
  HELPINFO help{sizeof help, HELPINFO_WINDOW, 0, again.control(C::chkPassword), 25, {0, 0}};
  prompts_.helpCalls.clear();
  SendMessageW(again.control(C::chkPassword), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
  ASSERT_EQ(prompts_.helpCalls.size(), 1u);
  EXPECT_EQ(prompts_.helpCalls[0].target, topic(L"opt_password.htm"));
  EXPECT_EQ(prompts_.helpCalls[0].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
}

TEST_F(OptionTest, APasswordTheCodePageCannotHoldIsRefusedWhileAnyPicturePathIsKept) {
  WriteRegistry("Password", std::wstring(L"old"));
  WriteRegistry("RequirePassword", 1);
  WriteRegistry("MainLoadFile", std::wstring(L"C:\\old.bmp"));
  auto& app = Start();
  prompts_.messages.clear();  // the start-up's warning for the missing old.bmp
  auto& option = Open();
  // Code page 932 has no form of U+0100: the password would become another text, and the
  // picture's path is kept in Unicode.
  SetWindowTextW(option.control(C::txtPassword), L"p\u0100ss");
  SetWindowTextW(option.control(C::txtMainLoadFile), L"C:\\\u0100.bmp");
  Click(C::chkPassword);  // the requirement off: that much can be done without the new password
  Click(C::chkAlwaysTop);
  SendMessageW(option.okButton(), BM_CLICK, 0, 0);
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[0].text, std::wstring(UiText(Text::kPictureMissing)) + L"\r\nC:\\\u0100.bmp");
  EXPECT_NE(prompts_.messages[1].text.find(L"パスワード"), std::wstring::npos);
  EXPECT_EQ(ReadRegistryUnicode("MainLoadFile", std::wstring()), L"C:\\\u0100.bmp");
  EXPECT_EQ(ReadRegistry("Password", std::wstring()), L"old");
  EXPECT_EQ(ReadRegistry("RequirePassword", 1), 0);
  EXPECT_FALSE(app.settings().requirePassword);
  EXPECT_EQ(ReadRegistry("AlwaysTop", 0), 1);  // the rest of OK is done
  option.Form_Unload();
  // Turned on with a password that cannot be stored: it stays off, the old password kept.
  auto& again = Open();
  Click(C::chkPassword);
  SetWindowTextW(again.control(C::txtPassword), L"p\u0100ss");
  SendMessageW(again.okButton(), BM_CLICK, 0, 0);
  EXPECT_FALSE(app.settings().requirePassword);
  EXPECT_EQ(ReadRegistry("RequirePassword", 1), 0);
}

TEST_F(OptionTest, TheExtrasPageStoresEachSettingAndShowsItAgain) {
  auto& app = Start();
  auto& option = Open();
  // Defaults: every monitor, no key, the timer, no dwell, no pause.
  EXPECT_FALSE(Checked(C::chkPrimaryOnly));
  EXPECT_EQ(SendMessageW(option.control(C::hkyPanicKey), HKM_GETHOTKEY, 0, 0), 0);
  EXPECT_EQ(TextOf(option.control(C::txtDwellTime)), L"0");
  EXPECT_TRUE(Checked(C::chkEdgeIgnoreDrag));  // on unless turned off
  EXPECT_FALSE(Checked(C::chkEdgeCornersOnly));
  EXPECT_EQ(TextOf(option.control(C::txtIdleCover)), L"0");
  const UINT key = ((HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8) | VK_F9;
  SendMessageW(option.control(C::hkyPanicKey), HKM_SETHOTKEY, key, 0);
  Click(C::chkPrimaryOnly);
  Click(C::chkInstantEdges);
  Click(C::chkFullScreenPause);
  Click(C::chkQuietCover);
  SendMessageW(option.control(C::txtDwellTime), WM_CHAR, L'x', 0);  // no letters here either
  SetWindowTextW(option.control(C::txtDwellTime), L"300");
  Click(C::chkEdgeIgnoreDrag);
  Click(C::chkEdgeCornersOnly);
  SetWindowTextW(option.control(C::txtIdleCover), L"15");
  SendMessageW(option.okButton(), BM_CLICK, 0, 0);
  option.Form_Unload();
  EXPECT_EQ(ReadRegistry("EdgeIgnoreDrag", 1), 0);
  EXPECT_EQ(ReadRegistry("EdgeCornersOnly", 0), 1);
  EXPECT_EQ(ReadRegistry("IdleCoverMinutes", 0), 15);
  EXPECT_EQ(ReadRegistry("PanicKey", 0), static_cast<std::int32_t>(key));
  EXPECT_EQ(ReadRegistry("PrimaryOnly", 0), 1);
  EXPECT_EQ(ReadRegistry("InstantEdges", 0), 1);
  EXPECT_EQ(ReadRegistry("FullScreenPause", 0), 1);
  EXPECT_EQ(ReadRegistry("DwellTime", 0), 300);
  EXPECT_EQ(ReadRegistry("QuietCover", 0), 1);
  EXPECT_TRUE(app.tray().PanicKeyRegistered());
  EXPECT_EQ(app.settings().dwellTime, 300u);
  // The next start reads them back, and the dialog shows them.
  app_.reset();
  Pump();
  auto& again = Start();
  EXPECT_EQ(again.settings().panicKey, key);
  EXPECT_TRUE(again.settings().primaryOnly);
  EXPECT_TRUE(again.tray().PanicKeyRegistered());
  auto& shown = Open();
  EXPECT_EQ(static_cast<UINT>(SendMessageW(shown.control(C::hkyPanicKey), HKM_GETHOTKEY, 0, 0)), key);
  EXPECT_EQ(TextOf(shown.control(C::txtDwellTime)), L"300");
  EXPECT_TRUE(Checked(C::chkInstantEdges));
  EXPECT_FALSE(Checked(C::chkEdgeIgnoreDrag));
  EXPECT_TRUE(Checked(C::chkEdgeCornersOnly));
  EXPECT_EQ(TextOf(shown.control(C::txtIdleCover)), L"15");
  // A dwell beyond ten seconds is no dwell, an idle time beyond a day no idle cover.
  SetWindowTextW(shown.control(C::txtDwellTime), L"99999");
  SetWindowTextW(shown.control(C::txtIdleCover), L"1441");
  SendMessageW(shown.okButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadRegistry("DwellTime", -1), 0);
  EXPECT_EQ(ReadRegistry("IdleCoverMinutes", -1), 0);
}

TEST_F(OptionTest, StartWithWindowsIsTheRunValueAndTaskManagersSwitch) {
  const wchar_t* run = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  const wchar_t* approved = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
  const auto runValue = [&]() -> std::wstring {
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, run, L"Mirel", RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
      return L"(none)";
    return text;
  };
  const auto setRun = [&](const std::wstring& command) {
    RegSetKeyValueW(HKEY_CURRENT_USER, run, L"Mirel", REG_SZ, command.c_str(),
                    static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  };
  const auto setApproved = [&](BYTE first) {
    const BYTE entry[12] = {first};
    RegSetKeyValueW(HKEY_CURRENT_USER, approved, L"Mirel", REG_BINARY, entry, sizeof entry);
  };
  RegDeleteKeyValueW(HKEY_CURRENT_USER, run, L"Mirel");
  RegDeleteKeyValueW(HKEY_CURRENT_USER, approved, L"Mirel");
  const std::wstring quoted = L"\"" + ExePath() + L"\"";
  Start();
  // Ticked: the running exe, quoted. Nothing in Mirel's own key.
  Open();
  EXPECT_FALSE(Checked(C::chkStartWithWindows));
  Click(C::chkStartWithWindows);
  SendMessageW(option_->okButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(runValue(), quoted);
  EXPECT_FALSE(Stored("StartWithWindows"));
  // Turned off in Task Manager: the box shows off; ticked again, it is on again.
  setApproved(0x03);
  Open();
  EXPECT_FALSE(Checked(C::chkStartWithWindows));
  Click(C::chkStartWithWindows);
  SendMessageW(option_->okButton(), BM_CLICK, 0, 0);
  Open();
  EXPECT_TRUE(Checked(C::chkStartWithWindows));
  // Unticked: the value goes.
  Click(C::chkStartWithWindows);
  SendMessageW(option_->okButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(runValue(), L"(none)");
  // Another copy's entry stays until the box is ticked, then names this copy.
  setRun(L"\"C:\\Other\\Mirel.exe\" /x");
  Open();
  EXPECT_FALSE(Checked(C::chkStartWithWindows));
  SendMessageW(option_->okButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(runValue(), L"\"C:\\Other\\Mirel.exe\" /x");
  Open();
  Click(C::chkStartWithWindows);
  SendMessageW(option_->okButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(runValue(), quoted);
  EXPECT_TRUE(prompts_.messages.empty());
  // An unquoted value in a folder with a space, which Windows starts all the same: this
  // copy, under its short name or in other letter case too. Once a "Taro.exe" is there,
  // Windows starts that one instead.
  const std::wstring folder = dir_ / L"Taro Yamada";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring copy = folder + L"\\Mirel.exe";
  ASSERT_TRUE(CopyFileW(ExePath().c_str(), copy.c_str(), TRUE));
  wchar_t shortName[MAX_PATH] = {};
  GetShortPathNameW(copy.c_str(), shortName, MAX_PATH);
  for (const std::wstring& value : {copy + L" /min", std::wstring(shortName), L"\\\\?\\" + copy}) {
    setRun(value);
    EXPECT_TRUE(StartsWithWindows(copy)) << WideToUtf8(value);
    EXPECT_FALSE(StartsWithWindows(ExePath())) << WideToUtf8(value);
  }
  CharUpperW(shortName);
  setRun(shortName);
  EXPECT_TRUE(StartsWithWindows(copy));
  setRun(copy);
  test::WriteBytes(dir_ / L"Taro.exe", "MZ");
  EXPECT_FALSE(StartsWithWindows(copy));
  EXPECT_TRUE(SetStartWithWindows(copy, false));
  EXPECT_EQ(runValue(), copy);  // another program's entry: left alone
  RegDeleteKeyValueW(HKEY_CURRENT_USER, run, L"Mirel");
}

}  // namespace
}  // namespace mirel
