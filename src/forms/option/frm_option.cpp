#include "forms/option/frm_option.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "app/application.h"
#include "app/help.h"
#include "core/option_rules.h"
#include "core/twips.h"
#include "core/ui_text.h"
#include "forms/option/dummy_page.h"
#include "forms/option/main_page.h"
#include "platform/controls.h"
#include "platform/system_dll.h"

namespace mirel {

namespace {

constexpr const wchar_t* kOptionClass = L"MirelOption";
// Once the dialog is on the screen: what a page tells as it opens has it as its owner.
constexpr UINT kShownMessage = WM_APP + 20;
constexpr int kClientWidthTwips = 5565;
// The dummy window page's picture placement made every page 660 twips taller than the
// first release's.
constexpr int kClientHeightTwips = 5190;
// Where the client area's top-left corner is designed to be, from the screen's corner.
constexpr int kDesignedLeftTwips = 5070;
constexpr int kDesignedTopTwips = 3720;
constexpr int kTabOption[4] = {120, 120, 5355, 4575};
constexpr int kPage[4] = {240, 420, 5115, 4155};  // as the pages lie in the dialog
constexpr int kCmdOK[4] = {2700, 4800, 1335, 315};
constexpr int kCmdCancel[4] = {4140, 4800, 1335, 315};

DWORD StyleOf(const OptionControlEntry& entry) {
  // Every control starts a group of its own but the second option button, so that the
  // arrow keys move between the two return conditions and nowhere else.
  const DWORD group = entry.id == OptionControl::optReturnTypeDouble ? 0 : WS_GROUP;
  switch (entry.kind) {
    case ControlKind::kFrame: return BS_GROUPBOX | group;
    case ControlKind::kLabel: return SS_LEFT | group;
    // Drawn by the dialog, which leaves its caption (what a screen reader says) unshown.
    case ControlKind::kSwatch: return SS_OWNERDRAW | SS_SUNKEN | group;
    case ControlKind::kEdit: return ES_AUTOHSCROLL | WS_TABSTOP | group;
    case ControlKind::kButton: return BS_PUSHBUTTON | WS_TABSTOP | group;
    case ControlKind::kSwatchButton: return BS_OWNERDRAW | WS_TABSTOP | group;
    case ControlKind::kCheck: return BS_AUTOCHECKBOX | WS_TABSTOP | group;
    case ControlKind::kRadio: return BS_AUTORADIOBUTTON | group;
    case ControlKind::kHotKey: return WS_TABSTOP | group;
    case ControlKind::kList:
      return LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_BORDER | group;
    case ControlKind::kDropDownList: return CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | group;
  }
  return group;
}

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
    case ControlKind::kSwatch: return L"STATIC";
    case ControlKind::kEdit: return L"EDIT";
    case ControlKind::kList: return L"LISTBOX";
    case ControlKind::kDropDownList: return WC_COMBOBOXW;
    case ControlKind::kHotKey: return HOTKEY_CLASSW;
    default: return L"BUTTON";
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
  OptionFrame& frame = *this;
  auto main = std::make_unique<MainWindowPage>(frame);
  auto dummy = std::make_unique<DummyWindowPage>(frame);
  mainPage_ = main.get();
  dummyPage_ = dummy.get();
  pages_ = {std::move(main), std::move(dummy), MakeMousePage(frame), MakeReturnPage(frame), MakeExtrasPage(frame)};
}

frmOption::~frmOption() {
  Form_Unload();
}

void frmOption::Form_Load() {
  // 1.-2. The watch pauses and an always-in-front main window cannot cover the dialog.
  app_.ModalWindowLoading();

  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_WIN95_CLASSES | ICC_HOTKEY_CLASS};
  sys::InitCommonControlsEx(&classes);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP | WS_EX_CONTROLPARENT;
  // Owned by the main window: no taskbar button, and always above its owner.
  if (!Create(kOptionClass, exStyle, UiText(Text::kOptionCaption), style, owner_)) return;

  // 3. The pages, in order, from the settings in force.
  for (const auto& page : pages_) page->Load(app_.settings());
  PostMessageW(hwnd(), kShownMessage, 0, 0);
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
  if (const auto areas = AreasOf(MonitorFromWindow(app_.mainWindow(), MONITOR_DEFAULTTOPRIMARY)))
    placed = KeepInside(placed, areas->work);
  SetWindowPos(hwnd(), nullptr, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmOption::CreateControls() {
  CreateFont();
  highContrast_ = HighContrastOn();
  // Pages first, then OK and Cancel, then the tab strip: the keyboard order runs through
  // the page shown, the two buttons and the strip, and the strip lies under the pages.
  for (int index = 0; index < kOptionPageCount; ++index) {
    pages_[static_cast<std::size_t>(index)]->Create(hwnd(), Dpi());
    KeepAtTwips(page(index), kPage);
  }
  WidenCaptions();
  cmdOK_ = CreateTwipsChild(hwnd(), L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, kCmdOK);
  cmdCancel_ = CreateTwipsChild(hwnd(), L"BUTTON", UiText(Text::kCancelButton), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                                IDCANCEL, kCmdCancel);
  tabOption_ = CreateTwipsChild(hwnd(), WC_TABCONTROLW, UiText(Text::kTabStripName),
                                WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS, kOptionTabId, kTabOption);
  // Five Japanese captions in one row: the tabs keep a narrow margin around their text.
  SendMessageW(tabOption_, TCM_SETPADDING, 0, MAKELPARAM(3, 3));
  for (int tab = 0; tab < kOptionPageCount; ++tab) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(UiText(kOptionTabCaptions[tab]));
    SendMessageW(tabOption_, TCM_INSERTITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
  }
  // Tab 1 and its page; the others wait hidden.
  SendMessageW(tabOption_, TCM_SETCURSEL, 0, 0);
  mPrevTab = 1;
  ShowWindow(page(0), SW_SHOW);

  tooltip_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  for (const auto& entry : kOptionControls) {
    HWND control = this->control(entry.id);
    if (!OptionTooltip(entry.id) || !control || !tooltip_) continue;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = page(entry.page);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(OptionTooltip(entry.id));
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void frmOption::WidenCaptions() {
  for (const auto& entry : kOptionControls)
    if (HWND control = this->control(entry.id);
        control &&
        (entry.kind == ControlKind::kLabel || entry.kind == ControlKind::kCheck || entry.kind == ControlKind::kRadio))
      WidenToCaption(control, entry.kind == ControlKind::kLabel);
}

HWND frmOption::CreateControl(HWND page, const OptionControlEntry& entry) {
  const int place[4] = {entry.place.left, entry.place.top, entry.place.width, entry.place.height};
  HWND control = CreateTwipsChild(page, ClassOf(entry.kind), OptionCaption(entry.id), StyleOf(entry),
                                  kOptionControlIdBase + static_cast<int>(entry.id), place);
  if (!control) return nullptr;
  if (entry.help) SetWindowContextHelpId(control, entry.help);
  if (entry.offAtCreation) EnableWindow(control, FALSE);
  return control;
}

HWND frmOption::control(OptionControl id) const {
  for (const auto& page : pages_)
    if (HWND control = page->control(id)) return control;
  return nullptr;
}

std::uint32_t frmOption::mainSwatch() const {
  return mainPage_->swatch();
}

std::uint32_t frmOption::viewSwatch() const {
  return dummyPage_->swatch();
}

std::vector<std::wstring> frmOption::ListEntries() const {
  return dummyPage_->ListEntries();
}

bool frmOption::listReadable() const {
  return dummyPage_->listReadable();
}

void frmOption::lstViewList_Click() {
  dummyPage_->lstViewList_Click();
}

std::optional<LRESULT> frmOption::PassOn(UINT message, WPARAM wParam, LPARAM lParam) {
  return Forward(message, wParam, lParam);
}

void frmOption::OnDpiChanged(unsigned) {
  // The controls are back at their twips places in the new font: the captions are
  // measured again in it, and what the pages measure.
  WidenCaptions();
  for (const auto& page : pages_) page->DpiChanged();
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
  // The pages say what they hold (and what they refuse, told at once); the settings in
  // force change in one step; then what the pages keep elsewhere.
  Settings after = app_.settings();
  for (const auto& page : pages_) page->Store(after);
  app_.ApplyOptions(after, hwnd());
  for (const auto& page : pages_) page->Applied();
  closed_ = true;
}

void frmOption::cmdCancel_Click() {
  closed_ = true;  // the unload gives the main window its band back
}

void frmOption::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  closed_ = true;
  // 1.-2. The topmost band as the settings say; the watch on when it is on and the main window hidden.
  app_.ModalWindowUnloaded();
  Destroy();
}

int frmOption::selectedTab() const {
  return tabOption_ ? static_cast<int>(SendMessageW(tabOption_, TCM_GETCURSEL, 0, 0)) + 1 : 1;
}

void frmOption::tabOption_BeforeClick() {
  mPrevTab = static_cast<std::int16_t>(selectedTab());
}

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

// ---- Messages ----

LRESULT frmOption::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // The pages answer their own controls; what reaches the dialog is OK and Cancel.
      if (LOWORD(wParam) == IDOK) cmdOK_Click();
      if (LOWORD(wParam) == IDCANCEL) cmdCancel_Click();
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == tabOption_) {
        if (header->code == TCN_SELCHANGING) tabOption_BeforeClick();
        if (header->code == TCN_SELCHANGE) tabOption_Click();
      }
      return 0;
    }
    case WM_HELP: {
      // F1 on a control, or a '?' pick that the system made: the control's topic.
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      DWORD number = static_cast<DWORD>(info->dwContextId);
      if (!number && info->iContextType == HELPINFO_WINDOW)
        number = GetWindowContextHelpId(static_cast<HWND>(info->hItemHandle));
      if (number) ShowContextHelp(app_, hwnd(), OptionHelpTopic(number));
      return TRUE;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CONTEXTHELP) {
        RunContextHelpPick();
        return 0;
      }
      break;
    case WM_CLOSE: cmdCancel_Click(); return 0;
    case kShownMessage:
      for (const auto& page : pages_) page->Shown();
      return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      // The swatches of system colours show the user's new colours, and a high-contrast
      // theme turned on or off frames them or not.
      highContrast_ = HighContrastOn();
      for (const auto& page : pages_) page->ColorsChanged();
      break;
    default: break;
  }
  return DefaultProc(message, wParam, lParam);
}

}  // namespace mirel
