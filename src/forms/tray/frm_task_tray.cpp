#include "forms/tray/frm_task_tray.h"

#include <algorithm>

#include "app/actions.h"
#include "app/application.h"
#include "app/capture.h"
#include "app/help.h"
#include "core/edge_watch.h"
#include "core/ui_text.h"
#include "platform/menu.h"
#include "platform/system_dll.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "settings/taskbar_theme.h"

namespace mirel {

namespace {
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT_PTR kIconRetryTimer = 2;
constexpr UINT_PTR kDwellTimer = 3;
constexpr UINT_PTR kIdleTimer = 4;
constexpr int kPanicHotKeyId = 1;

constexpr MenuItem kTrayMenu[] = {
    {kMnuTrayView, SharedCaption(kMnuTrayView)},
    {kMnuTrayTitleBar, SharedCaption(kMnuTrayTitleBar)},
    {kMnuTrayMouse, Text::kMenuTrayMouse},
    kMenuSeparator,
    {kMnuTrayCapture, Text::kMenuTrayCapture},
    {kMnuTrayOption, SharedCaption(kMnuTrayOption)},
    kMenuSeparator,
    {kMnuTrayHelp, Text::kMenuTrayHelp},
    {kMnuTrayAbout, SharedCaption(kMnuTrayAbout)},
    kMenuSeparator,
    {kMnuTrayExit, SharedCaption(kMnuTrayExit)},
};

IconEvent IconEventOf(UINT code) {
  switch (code) {
    case WM_LBUTTONUP: return IconEvent::kLeftButtonUp;
    case WM_RBUTTONUP: return IconEvent::kRightButtonUp;
    case NIN_SELECT: return IconEvent::kSelect;
    case NIN_KEYSELECT: return IconEvent::kKeySelect;
    case WM_CONTEXTMENU: return IconEvent::kContextMenu;
    default: return IconEvent::kOther;
  }
}
}  // namespace

frmTaskTray::frmTaskTray(Application& app) : app_(app), watch_(app) {}

void frmTaskTray::BuildMenu() {
  mnuTray_.reset(mirel::BuildMenu(kTrayMenu, false));
}

void frmTaskTray::Form_Load() {
  auto& s = app_.state;
  ClassSpec cls{kTrayWindowClass, 0, nullptr, nullptr, nullptr};
  // A hidden top-level window (not message-only): only those hear "TaskbarCreated".
  if (!Create(cls, WS_EX_TOOLWINDOW, UiText(Text::kTrayWindowCaption), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr)) return;
  BuildMenu();
  watch_.Attach(hwnd(), kWatchTimer, kDwellTimer);

  showRequest_ = RegisterWindowMessageW(kShowMainWindowMessage);

  // 1. The icon, drawn for the taskbar's colour.
  icon_.Attach(hwnd(), kTrayIconId, kTrayCallbackMessage, nullptr, L"Mirel", kIconRetryTimer);
  UpdateIconPicture();
  icon_.Show();

  // 2. Whether the main window was shown.
  s.gMainWasVisible = app_.settings().mainVisible;

  // 3. The menu state.
  SetItemChecked(kMnuTrayTitleBar, !app_.settings().nonTitleBar);
  SetItemChecked(kMnuTrayMouse, app_.settings().checkMouse);
  MainWindowShown(s.gMainWasVisible);

  // 4. The watch: interval, the screen's edges, enabled state.
  watch_.SetInterval(app_.settings().checkMouseInterval);
  UpdateScreens(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWatchEnabled(app_.settings().checkMouse && !s.gMainWasVisible);
  RegisterPanicKey();
  WatchIdleness();
}

void frmTaskTray::WatchIdleness() {
  if (!hwnd()) return;
  if (!app_.settings().idleCoverMinutes) {
    KillTimer(hwnd(), kIdleTimer);
    return;
  }
  LASTINPUTINFO input{sizeof input, 0};
  if (!sys::GetLastInputInfo(&input)) input.dwTime = GetTickCount();
  const IdleCheck check = idle_.Check(GetTickCount(), input.dwTime, app_.settings().idleCoverMinutes);
  SetTimer(hwnd(), kIdleTimer, std::max<UINT>(check.nextCheckMs, 1000), nullptr);
  if (!check.due) return;
  // As at an edge: not over a dialog of Mirel's, nor over a full-screen program when the
  // user asked for that pause; the next stretch of idleness has its own chance.
  if (app_.CoverShown() || app_.ModalWindowOpen() || !IsWindowEnabled(app_.mainWindow())) return;
  if (app_.settings().fullScreenPause && EdgeWatcher::FullScreenProgramRunning()) return;
  app_.BringUpCover();
}

void frmTaskTray::tmrIdle_Timer() {
  WatchIdleness();
}

void frmTaskTray::UpdateIconPicture() {
  const bool light = TaskbarIsLight();
  // The notification area's DPI is the primary monitor's, where this window lies.
  const int size = SmallIconSize(WindowDpi(hwnd()));
  if (iconPicture_ && light == lightTaskbar_ && size == iconSize_) return;
  // A dark glyph on a light taskbar, a white one on a dark taskbar. The resource holds an
  // image for each size from 100 % to 200 % scaling, so none is stretched there.
  UniqueIcon picture(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(light ? IDI_TRAY_LIGHT_TASKBAR : IDI_TRAY_DARK_TASKBAR),
                 IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  if (!picture) return;  // the picture shown stays
  icon_.SetIcon(picture.get());
  iconPicture_ = std::move(picture);  // the shell has its copy: the old one may go
  lightTaskbar_ = light;
  iconSize_ = size;
}

void frmTaskTray::UpdateScreens(int primaryWidth, int primaryHeight) {
  watch_.UpdateScreens(primaryWidth, primaryHeight);
}

void frmTaskTray::RegisterPanicKey(HWND warningOwner) {
  if (!hwnd()) return;
  const std::uint32_t value = app_.settings().panicKey;
  // Kept all the same, so that the user can choose another key in the options.
  if (!panicKey_.Register(hwnd(), kPanicHotKeyId, value))
    app_.prompts().Warn(warningOwner, UiText(Text::kPanicKeyTaken, PanicKey::Name(value)));
}

void frmTaskTray::PanicKey_Pressed() {
  // From anywhere, as an edge touch does, unless the cover is already up.
  if (app_.CoverShown()) return;
  app_.BringUpCover();
}

void frmTaskTray::Unload() {
  if (!hwnd()) return;
  watch_.SetEnabled(false);
  panicKey_.Unregister();
  icon_.Remove();
  Destroy();
}

void frmTaskTray::SetWatchEnabled(bool enabled) {
  watch_.SetEnabled(enabled);
}

void frmTaskTray::SetWatchInterval(std::uint32_t interval) {
  watch_.SetInterval(interval);
}

void frmTaskTray::tmrTaskTray_Timer() {
  watch_.Tick();
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
  ToggleMainWindow(app_);
}

bool frmTaskTray::SecondStart_Requested() {
  // Under the cover the desktop stays hidden; a modal window (the options, the preview, a
  // message box of the main window) keeps the user's attention where it is.
  HWND main = app_.mainWindow();
  if (!main || app_.CoverUp() || app_.ModalWindowOpen() || !IsWindowEnabled(main)) return false;
  ShowMainWindow(app_);
  return true;
}

void frmTaskTray::MainWindowShown(bool visible) {
  // The title bar is the shown window's business, the watch the hidden one's.
  SetItemChecked(kMnuTrayView, visible);
  SetItemEnabled(kMnuTrayTitleBar, visible);
  SetItemEnabled(kMnuTrayMouse, !visible);
}

void frmTaskTray::mnuTrayTitleBar_Click() {
  ShowOrHideTitleBar(app_);
}

void frmTaskTray::mnuTrayMouse_Click() {
  ToggleWatch(app_);
}

void frmTaskTray::mnuTrayCapture_Click() {
  app_.state.gMainWasVisible = IsWindowVisible(app_.mainWindow()) != FALSE;
  // A main window that was hidden stays hidden.
  CaptureIntoPreview(app_, Snapshot::kDesktop, app_.state.gMainWasVisible);
}

void frmTaskTray::mnuTrayOption_Click() {
  ShowOptions(app_);
}

void frmTaskTray::mnuTrayHelp_Click() {
  ShowHelpContents(app_, hwnd());
}

void frmTaskTray::mnuTrayAbout_Click() {
  ShowAbout(app_);
}

void frmTaskTray::mnuTrayExit_Click() {
  ExitMirel(app_);
}

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

UINT frmTaskTray::TrackTrayMenu(POINT at, UINT flags) {
  // The menu closes when the user clicks elsewhere only if our window is in front.
  SetForegroundWindow(hwnd());
  // Right-aligned where the user's handedness setting wants menus so (as Windows' own do).
  const UINT alignment = GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  const UINT id = static_cast<UINT>(
      TrackPopupMenu(mnuTray_.get(), flags | alignment | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, hwnd(), nullptr));
  PostMessageW(hwnd(), WM_NULL, 0, 0);
  return id;
}

void frmTaskTray::PopupTrayMenu(UINT flags) {
  if (menuOpen_) return;
  POINT at{};
  GetCursorPos(&at);
  menuOpen_ = true;
  const UINT id = TrackTrayMenu(at, flags);
  menuOpen_ = false;
  if (id != 0) RunMenuCommand(id);
}

void frmTaskTray::TrayIcon_Event(WPARAM wParam, LPARAM lParam) {
  const NotifyIcon::Event event = icon_.Decode(wParam, lParam);
  if (event.code == WM_LBUTTONDOWN) SetForegroundWindow(hwnd());
  const MenuRequest request = iconInput_.Next(IconEventOf(event.code), icon_.version4());
  if (request != MenuRequest::kNone) TrayIcon_MenuRequested(event.anchor, request == MenuRequest::kByKeyboard);
}

void frmTaskTray::TrayIcon_MenuRequested(POINT anchor, bool fromKeyboard) {
  // While a modal window of the program is open (it disables this one), the menu would
  // start a second command inside the first. While the menu is open (or about to be) a
  // request is the same one again: Windows sends Enter's NIN_KEYSELECT twice.
  if (menuOpen_ || !IsWindowEnabled(hwnd())) return;
  menuOpen_ = true;
  SetForegroundWindow(hwnd());
  ProcessPendingMessages();
  const UINT id = hwnd() ? TrackTrayMenu(anchor, 0) : 0;
  menuOpen_ = false;
  // Before the command: one that opens a window takes the focus from there.
  if (fromKeyboard && hwnd()) icon_.ReturnFocus();
  if (id != 0) RunMenuCommand(id);
}

LRESULT frmTaskTray::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayCallbackMessage) {
    TrayIcon_Event(wParam, lParam);
    return 0;
  }
  if (showRequest_ != 0 && message == showRequest_) return SecondStart_Requested() ? 1 : 0;
  // The taskbar made again may come with another scaling.
  if (icon_.IsTaskbarCreated(message)) UpdateIconPicture();
  if (icon_.HandleMessage(message, wParam)) return 0;
  switch (message) {
    case WM_TIMER:
      if (wParam == kIdleTimer)
        tmrIdle_Timer();
      else
        watch_.HandleTimer(wParam);
      return 0;
    case WM_CLOSE: return 0;
    case WM_DISPLAYCHANGE:
      // A new resolution (or monitor layout): the watch takes the new edges at once, a
      // cover that is up covers the new screen, the main window stays reachable.
      UpdateScreens(LOWORD(lParam), HIWORD(lParam));
      app_.DisplayChanged(LOWORD(lParam), HIWORD(lParam));
      UpdateIconPicture();  // the scaling may have changed with it
      return 0;
    case WM_HOTKEY:
      if (wParam == kPanicHotKeyId) PanicKey_Pressed();
      return 0;
    case WM_INPUT:
      if (watch_.enabled()) watch_.Tick();
      return DefaultProc(message, wParam, lParam);
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETWORKAREA) app_.KeepMainWindowOnScreen();  // the taskbar moved
      // The colour mode ("ImmersiveColorSet": light or dark taskbar) or the icon metrics
      // may have changed: the icon follows when its picture would differ.
      UpdateIconPicture();
      return DefaultProc(message, wParam, lParam);
    default: return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace mirel
