#include "forms/dummy/frm_dummy.h"

#include <utility>
#include <vector>

#include "app/application.h"
#include "app/window_utils.h"
#include "core/cover_layout.h"
#include "core/picker.h"
#include "platform/capture.h"
#include "platform/colors.h"
#include "settings/settings.h"

namespace mirel {

namespace {
constexpr const wchar_t* kDummyClass = L"MirelDummy";
constexpr UINT kPrepareMessage = WM_APP + 1;
constexpr UINT kPictureReadyMessage = WM_APP + 2;
// WM_APP + 3 and on are the hold's.
}  // namespace

frmDummy::frmDummy(Application& app) : app_(app), hold_(*this, app.settings()) {}

void frmDummy::Form_Load() {
  ClassSpec cls{kDummyClass, CS_DBLCLKS, nullptr, nullptr, nullptr};
  // A tool window: the cover never shows a button on the taskbar.
  Create(cls, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
         GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr);
  SetBackColor(app_.settings().viewBackColor.stored);
  hold_.CoverMade();
}

void frmDummy::Unload() {
  Destroy();  // the hold gives up what it asked of the system as the window goes
}

void frmDummy::SetBackColor(std::uint32_t stored) {
  const bool changed = ResolveColor(stored) != ResolveColor(backColor_);
  backColor_ = stored;
  backBrush_.reset(CreateSolidBrush(ResolveColor(stored)));
  if (!hwnd()) return;
  InvalidateRect(hwnd(), nullptr, FALSE);
  // A transparent picture lies over the colour: up, it is laid over the new one.
  if (changed && Visible() && picture_.transparent && !picturePath_.empty())
    AskForCoverPicture(RequestFor(picturePath_, CurrentLook()));
}

frmDummy::Look frmDummy::CurrentLook() const {
  Look look;
  look.fit = app_.settings().dummyFit;
  look.everyMonitor = app_.settings().dummyEveryMonitor;
  for (const RECT& r : MonitorRects()) {
    look.monitors.push_back({r.left, r.top, r.right, r.bottom});
    if (app_.settings().primaryOnly) break;  // the cover covers the primary alone
  }
  const RECT desktop = VirtualScreenRect();
  look.desktop = {desktop.left, desktop.top, desktop.right, desktop.bottom};
  look.background = ResolveColor(backColor_);
  return look;
}

PictureRequest frmDummy::RequestFor(const std::wstring& path, const Look& look) {
  PictureRequest request;
  request.path = path;
  request.background = look.background;
  request.places = [look](int width, int height) {
    std::vector<PicturePlace> places;
    for (const CoverTile& tile : CoverTiles(width, height, look.monitors, look.desktop, look.fit, look.everyMonitor))
      places.push_back({tile.target, tile.Visible()});
    return places;
  };
  return request;
}

void frmDummy::AskForCoverPicture(PictureRequest request) {
  // The cover's own request, for the screens and the colour as they are now, replaces any
  // wait for the next cover's decode, which was asked for as they were.
  coverTakesNext_ = false;
  coverTicket_ = app_.pictures().Request(PictureWorker::kCover, std::move(request), hwnd(), kPictureReadyMessage);
}

void frmDummy::StopWaitingForPictures() {
  app_.pictures().Cancel(PictureWorker::kCover);
  coverTicket_ = 0;
  coverTakesNext_ = false;
}

void frmDummy::SetPicture(const std::wstring& path) {
  StopWaitingForPictures();
  picturePath_ = path;
  picture_ = PreparedPicture();
  if (!path.empty()) {
    const Look look = CurrentLook();
    if (!prepared_.empty() && preparedPath_ == path && preparedLook_ == look) {
      picture_ = std::move(prepared_);
      // The prepared picture serves while the file is still the one decoded: that is asked
      // away from this thread (a share may not answer), and a changed file follows.
      PictureRequest request = RequestFor(path, look);
      request.unlessStamp = picture_.stamp;
      AskForCoverPicture(std::move(request));
    } else if (nextTicket_ && nextPath_ == path && nextLook_ == look) {
      coverTakesNext_ = true;  // already on its way
    } else {
      AskForCoverPicture(RequestFor(path, look));
    }
  }
  prepared_ = PreparedPicture();
  preparedPath_.clear();
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void frmDummy::PreparePicture(const std::wstring& path) {
  if (coverTakesNext_) return;  // the cover's own picture first; the next one after it
  const Look look = CurrentLook();
  if (!prepared_.empty() && preparedPath_ == path && preparedLook_ == look) return;
  if (nextTicket_ && nextPath_ == path && nextLook_ == look) return;
  prepared_ = PreparedPicture();
  preparedPath_.clear();
  nextTicket_ = 0;
  if (path.empty()) {
    app_.pictures().Cancel(PictureWorker::kNextCover);
    return;
  }
  nextPath_ = path;
  nextLook_ = look;
  nextTicket_ =
      app_.pictures().Request(PictureWorker::kNextCover, RequestFor(path, look), hwnd(), kPictureReadyMessage);
}

void frmDummy::PictureReady(WPARAM use, LPARAM ticket) {
  // Anyone can post this message: only the cover's two uses are ours to take.
  if (use != PictureWorker::kCover && use != PictureWorker::kNextCover) return;
  const auto which = static_cast<PictureWorker::Use>(use);
  auto result = app_.pictures().Take(which, static_cast<std::uint32_t>(ticket));
  if (!result) return;  // a request given up meanwhile
  if (which == PictureWorker::kCover) {
    coverTicket_ = 0;
    if (result->load != PictureLoad::kUnchanged)
      ShowNow(result->load == PictureLoad::kOk ? std::move(result->picture) : PreparedPicture());
    return;
  }
  nextTicket_ = 0;
  if (coverTakesNext_) {
    coverTakesNext_ = false;
    ShowNow(result->load == PictureLoad::kOk ? std::move(result->picture) : PreparedPicture());
    PrepareSoon();
  } else if (result->load == PictureLoad::kOk) {
    prepared_ = std::move(result->picture);
    preparedPath_ = nextPath_;
    preparedLook_ = nextLook_;
  }
}

void frmDummy::ShowNow(PreparedPicture picture) {
  picture_ = std::move(picture);
  if (!Visible()) return;
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
}

void frmDummy::ScreensChanged() {
  prepared_ = PreparedPicture();  // made for the screens as they were
  preparedPath_.clear();
  if (Visible() && !picturePath_.empty()) AskForCoverPicture(RequestFor(picturePath_, CurrentLook()));
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
  hold_.Begin();
}

void frmDummy::Form_Click() {
  if (app_.settings().returnType != ReturnType::kDoubleClick) ReturnFromDummyScreen(false);
}

void frmDummy::Form_DblClick() {
  if (app_.settings().returnType == ReturnType::kDoubleClick) ReturnFromDummyScreen(true);
}

void frmDummy::ReturnFromDummyScreen(bool doubleClick) {
  if (returning_ || !Visible()) return;
  returning_ = true;
  auto& s = app_.state;
  // Never uncovered without the password: a prompt that cannot be shown (no window
  // handles left) keeps the cover up, and the next click asks again.
  if (app_.settings().requirePassword && !app_.prompts().WaitForPassword(hwnd())) {
    returning_ = false;
    return;
  }
  if (doubleClick && !app_.settings().nonTitleBar) s.gIgnoreMouseUp = true;
  ProcessPendingMessages();
  if (!hwnd() || app_.Unloading()) {  // the program ended meanwhile
    returning_ = false;
    return;
  }
  app_.MainWindowAsBeforeTheCover();
  hold_.End();
  ShowWindow(hwnd(), SW_HIDE);
  StopWaitingForPictures();  // a picture still on its way is of no use now
  app_.quiet().Restore();    // the sound exactly as it was before the cover
  // Give the keyboard back to where it was: the main window, or the window the user was
  // working in before the cover came up.
  if (s.gMainWasVisible)
    SetForegroundWindow(app_.mainWindow());
  else if (previousForeground_ && previousForeground_ != hwnd() && IsWindowVisible(previousForeground_))
    SetForegroundWindow(previousForeground_);
  app_.DisarmTheEdgesUntilLeft();
  // The panic key can bring the cover up over a modal window (the options, say): its
  // closing gives back the topmost band and the watch, not this return.
  if (!app_.ModalWindowOpen()) app_.RestoreBandAndWatch();
  returning_ = false;
}

void frmDummy::Paint() {
  {
    PaintDc dc(hwnd());
    // The pieces are placed in screen coordinates, wherever the cover begins.
    RECT window{};
    GetWindowRect(hwnd(), &window);
    picture_.DrawAndExclude(dc.get(), window.left, window.top);
    // Only what the picture leaves free gets the background colour: nothing flickers.
    FillRect(dc.get(), &dc.dirty(), backBrush_.get());
  }
  GdiFlush();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  lastPaintTicks_ = now.QuadPart;
}

LRESULT frmDummy::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto answer = hold_.HandleMessage(message, wParam, lParam)) return *answer;
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
    case WM_CLOSE:  // the cover goes only by a click (Alt+F4 must not uncover the desktop)
    case WM_TIMER:  // the hold's are the only timers the cover has
      return 0;
    case kPrepareMessage: app_.PrepareNextPicture(); return 0;
    case kPictureReadyMessage: PictureReady(wParam, lParam); return 0;
    default: return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace mirel
