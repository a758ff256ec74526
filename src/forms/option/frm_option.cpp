#include "forms/option/frm_option.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "app/application.h"
#include "app/colors.h"
#include "app/help.h"
#include "app/window_utils.h"
#include "dialogs/bitmap_name.h"
#include "dialogs/common_dialogs.h"
#include "forms/main/frm_main.h"
#include "forms/option/option_rules.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/system_dll.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "settings/settings.h"

namespace mirel {

namespace {

constexpr const wchar_t* kOptionClass = L"MirelOption";
constexpr const wchar_t* kPageClass = L"MirelOptionPage";
// Said once the dialog is on the screen, so that the warning has it as its owner.
constexpr UINT kListUnreadableMessage = WM_APP + 20;
constexpr int kClientWidthTwips = 5565;
constexpr int kClientHeightTwips = 4530;
// Where the client area's top-left corner is designed to be, from the screen's corner.
constexpr int kDesignedLeftTwips = 5070;
constexpr int kDesignedTopTwips = 3720;
constexpr int kTabOption[4] = {120, 120, 5355, 3915};
constexpr int kPage[4] = {240, 420, 5115, 3495};
constexpr int kCmdOK[4] = {2700, 4140, 1335, 315};
constexpr int kCmdCancel[4] = {4140, 4140, 1335, 315};

constexpr const wchar_t* kUnstorablePicturePath =
    L"このパスはシステムの文字コードで保存できないため、画像に設定できません。\r\n";

DWORD StyleOf(const OptionControlEntry& entry) {
  // Every control starts a group of its own but the second option button, so that the
  // arrow keys move between the two return conditions and nowhere else.
  const DWORD group = entry.id == OptionControl::optReturnTypeDouble ? 0 : WS_GROUP;
  switch (entry.kind) {
    case ControlKind::kFrame: return BS_GROUPBOX | group;
    case ControlKind::kLabel: return SS_LEFT | group;
    case ControlKind::kSwatch: return SS_LEFT | SS_SUNKEN | SS_NOPREFIX | group;
    case ControlKind::kEdit: return ES_AUTOHSCROLL | WS_TABSTOP | group;
    case ControlKind::kButton: return BS_PUSHBUTTON | WS_TABSTOP | group;
    case ControlKind::kSwatchButton: return BS_OWNERDRAW | WS_TABSTOP | group;
    case ControlKind::kCheck: return BS_AUTOCHECKBOX | WS_TABSTOP | group;
    case ControlKind::kRadio: return BS_AUTORADIOBUTTON | group;
    case ControlKind::kHotKey: return WS_TABSTOP | group;
    case ControlKind::kList:
      return LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_BORDER | group;
  }
  return group;
}

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
    case ControlKind::kSwatch: return L"STATIC";
    case ControlKind::kEdit: return L"EDIT";
    case ControlKind::kList: return L"LISTBOX";
    case ControlKind::kHotKey: return HOTKEY_CLASSW;
    default: return L"BUTTON";
  }
}

// Labels, check boxes and option buttons grow when their caption needs more room in the
// font at hand than the layout gives (a Japanese UI font can be wider than the one the
// layout was drawn for): to the right up to the next control on their row or the page's
// edge, or, where that is too close, to the left as a right-aligned label. They never shrink.
void WidenToCaption(HWND control, ControlKind kind) {
  if (kind != ControlKind::kLabel && kind != ControlKind::kCheck && kind != ControlKind::kRadio) return;
  wchar_t caption[128] = {};
  const int length = GetWindowTextW(control, caption, 128);
  if (length <= 0) return;
  RECT text{};
  {
    WindowDc dc(control);
    SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    DrawTextW(dc.get(), caption, length, &text, DT_CALCRECT | DT_SINGLELINE);
  }
  int needed = text.right + 1;
  if (kind != ControlKind::kLabel) needed += GetSystemMetrics(SM_CXMENUCHECK) + 2 * GetSystemMetrics(SM_CXEDGE);
  HWND page = GetParent(control);
  const auto placeOf = [page](HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  };
  const RECT place = placeOf(control);
  if (needed <= place.right - place.left) return;
  RECT pageRect{};
  GetClientRect(page, &pageRect);
  LONG limit = pageRect.right;
  for (HWND other = GetWindow(page, GW_CHILD); other; other = GetWindow(other, GW_HWNDNEXT)) {
    const RECT rect = placeOf(other);
    const bool sameRow = rect.top < place.bottom && rect.bottom > place.top;
    const bool isFrame = (GetWindowLongW(other, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
                         SendMessageW(other, WM_GETDLGCODE, 0, 0) & DLGC_STATIC;
    if (other != control && sameRow && !isFrame && rect.left >= place.right) limit = std::min(limit, rect.left - 2);
  }
  const int height = place.bottom - place.top;
  if (place.left + needed <= limit) {
    SetWindowPos(control, nullptr, 0, 0, needed, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (kind == ControlKind::kLabel) {
    const LONG left = std::max<LONG>(GetSystemMetrics(SM_CXEDGE) * 2, place.right - needed);
    SetWindowLongW(control, GWL_STYLE, (GetWindowLongW(control, GWL_STYLE) & ~SS_TYPEMASK) | SS_RIGHT);
    SetWindowPos(control, nullptr, left, place.top, place.right - left, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetWindowPos(control, nullptr, 0, 0, limit - place.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

void frmOption::ShowModal(Application& app, HWND owner) {
  frmOption option(app, owner);
  option.Form_Load();
  if (option.hwnd()) option.RunModalLoop();
  option.Form_Unload();
}

frmOption::frmOption(Application& app, HWND owner) : app_(app), owner_(owner) {
  for (auto& page : pages_) page = std::make_unique<Page>(*this);
}

frmOption::~frmOption() { Form_Unload(); }

void frmOption::Form_Load() {
  // 1.-2. The watch pauses and an always-in-front main window cannot cover the dialog.
  app_.ModalWindowLoading();

  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_WIN95_CLASSES | ICC_HOTKEY_CLASS};
  sys::InitCommonControlsEx(&classes);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP | WS_EX_CONTROLPARENT;
  // Owned by the main window: no taskbar button, and always above its owner.
  if (!Create(kOptionClass, exStyle, L"オプション", style, owner_)) return;

  // 3. The four pages, in order.
  LoadMainWindowPage();
  LoadDummyWindowPage();
  LoadMousePage();
  LoadReturnPage();
  LoadExtrasPage();
  if (!listReadable()) PostMessageW(hwnd(), kListUnreadableMessage, 0, 0);
}

void frmOption::OnInitDialog() {
  PlaceAtDesignedPlace();
  CreateControls();
}

void frmOption::PlaceAtDesignedPlace() {
  const unsigned dpi = Dpi();
  const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
  const LONG exStyle = GetWindowLongW(hwnd(), GWL_EXSTYLE);
  RECT frame{TwipsToPixels(kDesignedLeftTwips, dpi), TwipsToPixels(kDesignedTopTwips, dpi), 0, 0};
  frame.right = frame.left + TwipsToPixels(kClientWidthTwips, dpi);
  frame.bottom = frame.top + TwipsToPixels(kClientHeightTwips, dpi);
  AdjustWindowRectEx(&frame, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(exStyle));
  // On a small screen or at a high DPI the designed place can lie off screen: the dialog
  // then moves the least distance that puts it wholly on the main window's monitor.
  ScreenRect placed{frame.left, frame.top, frame.right, frame.bottom};
  if (const auto areas = AreasOf(MonitorFromWindow(app_.main().hwnd(), MONITOR_DEFAULTTOPRIMARY)))
    placed = KeepInside(placed, areas->work);
  SetWindowPos(hwnd(), nullptr, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmOption::CreateControls() {
  const unsigned dpi = Dpi();
  font_.reset(CreateMessageFont(dpi));
  // Pages first, then OK and Cancel, then the tab strip: the keyboard order runs through
  // the page shown, the two buttons and the strip, and the strip lies under the pages.
  for (int index = 0; index < kOptionPageCount; ++index) pages_[static_cast<std::size_t>(index)]->Create(hwnd(), index);
  for (const auto& entry : kOptionControls) {
    const int place[4] = {entry.place.left, entry.place.top, entry.place.width, entry.place.height};
    const auto index = static_cast<std::size_t>(entry.id);
    HWND control = CreateTwipsControl(page(entry.page), ClassOf(entry.kind), entry.caption, StyleOf(entry),
                                      kOptionControlIdBase + static_cast<int>(entry.id), place, font_.get());
    controls_[index] = control;
    if (!control) continue;
    if (entry.help) SetWindowContextHelpId(control, entry.help);
    if (entry.offAtCreation) EnableWindow(control, FALSE);
  }
  for (const auto& entry : kOptionControls)
    if (HWND control = this->control(entry.id)) WidenToCaption(control, entry.kind);
  cmdOK_ = CreateTwipsControl(hwnd(), L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, kCmdOK,
                              font_.get());
  cmdCancel_ = CreateTwipsControl(hwnd(), L"BUTTON", L"キャンセル", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, IDCANCEL,
                                  kCmdCancel, font_.get());
  tabOption_ = CreateTwipsControl(hwnd(), WC_TABCONTROLW, L"", WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS, kOptionTabId,
                                  kTabOption, font_.get());
  // Five Japanese captions in one row: the tabs keep a narrow margin around their text.
  SendMessageW(tabOption_, TCM_SETPADDING, 0, MAKELPARAM(3, 3));
  for (int tab = 0; tab < kOptionPageCount; ++tab) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(kOptionTabCaptions[tab]);
    SendMessageW(tabOption_, TCM_INSERTITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
  }
  // Tab 1 and its page; the others wait hidden.
  SendMessageW(tabOption_, TCM_SETCURSEL, 0, 0);
  mPrevTab = 1;
  ShowWindow(page(0), SW_SHOW);

  // The path box and the list take dropped files; the interval box filters what it is given.
  for (const auto id : {OptionControl::txtMainLoadFile, OptionControl::lstViewList, OptionControl::txtCheckMouseInterval,
                        OptionControl::txtDwellTime}) {
    HWND control = this->control(id);
    if (!control) continue;
    if (id == OptionControl::txtMainLoadFile || id == OptionControl::lstViewList)
      SetWindowLongW(control, GWL_EXSTYLE, GetWindowLongW(control, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    // Digits come from the keyboard as they are; an input method would put its text in
    // past the filter.
    if (id == OptionControl::txtCheckMouseInterval || id == OptionControl::txtDwellTime)
      sys::ImmAssociateContextEx(control, nullptr, 0);
    sys::SetWindowSubclass(control, ControlProc, static_cast<UINT_PTR>(id), reinterpret_cast<DWORD_PTR>(this));
  }

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  for (const auto& entry : kOptionControls) {
    HWND control = this->control(entry.id);
    if (!entry.tooltip || !control || !tooltip_) continue;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = page(entry.page);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(entry.tooltip);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void frmOption::RunModalLoop() {
  app_.RunModal(hwnd(), control(OptionControl::txtMainLoadFile), closed_, nullptr, true,
                [this](MSG& msg) { return PreTranslate(msg); });
}

// The dialog manager gives Tab, the access keys, Enter for the focused button (otherwise
// OK) and Esc; it knows no pages, so Ctrl+Tab and Ctrl+Shift+Tab switch them here, as in
// the system's property sheets.
bool frmOption::PreTranslate(MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd))) return false;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  if (msg.wParam == VK_TAB && control) {
    const bool focusOnPage = IsChild(page(selectedTab() - 1), GetFocus());
    PickTab(NeighbourTab(selectedTab(), kOptionPageCount, GetKeyState(VK_SHIFT) < 0 ? -1 : 1));
    // The focus follows into the page now shown, as in the system's property sheets.
    if (focusOnPage) {
      HWND first = GetNextDlgTabItem(page(selectedTab() - 1), nullptr, FALSE);
      if (first) SetFocus(first);
    }
    return true;
  }
  return false;
}

void frmOption::cmdOK_Click() {
  SaveMainWindowPage();
  SaveDummyWindowPage();
  SaveMousePage();
  SaveReturnPage();
  SaveExtrasPage();
  closed_ = true;
}

void frmOption::cmdCancel_Click() {
  SetTopMost(app_.main().hwnd(), app_.state.gAlwaysTop);
  closed_ = true;
}

void frmOption::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  closed_ = true;
  // 1.-2. The topmost band from gAlwaysTop; the watch on when it is on and the main window hidden.
  app_.ModalWindowUnloaded();
  Destroy();
}

int frmOption::selectedTab() const {
  return tabOption_ ? static_cast<int>(SendMessageW(tabOption_, TCM_GETCURSEL, 0, 0)) + 1 : 1;
}

void frmOption::tabOption_BeforeClick() { mPrevTab = static_cast<std::int16_t>(selectedTab()); }

void frmOption::tabOption_Click() {
  const auto change = SwitchPages(mPrevTab, selectedTab());
  if (!change) return;
  // The new page shows before the old one goes, so the dialog never shows an empty page.
  ShowWindow(page(change->show), SW_SHOW);
  ShowWindow(page(change->hide), SW_HIDE);
}

void frmOption::PickTab(int tab) {
  tabOption_BeforeClick();
  SendMessageW(tabOption_, TCM_SETCURSEL, static_cast<WPARAM>(tab - 1), 0);
  tabOption_Click();
}

// ---- Control helpers ----

bool frmOption::Checked(OptionControl id) const {
  return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void frmOption::SetChecked(OptionControl id, bool checked) {
  SendMessageW(control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void frmOption::Enable(OptionControl id, bool enabled) { EnableWindow(control(id), enabled ? TRUE : FALSE); }

std::wstring frmOption::Text(OptionControl id) const {
  HWND window = control(id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void frmOption::SetText(OptionControl id, const std::wstring& text) { SetWindowTextW(control(id), text.c_str()); }

void frmOption::SetSwatch(std::uint32_t& swatch, UniqueBrush& brush, OptionControl id, std::uint32_t color) {
  swatch = color;
  brush.reset(CreateSolidBrush(ResolveColor(color)));
  InvalidateRect(control(id), nullptr, TRUE);
}

// ---- The main window page ----

void frmOption::LoadMainWindowPage() {
  const auto& s = app_.state;
  SetChecked(OptionControl::chkAlwaysTop, s.gAlwaysTop);
  SetChecked(OptionControl::chkNonTitleBar, s.gNonTitleBar);
  SetChecked(OptionControl::chkAutoAdjust, s.gAutoAdjust);
  SetText(OptionControl::txtMainLoadFile, Read(settings::kMainLoadFile));
  SetSwatch(mainSwatch_, mainSwatchBrush_, OptionControl::lblMainBackColor, app_.main().backColor());
  if (Checked(OptionControl::chkNonTitleBar)) Enable(OptionControl::chkAutoAdjust, true);
}

void frmOption::chkNonTitleBar_Click() {
  Enable(OptionControl::chkAutoAdjust, Checked(OptionControl::chkNonTitleBar));
}

void frmOption::cmdMainRef_Click() {
  const std::wstring path = app_.prompts().OpenFile(hwnd(), BitmapFilter(), CurrentFolder());
  if (path.empty()) return;
  if (IsValidBitmapFile(path)) {
    SetText(OptionControl::txtMainLoadFile, path);
  } else {
    app_.prompts().Warn(hwnd(), kInvalidBitmapText);
  }
}

void frmOption::txtMainLoadFile_OLEDragDrop(const std::vector<std::wstring>& files) {
  if (files.empty()) return;
  const std::wstring& path = files.front();  // only the first file counts
  if (IsDirectory(path) || !HasBitmapExtension(path)) return;
  if (!IsValidBitmapFile(path)) {
    SetFocus(hwnd());
    app_.prompts().Warn(hwnd(), kInvalidBitmapText);
    return;
  }
  SetText(OptionControl::txtMainLoadFile, path);
}

void frmOption::cmdMainBackColor_Click() {
  // From the main window's colour, not the swatch's: a cancel puts that colour back.
  SetSwatch(mainSwatch_, mainSwatchBrush_, OptionControl::lblMainBackColor,
            app_.prompts().Color(hwnd(), app_.main().backColor()));
}

void frmOption::SaveMainWindowPage() {
  auto& s = app_.state;
  auto& main = app_.main();
  auto& prompts = app_.prompts();
  // 1. The picture. A path that the settings cannot hold is refused before anything changes.
  const std::wstring path = Text(OptionControl::txtMainLoadFile);
  std::optional<std::string> stored = std::string();
  if (!path.empty()) {
    stored = FileExistsNormal(path) ? StorablePath(path) : WideToAnsiExact(path);
    if (!stored) {
      prompts.Warn(hwnd(), kUnstorablePicturePath + path);
    } else if (!FileExistsNormal(path)) {
      prompts.Warn(hwnd(), std::wstring(kPictureMissingText) + L"\r\n" + path);
    } else {
      Picture loaded;
      if (LoadPicture(path, loaded) == PictureLoad::kOk) {
        main.SetPicture(std::move(loaded));
      } else {
        prompts.Warn(hwnd(), std::wstring(kInvalidBitmapText) + L"\r\n" + path);  // the old picture stays
      }
    }
  } else {
    main.SetPicture(Picture());
  }
  // 2. The colour, for the window and its picture box alike.
  main.SetBackColor(mainSwatch_);
  // 3. The title bar, only when the box was changed; the menu bar and the tray mark follow.
  if (Checked(OptionControl::chkNonTitleBar) != s.gNonTitleBar) {
    s.gNonTitleBar = !s.gNonTitleBar;
    ToggleTitleBar(main.hwnd());
    main.SetMenusVisible(!s.gNonTitleBar);
    auto& tray = app_.tray();
    tray.SetItemChecked(kMnuTrayTitleBar, !tray.ItemChecked(kMnuTrayTitleBar));
  }
  // 4. The fit.
  if (s.gNonTitleBar && Checked(OptionControl::chkAutoAdjust)) main.FitWindowToPicture();
  // 5. The flags; the topmost band itself is set as the dialog closes.
  s.gAlwaysTop = Checked(OptionControl::chkAlwaysTop);
  s.gAutoAdjust = Checked(OptionControl::chkAutoAdjust);
  // 6. Stored, the path also when its file is missing.
  if (stored) WriteAnsi(settings::kMainLoadFile, *stored);
  Write(settings::kMainBackColor, mainSwatch_);
  Write(settings::kAlwaysTop, s.gAlwaysTop);
  Write(settings::kAutoAdjust, s.gAutoAdjust);
}

// ---- Messages ----

void frmOption::Command(int id, int code, HWND from) {
  (void)from;
  if (id == IDOK) return cmdOK_Click();
  if (id == IDCANCEL) return cmdCancel_Click();
  const int index = id - kOptionControlIdBase;
  if (index < 0 || index >= static_cast<int>(OptionControl::kCount)) return;
  const auto control = static_cast<OptionControl>(index);
  if (control == OptionControl::lstViewList) {
    if (code == LBN_SELCHANGE) lstViewList_Click();
    return;
  }
  if (code != BN_CLICKED) return;
  switch (control) {
    case OptionControl::chkNonTitleBar: chkNonTitleBar_Click(); break;
    case OptionControl::chkCheckMouse: chkCheckMouse_Click(); break;
    case OptionControl::chkPassword: chkPassword_Click(); break;
    case OptionControl::cmdMainRef: cmdMainRef_Click(); break;
    case OptionControl::cmdMainBackColor: cmdMainBackColor_Click(); break;
    case OptionControl::lblViewBackColor: lblViewBackColor_Click(); break;
    case OptionControl::cmdViewAdd: cmdViewAdd_Click(); break;
    case OptionControl::cmdViewDelete: cmdViewDelete_Click(); break;
    case OptionControl::cmdViewMoveUp: cmdViewMove_Click(0); break;
    case OptionControl::cmdViewMoveDown: cmdViewMove_Click(1); break;
    case OptionControl::cmdViewClear: cmdViewClear_Click(); break;
    case OptionControl::optReturnTypeSingle:
    case OptionControl::optReturnTypeDouble: UpdateReturnTabStop(); break;
    default: break;
  }
}

void frmOption::ShowContextHelpAt(POINT screen) {
  // The smallest visible control under the point; when it has no topic, the smallest
  // frame around it that has one (a check box in the edges frame shows the frame's topic).
  HWND best = nullptr;
  HWND bestWithTopic = nullptr;
  LONGLONG bestArea = LLONG_MAX;
  LONGLONG bestTopicArea = LLONG_MAX;
  const auto visit = [&](HWND parent, const auto& self) -> void {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT rect{};
      if (!IsWindowVisible(child) || !GetWindowRect(child, &rect) || !PtInRect(&rect, screen)) continue;
      const LONGLONG area = static_cast<LONGLONG>(rect.right - rect.left) * (rect.bottom - rect.top);
      if (area < bestArea) {
        bestArea = area;
        best = child;
      }
      if (GetWindowContextHelpId(child) && area < bestTopicArea) {
        bestTopicArea = area;
        bestWithTopic = child;
      }
      self(child, self);
    }
  };
  visit(hwnd(), visit);
  DWORD number = best ? GetWindowContextHelpId(best) : 0;
  if (!number && bestWithTopic) number = GetWindowContextHelpId(bestWithTopic);
  if (number) ShowContextHelp(app_, hwnd(), number);
}

void frmOption::RunContextHelpPick() {
  // The title bar's '?': the pointer becomes the help pointer until the next click, and
  // the control clicked shows its topic. Esc or the right button ends it without one.
  HCURSOR helpCursor = LoadCursorW(nullptr, IDC_HELP);
  SetCapture(hwnd());
  SetCursor(helpCursor);
  MSG msg;
  bool picking = true;
  while (picking && GetCapture() == hwnd()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_NCMOUSEMOVE:
        SetCursor(helpCursor);
        break;
      case WM_LBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
        picking = false;
        ReleaseCapture();
        ShowContextHelpAt(msg.pt);
        break;
      case WM_RBUTTONDOWN:
      case WM_NCRBUTTONDOWN:
        picking = false;
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (msg.wParam == VK_ESCAPE) picking = false;
        break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_LBUTTONDBLCLK:
      case WM_CHAR:
        break;
      default:
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        break;
    }
  }
  if (GetCapture() == hwnd()) ReleaseCapture();
}

LRESULT frmOption::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == tabOption_) {
        if (header->code == TCN_SELCHANGING) tabOption_BeforeClick();
        if (header->code == TCN_SELCHANGE) tabOption_Click();
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == control(OptionControl::lblMainBackColor) && mainSwatchBrush_) {
        SetBkColor(reinterpret_cast<HDC>(wParam), ResolveColor(mainSwatch_));
        return reinterpret_cast<LRESULT>(mainSwatchBrush_.get());
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->hwndItem == control(OptionControl::lblViewBackColor)) {
        DrawSwatchButton(*item);
        return TRUE;
      }
      break;
    }
    case WM_HELP: {
      // F1 on a control, or a '?' pick that the system made: the control's topic.
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      DWORD number = static_cast<DWORD>(info->dwContextId);
      if (!number && info->iContextType == HELPINFO_WINDOW)
        number = GetWindowContextHelpId(static_cast<HWND>(info->hItemHandle));
      if (number) ShowContextHelp(app_, hwnd(), number);
      return TRUE;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CONTEXTHELP) {
        RunContextHelpPick();
        return 0;
      }
      break;
    case WM_CLOSE:
      cmdCancel_Click();
      return 0;
    case kListUnreadableMessage:
      WarnIfListUnreadable();
      return 0;
    case WM_SYSCOLORCHANGE:
      // The swatches of system colours show the user's new colours.
      SetSwatch(mainSwatch_, mainSwatchBrush_, OptionControl::lblMainBackColor, mainSwatch_);
      SetSwatch(viewSwatch_, viewSwatchBrush_, OptionControl::lblViewBackColor, viewSwatch_);
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

bool frmOption::Page::Create(HWND parent, int index) {
  ClassSpec cls{kPageClass, 0, nullptr, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};
  const unsigned dpi = WindowDpi(parent);
  return Window::Create(cls, WS_EX_CONTROLPARENT, L"", WS_CHILD | WS_CLIPSIBLINGS, TwipsToPixels(kPage[0], dpi),
                        TwipsToPixels(kPage[1], dpi), TwipsToPixels(kPage[2], dpi), TwipsToPixels(kPage[3], dpi),
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(900 + index)));
}

LRESULT frmOption::Page::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
    case WM_HELP:
      if (const auto answer = owner_.Forward(message, wParam, lParam)) return *answer;
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

}  // namespace mirel
