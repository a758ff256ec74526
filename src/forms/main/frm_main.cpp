#include "forms/main/frm_main.h"

#include <shellapi.h>
#include <windowsx.h>

#include "app/actions.h"
#include "app/application.h"
#include "app/capture.h"
#include "app/help.h"
#include "app/menu_commands.h"
#include "app/window_utils.h"
#include "core/bitmap_name.h"
#include "core/registry_value.h"
#include "core/screen_box.h"
#include "core/twips.h"
#include "core/ui_text.h"
#include "dialogs/common_dialogs.h"
#include "platform/colors.h"
#include "platform/files.h"
#include "platform/menu.h"
#include "platform/system_dll.h"
#include "platform/text.h"
#include "resources/resource_ids.h"
#include "settings/dummy_list.h"
#include "settings/settings.h"

namespace mirel {

namespace {

constexpr const wchar_t* kMainClass = L"MirelMain";
constexpr const wchar_t* kPictureClass = L"MirelPicture";

constexpr MenuItem kFileMenu[] = {
    {kMnuFileDeleteRegistry, Text::kMenuDeleteSettings},
    kMenuSeparator,
    {kMnuFileExit, SharedCaption(kMnuFileExit)},
};
constexpr MenuItem kViewMenu[] = {
    {kMnuViewHideWindow, SharedCaption(kMnuViewHideWindow), MF_CHECKED},
    {kMnuViewHideTitleBar, SharedCaption(kMnuViewHideTitleBar), MF_CHECKED},
    kMenuSeparator,
    {kMnuViewCapture0, Text::kMenuWindowCapture},
    {kMnuViewCapture1, Text::kMenuDesktopCapture},
    kMenuSeparator,
    {kMnuViewOption, SharedCaption(kMnuViewOption)},
};
constexpr MenuItem kHelpMenu[] = {
    {kMnuHelpContents, Text::kMenuHelpContents},
    {kMnuHelpSearchTopic, Text::kMenuHelpSearch},
    kMenuSeparator,
    {kMnuHelpAbout, SharedCaption(kMnuHelpAbout)},
};
constexpr MenuItem kMainMenu[] = {
    {0, Text::kMenuFile, 0, kFileMenu},
    {0, Text::kMenuView, 0, kViewMenu},
    {0, Text::kMenuHelp, 0, kHelpMenu},
};

HICON LoadAppIcon(int size) {
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MIREL), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

frmMain::frmMain(Application& app)
    : app_(app), picMain_([this](HWND box, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        // Dropped files count as dropped on the window.
        if (message == WM_DROPFILES) return HandleMessage(message, wParam, lParam);
        return PictureMessage(box, message, wParam);
      }) {}

frmMain::~frmMain() {
  // The menu bar belongs to menuBar_: detach it before the window goes.
  if (hwnd()) SetMenu(hwnd(), nullptr);
  Destroy();
}

void frmMain::BuildMenus() {
  menuBar_.reset(BuildMenu(kMainMenu, true));
}

void frmMain::Form_Load() {
  const Settings& s = app_.settings();
  largeIcon_.reset(LoadAppIcon(GetSystemMetrics(SM_CXICON)));
  smallIcon_.reset(LoadAppIcon(GetSystemMetrics(SM_CXSMICON)));
  BuildMenus();
  ClassSpec cls{kMainClass, 0, largeIcon_.get(), smallIcon_.get(), nullptr};
  // WS_EX_ACCEPTFILES takes dropped files without loading the shell at start-up.
  if (!Create(cls, WS_EX_ACCEPTFILES, L"Mirel", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 100, 100, nullptr,
              menuBar_.get()))
    return;
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  picMain_.Create(hwnd(), kPictureClass, WS_EX_ACCEPTFILES);

  // 1. Place the window from the settings (twips, outer size).
  const unsigned dpi = Dpi();
  const int top = TwipsToPixels(s.top, SystemDpi());
  const int left = TwipsToPixels(s.left, SystemDpi());
  const int height = TwipsToPixels(s.height, dpi);
  const int width = TwipsToPixels(s.width, dpi);
  SetWindowPos(hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  KeepOnScreen();

  // 2. Back colour of the window and its picture box.
  backColor_ = s.mainBackColor.stored;
  backBrush_.reset(CreateSolidBrush(ResolveColor(backColor_)));

  // 3. The topmost band. A new window is never in it, so only "on" needs the call; the
  // call for "off" would change nothing and costs Wine a round to the X server before the
  // window first shows.
  if (s.alwaysTop) SetTopMost(hwnd(), true);

  // 4. The stored picture, decoded away from this thread: the window shows at once, and
  // its picture when it is ready.
  const std::wstring& file = s.mainLoadFile;
  if (!file.empty()) {
    if (!FileExistsNormal(file))
      ShowPictureWarning(UiText(Text::kPictureMissing), file);
    else
      RequestPicture(PictureOrder(file, true));
  }
  LayoutPicture();

  // 5. Without title bar: no caption, no sizing frame, no menus.
  if (s.nonTitleBar) {
    ToggleTitleBar(hwnd());
    SetMenusVisible(false);
    if (s.autoAdjust) FitWindowToPicture();
  }

  // 6. Visible as it was when the program last ended.
  if (s.mainVisible) SetVisible(true);

  // 7. The dummy image list, read away from the windows. One that is there but cannot be
  // read is said once; it is read again when it is next needed.
  app_.ReadDummyListSoon(kShortLockMilliseconds, true);
}

void frmMain::ShowPictureWarning(const wchar_t* reason, const std::wstring& path) {
  app_.prompts().Warn(hwnd(), std::wstring(reason) + L"\r\n" + path);
}

void frmMain::SetBackColor(std::uint32_t stored) {
  backColor_ = stored;
  backBrush_.reset(CreateSolidBrush(ResolveColor(backColor_)));
  // A transparent picture lies over the colour: it is laid over the new one, the old
  // shown until then. A picture on its way is decoded over the new one.
  const std::uint32_t background = ResolveColor(backColor_);
  if (pictureTicket_ && order_.background != background)
    RequestPicture(order_);
  else if (!pictureTicket_ && pictureTransparent_ && !picturePath_.empty() && background != pictureBackground_)
    RequestPicture(PictureOrder(picturePath_));
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
  if (picMain_.hwnd()) InvalidateRect(picMain_.hwnd(), nullptr, TRUE);
}

void frmMain::KeepOnScreen() {
  if (!hwnd() || IsIconic(hwnd())) return;
  RECT rect{};
  GetWindowRect(hwnd(), &rect);
  const auto areas = AreasOf(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
  if (!areas) return;
  const ScreenRect kept = KeepInside({rect.left, rect.top, rect.right, rect.bottom}, areas->work);
  if (kept.left != rect.left || kept.top != rect.top)
    SetWindowPos(hwnd(), nullptr, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmMain::SetVisible(bool visible) {
  if (!hwnd()) return;
  ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE);
  if (visible) UpdateWindow(hwnd());
}

void frmMain::SetMenusVisible(bool visible) {
  if (!hwnd()) return;
  SetMenu(hwnd(), visible ? menuBar_.get() : nullptr);
}

bool frmMain::MenusVisible() const {
  return hwnd() && GetMenu(hwnd()) != nullptr;
}

void frmMain::Unload() {
  if (unloaded_ || !hwnd()) return;
  unloaded_ = true;
  Form_Unload();
  // The menu bar belongs to menuBar_, not to the window.
  SetMenu(hwnd(), nullptr);
  Destroy();
  PostQuitMessage(0);
}

void frmMain::Form_Unload() {
  Settings& s = app_.settings();
  // 1. Position and outer size, in twips.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  RECT rect{};
  GetWindowRect(hwnd(), &rect);
  if (IsIconic(hwnd()) && GetWindowPlacement(hwnd(), &placement)) {
    // The normal place is in work-area coordinates: stored as such, the window would move
    // by the taskbar's size at each exit when the taskbar lies at the top or left.
    rect = placement.rcNormalPosition;
    if (const auto areas = AreasOf(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST))) {
      const ScreenRect screen =
          WorkAreaToScreen({rect.left, rect.top, rect.right, rect.bottom}, areas->work, areas->whole);
      rect = {screen.left, screen.top, screen.right, screen.bottom};
    }
  }
  const unsigned dpi = Dpi();
  // The place in the system's DPI, the one the next start converts it with (the window does
  // not exist on its monitor yet then): a window on a monitor of another DPI comes back
  // where it was. The size follows the monitor's DPI, as the system scales it there.
  const unsigned placeDpi = SystemDpi();
  s.top = RoundHalfEven(PixelsToTwips(rect.top, placeDpi));
  s.left = RoundHalfEven(PixelsToTwips(rect.left, placeDpi));
  s.height = RoundHalfEven(PixelsToTwips(rect.bottom - rect.top, dpi));
  s.width = RoundHalfEven(PixelsToTwips(rect.right - rect.left, dpi));
  // 2. Visibility, the watch and the title bar.
  s.mainVisible = Visible();
  StoreAtExit(s);
  // 3. Close the help windows, should any be open.
  CloseHelp(app_);
  // The sound comes back, should the program end while covered.
  app_.quiet().Restore();
  // 4. The other windows; the tray takes its icon with it.
  app_.UnloadCoverAndTray();
  // 5. Last of all, the settings themselves when the user asked for that.
  if (app_.state.gDeleteSettings) DeleteSettingsKey();
}

void frmMain::mnuFileDeleteRegistry_Click() {
  const int answer = app_.prompts().Message(hwnd(), UiText(Text::kConfirmDeleteSettings), UiText(Text::kConfirmCaption),
                                            MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
  if (answer == IDCANCEL) return;
  if (answer == IDYES) app_.state.gDeleteSettings = true;
  Unload();
}

void frmMain::mnuFileExit_Click() {
  Unload();
}

void frmMain::mnuViewHideWindow_Click() {
  HideMainWindow(app_);
}

void frmMain::mnuViewHideTitleBar_Click() {
  ShowOrHideTitleBar(app_);  // shown, since its menu is
}

void frmMain::mnuViewCapture_Click(int index) {
  // The main window is back in front before the preview opens.
  CaptureIntoPreview(app_, index == 0 ? Snapshot::kActiveWindow : Snapshot::kDesktop, true);
}

void frmMain::mnuViewOption_Click() {
  ShowOptions(app_);
}

void frmMain::mnuHelpContents_Click() {
  ShowHelpContents(app_, hwnd());
}

void frmMain::mnuHelpSearchTopic_Click() {
  ShowHelpIndex(app_, hwnd());
}

void frmMain::mnuHelpAbout_Click() {
  ShowAbout(app_);
}

bool frmMain::KeepsTheCover(LPARAM endSession) {
  return (endSession & ENDSESSION_CLOSEAPP) && app_.CoverUp();
}

LRESULT frmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto answer = PictureMessage(hwnd(), message, wParam)) return *answer;
  switch (message) {
    case WM_DROPFILES:  // only the first file counts
      picMain_OLEDragDrop(sys::DroppedFiles(reinterpret_cast<HDROP>(wParam), 1));
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kMnuFileDeleteRegistry: mnuFileDeleteRegistry_Click(); return 0;
        case kMnuFileExit: mnuFileExit_Click(); return 0;
        case kMnuViewHideWindow: mnuViewHideWindow_Click(); return 0;
        case kMnuViewHideTitleBar: mnuViewHideTitleBar_Click(); return 0;
        case kMnuViewCapture0: mnuViewCapture_Click(0); return 0;
        case kMnuViewCapture1: mnuViewCapture_Click(1); return 0;
        case kMnuViewOption: mnuViewOption_Click(); return 0;
        case kMnuHelpContents: mnuHelpContents_Click(); return 0;
        case kMnuHelpSearchTopic: mnuHelpSearchTopic_Click(); return 0;
        case kMnuHelpAbout: mnuHelpAbout_Click(); return 0;
        default: break;
      }
      break;
    case WM_CLOSE: Unload(); return 0;
    case WM_HELP:  // F1
      mnuHelpContents_Click();
      return TRUE;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      // The user changed the Windows colours or turned a high-contrast theme on or off:
      // a system colour is resolved again.
      if (IsSystemColor(backColor_)) SetBackColor(backColor_);
      break;
    case WM_QUERYENDSESSION:
      // An installer (Restart Manager, ENDSESSION_CLOSEAPP) is refused while the cover is up:
      // the Mirel it starts again would leave the desktop uncovered. It replaces the files at
      // the next restart instead. A log-off or shut-down goes ahead.
      return KeepsTheCover(lParam) ? FALSE : TRUE;
    case WM_ENDSESSION:
      // Log-off, shutdown, or an installer replacing Mirel: the process is ended soon after
      // this returns, so the settings are stored and the tray icon removed now, as at a
      // normal exit.
      if (wParam && !KeepsTheCover(lParam)) Unload();
      return 0;
    case kMainPictureMessage: PictureReady(lParam); return 0;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      LayoutPicture();
      return 0;
    }
    default: break;
  }
  return DefaultProc(message, wParam, lParam);
}

}  // namespace mirel
