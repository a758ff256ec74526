#include "forms/dummy/frm_dummy.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/application.h"
#include "app/colors.h"
#include "app/window_utils.h"
#include "core/cover_layout.h"
#include "core/picker.h"
#include "platform/capture.h"
#include "platform/system_dll.h"
#include "settings/settings.h"

namespace mirel {

namespace {
constexpr const wchar_t* kDummyClass = L"MirelDummy";
constexpr UINT kPrepareMessage = WM_APP + 1;
constexpr UINT kPictureReadyMessage = WM_APP + 2;
constexpr UINT kHoldMessage = WM_APP + 3;
constexpr UINT kWindowEventMessage = WM_APP + 4;
constexpr UINT kKeyboardAnswerMessage = WM_APP + 5;
constexpr UINT kCompositorMessage = WM_APP + 6;
// The hold goes by the system's window events; besides them the cover looks a few times a
// second whether anything came over it that no event told of.
constexpr UINT_PTR kHoldTimer = 1;
constexpr UINT kHoldMilliseconds = 250;
// While another window has the keyboard (a held modifier key keeps the cover from taking
// it, or there is no password) the cover looks more often: Wine's virtual desktop tells
// event hooks nothing (no activation, no window shown or raised), and draws an activated
// window over the cover although it reports the cover on top. While the cover has the
// keyboard, its own deactivation tells it at once.
constexpr UINT_PTR kCloseWatchTimer = 2;
constexpr UINT kCloseWatchMilliseconds = 50;
// Against a program that keeps putting its window over the cover: the first raises at
// once, then one at most this often, until the fight has rested for a second. A window
// activated over the cover is always answered at once (the user may be switching).
constexpr UINT_PTR kRaiseAgainTimer = 3;
constexpr int kQuickRaises = 3;
constexpr ULONGLONG kRaisePause = 250;
constexpr ULONGLONG kFightOver = 1000;
constexpr ULONGLONG kNewWindowTime = 1000;
// The display going to sleep and waking (GUID_CONSOLE_DISPLAY_STATE).
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

constexpr ULONGLONG kLongestModifierWait = 1000;

bool ModifierKeysHeld() {
  for (const int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN})
    if (sys::GetAsyncKeyState(key) & 0x8000) return true;
  return false;
}

// The band of the z-order a window lives in. Windows keeps some windows above every
// application, topmost ones included (the On-Screen Keyboard, the Magnifier, the Start
// menu and the shell's other bands); the cover can never go over them and need not try.
// Only Windows 8 and later answer; elsewhere every window is an application's.
bool AboveEveryApplication(HWND window) {
  using GetWindowBandFn = BOOL(WINAPI*)(HWND, DWORD*);
  static const auto getWindowBand = reinterpret_cast<GetWindowBandFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetWindowBand")));
  constexpr DWORD kApplicationsBand = 1;  // ZBID_DESKTOP
  DWORD band = 0;
  return getWindowBand && getWindowBand(window, &band) && band > kApplicationsBand;
}

// Windows that are there but show nothing: a layered window fully transparent, one that
// lets the mouse through (drawn effects, overlays), a cloaked one (on another virtual
// desktop, a suspended app's).
bool ShowsNothing(HWND window) {
  const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  if (exStyle & WS_EX_LAYERED) {
    if (exStyle & WS_EX_TRANSPARENT) return true;
    BYTE alpha = 255;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) && alpha == 0) return true;
  }
  DWORD cloaked = 0;
  return SUCCEEDED(sys::DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked;
}

void CALLBACK KeyboardAnswer(HWND answered, UINT, ULONG_PTR cover, LRESULT) {
  PostMessageW(reinterpret_cast<HWND>(cover), kKeyboardAnswerMessage, 0, reinterpret_cast<LPARAM>(answered));
}
}  // namespace

frmDummy::frmDummy(Application& app) : app_(app) {}

void frmDummy::Form_Load() {
  ClassSpec cls{kDummyClass, CS_DBLCLKS, nullptr, nullptr, nullptr};
  // A tool window: the cover never shows a button on the taskbar.
  Create(cls, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
         GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr);
  SetBackColor(app_.settings().viewBackColor.stored);
  // The compositor's DLL loads once the main window shows, not at the first cover.
  if (hwnd()) PostMessageW(hwnd(), kCompositorMessage, 0, 0);
}

void frmDummy::WatchTheSession() {
  // Locking and unlocking the session, the display's sleep and an Explorer restart: the
  // cover makes sure it still covers everything afterwards. Asked for at the first cover,
  // not at start-up: the main window shows sooner.
  if (watchingSession_ || !hwnd()) return;
  watchingSession_ = true;
  sys::WTSRegisterSessionNotification(hwnd(), 0);  // NOTIFY_FOR_THIS_SESSION
  displayNotify_ = RegisterPowerSettingNotification(hwnd(), &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

void frmDummy::Unload() {
  if (hwnd() && watchingSession_) sys::WTSUnRegisterSessionNotification(hwnd());
  if (displayNotify_) UnregisterPowerSettingNotification(displayNotify_);
  displayNotify_ = nullptr;
  windowEvents_.Stop();
  Destroy();
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
  keyboardWaitSince_ = 0;  // a wait of an earlier cover is over: this one waits anew
  previousForeground_ = GetForegroundWindow();
  // Re-resolve a system background colour: the user may have changed it meanwhile.
  if (IsSystemColor(backColor_)) SetBackColor(backColor_);
  WatchTheSession();
  StayStillUnderTheCompositor();
  const RECT area = CoverArea();
  up_ = true;
  SetWindowPos(hwnd(), HWND_TOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_SHOWWINDOW);
  UpdateWindow(hwnd());  // the cover is complete before anything else happens
  lastForeground_ = nullptr;
  wantsKeyboard_ = true;
  TakeKeyboardWhenFree();
  StartHolding();
}

void frmDummy::StayStillUnderTheCompositor() {
  // No animation as the cover comes up (it is complete at once), and it stays when the
  // user hovers a thumbnail on the taskbar (Aero Peek would show the desktop through it).
  // Asked once for the window, before it first shows.
  if (compositorAsked_ == hwnd()) return;
  compositorAsked_ = hwnd();
  const BOOL on = TRUE;
  sys::DwmSetWindowAttribute(hwnd(), DWMWA_TRANSITIONS_FORCEDISABLED, &on, sizeof on);
  sys::DwmSetWindowAttribute(hwnd(), DWMWA_EXCLUDED_FROM_PEEK, &on, sizeof on);
}

void frmDummy::StartHolding() {
  // What is open as the cover comes up; anything opened from now on is new.
  seen_.clear();
  lookedBefore_ = false;
  WhatIsCovered();
  owed_.clear();
  raiseOwed_ = false;
  quickRaises_ = 0;
  lastRaise_ = 0;
  windowEvents_.Start(hwnd(), kWindowEventMessage);
  SetTimer(hwnd(), kHoldTimer, kHoldMilliseconds, nullptr);
  WatchClosely();
}

void frmDummy::StopHolding() {
  windowEvents_.Stop();
  KillTimer(hwnd(), kHoldTimer);
  KillTimer(hwnd(), kCloseWatchTimer);
  KillTimer(hwnd(), kRaiseAgainTimer);
  watchingClosely_ = false;
  seen_.clear();
  keyboardAsked_ = nullptr;
}

void frmDummy::WatchClosely() {
  const HWND foreground = GetForegroundWindow();
  const bool wanted = up_ && !(foreground && HeldByUs(foreground));
  if (wanted == watchingClosely_) return;
  watchingClosely_ = wanted;
  if (wanted)
    SetTimer(hwnd(), kCloseWatchTimer, kCloseWatchMilliseconds, nullptr);
  else
    KillTimer(hwnd(), kCloseWatchTimer);
}

void frmDummy::WindowEvent(HWND window) {
  // One look for a burst of events (a program that re-raises its window tells often).
  if (!up_ || window == hwnd() || lookPosted_) return;
  lookPosted_ = PostMessageW(hwnd(), kHoldMessage, 0, 0) != FALSE;
}

bool frmDummy::HeldByUs(HWND window) const {
  // The cover itself, or a window it owns (the password prompt).
  for (HWND w = window; w; w = GetWindow(w, GW_OWNER))
    if (w == hwnd()) return true;
  return false;
}

bool frmDummy::Hides(HWND window, const RECT& cover, RECT* piece) const {
  RECT rect{};
  // A window of no size, or beside the cover, hides nothing.
  if (!IsWindowVisible(window) || IsIconic(window) || HeldByUs(window) || !GetWindowRect(window, &rect) ||
      !IntersectRect(piece, &rect, &cover))
    return false;
  return !ShowsNothing(window) && !AboveEveryApplication(window);
}

std::vector<RECT> frmDummy::WhatIsCovered() {
  RECT cover{};
  GetWindowRect(hwnd(), &cover);
  std::vector<RECT> covered;
  RECT piece{};
  for (HWND w = GetWindow(hwnd(), GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (Hides(w, cover, &piece)) covered.push_back(piece);
  // Windows opened since the cover came up count as over it for their first moments,
  // whatever the order says: Wine's virtual desktop draws a program's new window over the
  // cover a while after it opened, and still reports the cover on top.
  const ULONGLONG now = GetTickCount64();
  std::vector<SeenWindow> seen;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == hwnd() || !Hides(w, cover, &piece)) continue;
    const auto before = std::find_if(seen_.begin(), seen_.end(), [w](const SeenWindow& s) { return s.window == w; });
    const ULONGLONG since = before != seen_.end() ? before->since : lookedBefore_ ? now : 0;
    if (since && now - since < kNewWindowTime) covered.push_back(piece);
    seen.push_back({w, since});
  }
  seen_ = std::move(seen);
  lookedBefore_ = true;
  return covered;
}

void frmDummy::RaiseSoon(std::vector<RECT> covered, bool atOnce) {
  const ULONGLONG now = GetTickCount64();
  if (now - lastRaise_ >= kFightOver) quickRaises_ = 0;
  owed_.insert(owed_.end(), covered.begin(), covered.end());
  if (!atOnce && quickRaises_ >= kQuickRaises && now - lastRaise_ < kRaisePause) {
    // Another program fights for the top: back on top a few times a second, not in a loop
    // with it.
    raiseOwed_ = true;
    SetTimer(hwnd(), kRaiseAgainTimer, static_cast<UINT>(lastRaise_ + kRaisePause - now), nullptr);
    return;
  }
  ++quickRaises_;
  lastRaise_ = now;
  raiseOwed_ = false;
  KillTimer(hwnd(), kRaiseAgainTimer);
  Raise(std::exchange(owed_, {}));
}

void frmDummy::Raise(const std::vector<RECT>& covered) {
  // Out of the topmost band and back in: in Wine's virtual desktop a plain raise does not
  // bring the window back over one that was activated.
  const RECT area = CoverArea();
  raising_ = true;
  SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(hwnd(), HWND_TOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  raising_ = false;
  // Only what was hidden is painted again: the rest of the cover never left the screen.
  RECT window{};
  GetWindowRect(hwnd(), &window);
  for (RECT piece : covered) {
    OffsetRect(&piece, -window.left, -window.top);
    InvalidateRect(hwnd(), &piece, FALSE);
  }
  UpdateWindow(hwnd());
}

void frmDummy::Raise() {
  RECT all{};
  GetWindowRect(hwnd(), &all);
  Raise({all});
}

void frmDummy::TakeKeyboardWhenFree() {
  // Not while the panic key's modifiers are still held: the program that had the keyboard
  // must see them go up, or it would take them as held afterwards. The timer asks again,
  // for a second at most: a key reported held for longer (another program's injected
  // input that never let go) must not leave the keyboard with a window behind the cover.
  const ULONGLONG now = GetTickCount64();
  if (ModifierKeysHeld()) {
    if (!keyboardWaitSince_) keyboardWaitSince_ = now;
    if (now - keyboardWaitSince_ < kLongestModifierWait) return;
  }
  keyboardWaitSince_ = 0;
  wantsKeyboard_ = false;
  const HWND foreground = GetForegroundWindow();
  if (foreground && HeldByUs(foreground)) return;
  if (sys::SetForegroundWindow(hwnd()) && GetForegroundWindow() == hwnd()) return;
  // Windows lets a program that the user is not using take the foreground only through
  // the input of the one that has it. Joined to a program that does not answer (a hung
  // window, a long recalculation), the cover would wait with it and answer no click: the
  // program is asked first, without waiting, and only its answer joins the two.
  if (!foreground || keyboardAsked_ == foreground || IsHungAppWindow(foreground)) return;
  if (SendMessageCallbackW(foreground, WM_NULL, 0, 0, KeyboardAnswer, reinterpret_cast<ULONG_PTR>(hwnd())))
    keyboardAsked_ = foreground;
}

void frmDummy::TakeKeyboardThrough(HWND answered) {
  if (answered == keyboardAsked_) keyboardAsked_ = nullptr;
  const HWND foreground = GetForegroundWindow();
  if (!up_ || foreground != answered || IsHungAppWindow(foreground)) return;
  const DWORD theirs = GetWindowThreadProcessId(foreground, nullptr);
  const DWORD ours = GetCurrentThreadId();
  const bool attached = theirs && theirs != ours && AttachThreadInput(ours, theirs, TRUE);
  sys::SetForegroundWindow(hwnd());
  if (attached) AttachThreadInput(ours, theirs, FALSE);
}

void frmDummy::HoldOnTop() {
  lookPosted_ = false;
  if (!up_ || !hwnd()) return;
  bool raise = raiseOwed_;
  if (IsIconic(hwnd()) || !IsWindowVisible(hwnd())) {
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);  // minimised or hidden by another program
    lastForeground_ = nullptr;
  }
  RECT cover{};
  GetWindowRect(hwnd(), &cover);
  // A window another program put over the cover, whoever has the keyboard: above it in
  // the z-order, newly opened, or activated.
  std::vector<RECT> covered = WhatIsCovered();
  RECT piece{};
  const HWND foreground = GetForegroundWindow();
  const bool ours = foreground && HeldByUs(foreground);
  // Activated: in Wine's virtual desktop drawn over the cover whatever the order says.
  const bool activated = !ours && foreground != lastForeground_ && foreground && Hides(foreground, cover, &piece);
  if (activated) covered.push_back(piece);
  if (raise || activated || !covered.empty()) RaiseSoon(std::move(covered), activated);
  // With the password on, typing never goes to a window hidden behind the cover.
  if (!ours && (wantsKeyboard_ || app_.settings().requirePassword)) TakeKeyboardWhenFree();
  // As it is now, the keyboard perhaps taken back: the same window activated again is
  // another switch.
  lastForeground_ = GetForegroundWindow();
  WatchClosely();
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
  up_ = false;
  StopHolding();
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

RECT frmDummy::CoverArea() const {
  // Every monitor, unless the user asked for the primary one alone: a second monitor left
  // showing the desktop would defeat the cover.
  if (app_.settings().primaryOnly) return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return VirtualScreenRect();
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
    case WM_TIMER:
      if (wParam == kRaiseAgainTimer) KillTimer(hwnd(), kRaiseAgainTimer);
      if (wParam == kHoldTimer || wParam == kCloseWatchTimer || wParam == kRaiseAgainTimer) HoldOnTop();
      return 0;
    case kHoldMessage: HoldOnTop(); return 0;
    case kWindowEventMessage: WindowEvent(reinterpret_cast<HWND>(lParam)); return 0;
    case kKeyboardAnswerMessage: TakeKeyboardThrough(reinterpret_cast<HWND>(lParam)); return 0;
    case kCompositorMessage: StayStillUnderTheCompositor(); return 0;
    case WM_ACTIVATE:
      // Another window takes the foreground: back on top at once, where Windows says so.
      if (LOWORD(wParam) == WA_INACTIVE && up_) PostMessageW(hwnd(), kHoldMessage, 0, 0);
      if (LOWORD(wParam) != WA_INACTIVE) lastForeground_ = hwnd();  // the next switch away is one
      return DefaultProc(message, wParam, lParam);
    case WM_WINDOWPOSCHANGING:
      if (up_ && !raising_) {
        // Nobody hides the cover or puts it below another window while it is up (a
        // program, Windows+D): only the return does.
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        pos->flags &= ~SWP_HIDEWINDOW;
        if (!(pos->flags & SWP_NOZORDER)) pos->hwndInsertAfter = HWND_TOPMOST;
      }
      return DefaultProc(message, wParam, lParam);
    case WM_SYSCOMMAND:
      if (up_) {
        const WPARAM command = wParam & 0xFFF0;
        if (command == SC_MINIMIZE || command == SC_MAXIMIZE || command == SC_MOVE || command == SC_SIZE ||
            command == SC_CLOSE)
          return 0;
      }
      return DefaultProc(message, wParam, lParam);
    case WM_SIZE:
      if (up_ && wParam == SIZE_MINIMIZED) PostMessageW(hwnd(), kHoldMessage, 0, 0);
      return DefaultProc(message, wParam, lParam);
    case WM_WTSSESSION_CHANGE:
    case WM_POWERBROADCAST:
    case WM_DISPLAYCHANGE:
      // Unlocked, awake, another display: the cover still covers all of it, the password
      // still asked at the return.
      if (up_) {
        lastForeground_ = nullptr;
        Raise();
        PostMessageW(hwnd(), kHoldMessage, 0, 0);
      }
      return message == WM_POWERBROADCAST ? TRUE : DefaultProc(message, wParam, lParam);
    case kPrepareMessage: app_.PrepareNextPicture(); return 0;
    case kPictureReadyMessage: PictureReady(wParam, lParam); return 0;
    default:
      if (message == taskbarCreated_ && taskbarCreated_ && up_) {  // Explorer started again
        Raise();
        return 0;
      }
      return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace mirel
