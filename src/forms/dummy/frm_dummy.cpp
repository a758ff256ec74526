#include "forms/dummy/frm_dummy.h"

#include "app/application.h"
#include "app/colors.h"
#include "app/window_utils.h"
#include "forms/dummy/cover_layout.h"
#include "forms/dummy/picker.h"
#include "forms/main/frm_main.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/capture.h"
#include "settings/settings.h"

namespace mirel {

namespace {
constexpr const wchar_t* kDummyClass = L"MirelDummy";
constexpr UINT kPrepareMessage = WM_APP + 1;
}  // namespace

frmDummy::frmDummy(Application& app) : app_(app) {}

void frmDummy::Form_Load() {
  ClassSpec cls{kDummyClass, CS_DBLCLKS, nullptr, nullptr, nullptr};
  // A tool window: the cover never shows a button on the taskbar.
  Create(cls, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
         GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr);
  SetBackColor(Read(settings::kViewBackColor));
}

void frmDummy::Unload() {
  Destroy();
}

void frmDummy::SetBackColor(std::uint32_t stored) {
  backColor_ = stored;
  backBrush_.reset(CreateSolidBrush(ResolveColor(stored)));
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

frmDummy::FileStamp frmDummy::StampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
  return {(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
          (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime};
}

void frmDummy::SetPicture(const std::wstring& path) {
  picturePath_ = path;
  picture_.reset();
  if (!path.empty()) {
    // The prepared picture serves only while the file is still the one decoded.
    if (PreparedFor(path))
      picture_ = std::move(prepared_);
    else
      LoadPicture(path, picture_);
  }
  prepared_.reset();
  preparedPath_.clear();
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

bool frmDummy::PreparedFor(const std::wstring& path) const {
  return path == preparedPath_ && !prepared_.empty() && StampOf(path) == preparedStamp_;
}

void frmDummy::PreparePicture(const std::wstring& path) {
  if (PreparedFor(path)) return;
  prepared_.reset();
  preparedPath_ = path;
  preparedStamp_ = StampOf(path);
  if (!path.empty()) LoadPicture(path, prepared_);
}

void frmDummy::PrepareSoon() {
  if (hwnd()) PostMessageW(hwnd(), kPrepareMessage, 0, 0);
}

void frmDummy::ShowCover() {
  if (!hwnd()) return;
  pressed_ = false;
  previousForeground_ = GetForegroundWindow();
  // Re-resolve a system background colour: the user may have changed it meanwhile.
  if (IsSystemColor(backColor_)) SetBackColor(backColor_);
  const RECT area = CoverArea();
  SetWindowPos(hwnd(), HWND_TOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_SHOWWINDOW);
  UpdateWindow(hwnd());  // the cover is complete before anything else happens
  SetForegroundWindow(hwnd());
}

void frmDummy::Form_Click() {
  if (!ReturnsOnDoubleClick(app_.state.gReturnType)) ReturnFromDummyScreen(false);
}

void frmDummy::Form_DblClick() {
  if (ReturnsOnDoubleClick(app_.state.gReturnType)) ReturnFromDummyScreen(true);
}

void frmDummy::ReturnFromDummyScreen(bool doubleClick) {
  if (returning_ || !Visible()) return;
  returning_ = true;
  auto& s = app_.state;
  // Never uncovered without the password: a prompt that cannot be shown (no window
  // handles left) keeps the cover up, and the next click asks again.
  if (s.gRequirePassword && !app_.prompts().WaitForPassword(hwnd())) {
    returning_ = false;
    return;
  }
  if (doubleClick && !s.gNonTitleBar) s.gIgnoreMouseUp = true;
  ProcessPendingMessages();
  if (!hwnd() || app_.main().unloaded()) {  // the program ended meanwhile
    returning_ = false;
    return;
  }
  app_.main().SetVisible(s.gMainWasVisible);
  ShowWindow(hwnd(), SW_HIDE);
  app_.quiet().Restore();  // the sound exactly as it was before the cover
  // Give the keyboard back to where it was: the main window, or the window the user was
  // working in before the cover came up.
  if (s.gMainWasVisible)
    SetForegroundWindow(app_.main().hwnd());
  else if (previousForeground_ && previousForeground_ != hwnd() && IsWindowVisible(previousForeground_))
    SetForegroundWindow(previousForeground_);
  app_.tray().DisarmUntilPointerLeavesEdges();
  // The panic key can bring the cover up over a modal window (the options, say): its
  // closing gives back the topmost band and the watch, not this return.
  if (!app_.ModalWindowOpen()) {
    SetTopMost(app_.main().hwnd(), s.gAlwaysTop);
    app_.tray().SetWatchEnabled(s.gCheckMouse && !s.gMainWasVisible);
  }
  returning_ = false;
}

RECT frmDummy::CoverArea() const {
  // Every monitor, unless the user asked for the primary one alone: a second monitor left
  // showing the desktop would defeat the cover.
  if (app_.state.gPrimaryOnly) return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return VirtualScreenRect();
}

void frmDummy::Paint() {
  {
    PaintDc dc(hwnd());
    // The picture sits at the primary monitor's top-left corner, wherever the cover begins;
    // a capture of the whole desktop where it was taken.
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const RECT virtualScreen = VirtualScreenRect();
    const ScreenRect desktop{virtualScreen.left, virtualScreen.top, virtualScreen.right, virtualScreen.bottom};
    const ScreenPoint origin = CoverPictureOrigin(picture_.width(), picture_.height(), desktop);
    const int x = origin.x - window.left;
    const int y = origin.y - window.top;
    picture_.Draw(dc.get(), x, y);
    // Only what the picture leaves free gets the background colour: nothing flickers.
    ExcludeClipRect(dc.get(), x, y, x + picture_.width(), y + picture_.height());
    FillRect(dc.get(), &dc.dirty(), backBrush_.get());
  }
  GdiFlush();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  lastPaintTicks_ = now.QuadPart;
}

LRESULT frmDummy::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: pressed_ = true; return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        Form_Click();
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      // The second press of a double click raises the double click, not another click.
      pressed_ = false;
      Form_DblClick();
      return 0;
    case WM_RBUTTONDBLCLK: pressed_ = true; return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      if (IsSystemColor(backColor_)) SetBackColor(backColor_);  // new Windows colours, at once
      return DefaultProc(message, wParam, lParam);
    case WM_CLOSE: return 0;  // the cover goes only by a click (Alt+F4 must not uncover the desktop)
    case kPrepareMessage: app_.PrepareNextPicture(); return 0;
    default: return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace mirel
