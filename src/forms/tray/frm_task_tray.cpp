#include "forms/tray/frm_task_tray.h"

#include <cwchar>

#include "app/application.h"
#include "app/help.h"
#include "app/window_utils.h"
#include "forms/about/frm_about.h"
#include "forms/dummy/frm_dummy.h"
#include "forms/main/frm_main.h"
#include "forms/option/frm_option.h"
#include "forms/preview/capture.h"
#include "forms/tray/edge_watch.h"
#include "platform/menu.h"
#include "platform/system_dll.h"
#include "settings/settings.h"

namespace mirel {

namespace {
constexpr const wchar_t* kTrayClass = L"MirelTray";
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT_PTR kIconRetryTimer = 2;
constexpr UINT kIconRetryMs = 2000;
constexpr UINT_PTR kDwellTimer = 3;
constexpr int kPanicHotKeyId = 1;

constexpr MenuItem kTrayMenu[] = {
    {kMnuTrayView, L"ウィンドウを表示(&V)"},
    {kMnuTrayTitleBar, L"タイトルバーを表示(&T)"},
    {kMnuTrayMouse, L"マウスによる切り替え(&M)"},
    kMenuSeparator,
    {kMnuTrayCapture, L"デスクトップキャプチャ(&C)"},
    {kMnuTrayOption, L"オプション(&O)"},
    kMenuSeparator,
    {kMnuTrayHelp, L"ヘルプ(&H)"},
    {kMnuTrayAbout, L"バージョン情報(&A)"},
    kMenuSeparator,
    {kMnuTrayExit, L"終了(&X)"},
};
}  // namespace

frmTaskTray::frmTaskTray(Application& app) : app_(app) {}

void frmTaskTray::BuildMenu() { mnuTray_.reset(mirel::BuildMenu(kTrayMenu, false)); }

void frmTaskTray::Form_Load() {
  auto& s = app_.state;
  ClassSpec cls{kTrayClass, 0, nullptr, nullptr, nullptr};
  // A hidden top-level window (not message-only): only those hear "TaskbarCreated".
  if (!Create(cls, WS_EX_TOOLWINDOW, L"タスクトレイ", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr)) return;
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  BuildMenu();

  // 1. The icon.
  mNotifyIcon.cbSize = sizeof mNotifyIcon;
  mNotifyIcon.hWnd = hwnd();
  mNotifyIcon.uID = kTrayIconId;
  mNotifyIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  mNotifyIcon.uCallbackMessage = kTrayCallbackMessage;
  mNotifyIcon.hIcon = app_.main().icon();
  wcsncpy(mNotifyIcon.szTip, L"Mirel", sizeof mNotifyIcon.szTip / sizeof(wchar_t) - 1);
  AddIcon();

  // 2. Whether the main window was shown.
  s.gMainWasVisible = Read(settings::kMainVisible);

  // 3. The menu state.
  SetItemChecked(kMnuTrayTitleBar, !s.gNonTitleBar);
  SetItemChecked(kMnuTrayMouse, s.gCheckMouse);
  MainWindowShown(s.gMainWasVisible);

  // 4. The watch: interval, the screen's edges, enabled state.
  interval_ = EffectiveCheckInterval(Read(settings::kCheckMouseInterval));
  UpdateScreens(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWatchEnabled(s.gCheckMouse && !s.gMainWasVisible);
  RegisterPanicKey();
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM param) {
  auto* monitors = reinterpret_cast<std::vector<MonitorArea>*>(param);
  monitors->push_back({rect->left, rect->top, rect->right, rect->bottom});
  return TRUE;
}

// "Ctrl+Alt+P": the modifiers and the key's name on the user's keyboard.
std::wstring HotKeyName(std::uint32_t controlValue) {
  const std::uint32_t flags = (controlValue >> 8) & 0xFF;
  std::wstring name;
  if (flags & HOTKEYF_CONTROL) name += L"Ctrl+";
  if (flags & HOTKEYF_SHIFT) name += L"Shift+";
  if (flags & HOTKEYF_ALT) name += L"Alt+";
  const UINT key = controlValue & 0xFF;
  LONG scan = static_cast<LONG>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  if (flags & HOTKEYF_EXT) scan |= 1 << 24;
  wchar_t text[64] = {};
  if (GetKeyNameTextW(scan, text, 64) > 0) {
    name += text;
  } else {  // a key without a name: its virtual-key code, as the documentation writes it
    swprintf(text, 64, L"0x%02X", key);
    name += text;
  }
  return name;
}

}  // namespace

void frmTaskTray::UpdateScreens(int primaryWidth, int primaryHeight) {
  // The primary screen alone, or the outer edges of every monitor together.
  monitors_.clear();
  if (!app_.state.gPrimaryOnly)
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors_));
  if (monitors_.empty()) monitors_.push_back({0, 0, primaryWidth, primaryHeight});
}

void frmTaskTray::RegisterPanicKey(HWND warningOwner) {
  if (!hwnd()) return;
  UnregisterHotKey(hwnd(), kPanicHotKeyId);
  panicKeyRegistered_ = false;
  const std::uint32_t value = app_.state.gPanicKey;
  const HotKey key = HotKeyFromControl(value);
  if (key.key == 0) return;
  panicKeyRegistered_ = RegisterHotKey(hwnd(), kPanicHotKeyId, key.modifiers | MOD_NOREPEAT, key.key) != FALSE;
  // Kept all the same, so that the user can choose another key in the options.
  if (!panicKeyRegistered_)
    app_.prompts().Warn(warningOwner, L"キー「" + HotKeyName(value) +
                                     L"」はほかのプログラムが使っているため、すぐに隠すキーにできませんでした。"
                                     L"オプションの「その他」ページで別のキーを選んでください。");
}

void frmTaskTray::PanicKey_Pressed() {
  // From anywhere, as an edge touch does, unless the cover is already up.
  if (app_.dummy().Visible()) return;
  app_.BringUpCover();
}

void frmTaskTray::AddIcon() {
  iconShown_ = sys::NotifyIcon(NIM_ADD, &mNotifyIcon) != FALSE;
  // An add fails also when the icon is still there (the taskbar announced itself
  // without forgetting it): then it is shown all the same.
  if (!iconShown_) iconShown_ = sys::NotifyIcon(NIM_MODIFY, &mNotifyIcon) != FALSE;
  // The notification area may not be up yet (early at log-on): try again shortly.
  if (iconShown_)
    KillTimer(hwnd(), kIconRetryTimer);
  else
    SetTimer(hwnd(), kIconRetryTimer, kIconRetryMs, nullptr);
}

void frmTaskTray::Unload() {
  if (!hwnd()) return;
  SetWatchEnabled(false);
  UnregisterHotKey(hwnd(), kPanicHotKeyId);
  KillTimer(hwnd(), kIconRetryTimer);
  if (iconShown_) sys::NotifyIcon(NIM_DELETE, &mNotifyIcon);
  iconShown_ = false;
  Destroy();
}

void frmTaskTray::SetWatchEnabled(bool enabled) {
  watchEnabled_ = enabled;
  dwellSince_ = -1;
  if (!hwnd()) return;
  KillTimer(hwnd(), kDwellTimer);
  // Instant edges: the pointer's own movements drive the check, and a still pointer costs
  // nothing. Otherwise the timer ticks at the interval.
  const bool instant = enabled && app_.state.gInstantEdges;
  if (instant != rawInput_) {
    RAWINPUTDEVICE mouse{1, 2, instant ? static_cast<DWORD>(RIDEV_INPUTSINK) : static_cast<DWORD>(RIDEV_REMOVE),
                         instant ? hwnd() : nullptr};
    if (RegisterRawInputDevices(&mouse, 1, sizeof mouse)) rawInput_ = instant;
  }
  if (enabled && !rawInput_)
    SetTimer(hwnd(), kWatchTimer, interval_, nullptr);
  else
    KillTimer(hwnd(), kWatchTimer);
}

void frmTaskTray::SetWatchInterval(std::uint32_t interval) {
  interval_ = interval;
  if (watchEnabled_) SetWatchEnabled(true);  // SetTimer again replaces the running timer
}

void frmTaskTray::tmrTaskTray_Timer() {
  const auto& s = app_.state;
  if (!GetCursorPos(&mCursor)) return;
  const auto bits = OuterEdgeBits(mCursor.x, mCursor.y, monitors_);
  if (!EdgeTick(armed_, bits, s.gCheckMouseFlag)) {
    dwellSince_ = -1;
    return;
  }
  // A full-screen program (a game, a presentation, a video) has the screen: no cover.
  if (s.gFullScreenPause && FullScreenProgramRunning()) return;
  if (!DwellReached(dwellSince_, true, static_cast<std::int64_t>(GetTickCount64()), s.gDwellTime)) {
    // Instant edges get no more input while the pointer rests at the edge: a timer looks
    // again when the stay is long enough.
    if (rawInput_) SetTimer(hwnd(), kDwellTimer, s.gDwellTime, nullptr);
    return;
  }
  dwellSince_ = -1;
  app_.BringUpCover();
}

bool frmTaskTray::FullScreenProgramRunning() {
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(sys::SHQueryUserNotificationState(&state))) return false;
  return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
}

void frmTaskTray::SetItemChecked(UINT id, bool checked) {
  CheckMenuItem(mnuTray_.get(), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void frmTaskTray::SetItemEnabled(UINT id, bool enabled) {
  EnableMenuItem(mnuTray_.get(), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool frmTaskTray::ItemChecked(UINT id) const {
  return (GetMenuState(mnuTray_.get(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool frmTaskTray::ItemEnabled(UINT id) const {
  return (GetMenuState(mnuTray_.get(), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void frmTaskTray::mnuTrayView_Click() {
  auto& main = app_.main();
  const bool visible = !main.Visible();
  main.SetVisible(visible);
  if (visible) SetForegroundWindow(main.hwnd());
  MainWindowShown(visible);
  SetWatchEnabled(app_.state.gCheckMouse && !visible);
}

void frmTaskTray::MainWindowShown(bool visible) {
  // The title bar is the shown window's business, the watch the hidden one's.
  SetItemChecked(kMnuTrayView, visible);
  SetItemEnabled(kMnuTrayTitleBar, visible);
  SetItemEnabled(kMnuTrayMouse, !visible);
}

void frmTaskTray::mnuTrayTitleBar_Click() {
  auto& main = app_.main();
  ToggleTitleBar(main.hwnd());
  main.SetMenusVisible(!main.MenusVisible());
  app_.state.gNonTitleBar = !app_.state.gNonTitleBar;
  SetItemChecked(kMnuTrayTitleBar, !app_.state.gNonTitleBar);
}

void frmTaskTray::mnuTrayMouse_Click() {
  auto& s = app_.state;
  s.gCheckMouse = !s.gCheckMouse;
  SetItemChecked(kMnuTrayMouse, s.gCheckMouse);
  SetWatchEnabled(s.gCheckMouse);
}

void frmTaskTray::mnuTrayCapture_Click() {
  app_.state.gMainWasVisible = app_.main().Visible();
  // A main window that was hidden stays hidden.
  CaptureIntoPreview(app_, Snapshot::kDesktop, app_.state.gMainWasVisible);
}

void frmTaskTray::mnuTrayOption_Click() { frmOption::ShowModal(app_, app_.main().hwnd()); }

void frmTaskTray::mnuTrayHelp_Click() { ShowHelpContents(app_, hwnd()); }

void frmTaskTray::mnuTrayAbout_Click() { frmAbout::ShowModal(app_, app_.main().hwnd()); }

void frmTaskTray::mnuTrayExit_Click() { app_.main().Unload(); }

void frmTaskTray::RunMenuCommand(UINT id) {
  switch (id) {
    case kMnuTrayView: mnuTrayView_Click(); break;
    case kMnuTrayTitleBar: mnuTrayTitleBar_Click(); break;
    case kMnuTrayMouse: mnuTrayMouse_Click(); break;
    case kMnuTrayCapture: mnuTrayCapture_Click(); break;
    case kMnuTrayOption: mnuTrayOption_Click(); break;
    case kMnuTrayHelp: mnuTrayHelp_Click(); break;
    case kMnuTrayAbout: mnuTrayAbout_Click(); break;
    case kMnuTrayExit: mnuTrayExit_Click(); break;
    default: break;
  }
}

void frmTaskTray::PopupTrayMenu(UINT flags) {
  POINT at{};
  GetCursorPos(&at);
  // The menu closes when the user clicks elsewhere only if our window is in front.
  SetForegroundWindow(hwnd());
  const UINT id = static_cast<UINT>(
      TrackPopupMenu(mnuTray_.get(), flags | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, hwnd(), nullptr));
  PostMessageW(hwnd(), WM_NULL, 0, 0);
  if (id != 0) RunMenuCommand(id);
}

LRESULT frmTaskTray::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayCallbackMessage) {
    switch (static_cast<UINT>(lParam)) {
      case WM_LBUTTONDOWN:
        SetForegroundWindow(hwnd());
        break;
      case WM_RBUTTONDOWN:
        // While a modal window of the program is open (it disables this one), the menu
        // would start a second command inside the first.
        if (!IsWindowEnabled(hwnd())) break;
        SetForegroundWindow(hwnd());
        ProcessPendingMessages();
        if (hwnd()) PopupTrayMenu(0);
        break;
      default:
        break;
    }
    return 0;
  }
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    // Explorer restarted and forgot every icon.
    AddIcon();
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      if (wParam == kWatchTimer && watchEnabled_) tmrTaskTray_Timer();
      if (wParam == kDwellTimer) {
        KillTimer(hwnd(), kDwellTimer);
        if (watchEnabled_) tmrTaskTray_Timer();
      }
      if (wParam == kIconRetryTimer) AddIcon();
      return 0;
    case WM_CLOSE:
      return 0;
    case WM_DISPLAYCHANGE:
      // A new resolution (or monitor layout): the watch takes the new edges at once, a
      // cover that is up covers the new screen, the main window stays reachable.
      UpdateScreens(LOWORD(lParam), HIWORD(lParam));
      app_.DisplayChanged(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_HOTKEY:
      if (wParam == kPanicHotKeyId) PanicKey_Pressed();
      return 0;
    case WM_INPUT:
      if (watchEnabled_) tmrTaskTray_Timer();
      return DefaultProc(message, wParam, lParam);
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETWORKAREA) app_.main().KeepOnScreen();  // the taskbar moved
      return DefaultProc(message, wParam, lParam);
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace mirel
