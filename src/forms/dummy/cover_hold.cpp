#include "forms/dummy/cover_hold.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/capture.h"
#include "platform/system_dll.h"
#include "settings/settings.h"

namespace mirel {

namespace {
// The cover's own messages are WM_APP + 1 and + 2; the hold's follow them.
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
// Wine answers that a key is up from a copy of the key states up to 50 ms old. A copy made
// just before the panic key's modifiers went down would let the cover take the keyboard
// while they are still held.
constexpr ULONGLONG kKeyStatesAge = 60;

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

CoverHold::CoverHold(const Window& cover, const Settings& settings) : cover_(cover), settings_(settings) {}

void CoverHold::CoverMade() {
  // The compositor's DLL loads once the main window shows, not at the first cover.
  if (hwnd()) PostMessageW(hwnd(), kCompositorMessage, 0, 0);
}

void CoverHold::Begin() {
  keyboardWaitSince_ = 0;  // a wait of an earlier cover is over: this one waits anew
  upSince_ = GetTickCount64();
  foregroundAtUp_ = GetForegroundWindow();
  WatchTheSession();
  StayStillUnderTheCompositor();
  const RECT area = CoverArea();
  up_ = true;
  SetWindowPos(hwnd(), HWND_TOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  UpdateWindow(hwnd());  // the cover is complete before anything else happens
  lastForeground_ = nullptr;
  wantsKeyboard_ = true;
  TakeKeyboardWhenFree();
  StartHolding();
}

void CoverHold::End() {
  up_ = false;
  StopHolding();
}

void CoverHold::WatchTheSession() {
  // Locking and unlocking the session, the display's sleep and an Explorer restart: the
  // cover makes sure it still covers everything afterwards. Asked for at the first cover,
  // not at start-up: the main window shows sooner.
  if (sessionWatch_ || !hwnd()) return;
  sessionWatch_ =
      SessionWatch{RegisterSessionNotification(hwnd()), RegisterPowerNotification(hwnd(), kConsoleDisplayState)};
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

void CoverHold::StayStillUnderTheCompositor() {
  // No animation as the cover comes up (it is complete at once), and it stays when the
  // user hovers a thumbnail on the taskbar (Aero Peek would show the desktop through it).
  // Asked once for the window, before it first shows.
  if (compositorAsked_ == hwnd()) return;
  compositorAsked_ = hwnd();
  const BOOL on = TRUE;
  sys::DwmSetWindowAttribute(hwnd(), DWMWA_TRANSITIONS_FORCEDISABLED, &on, sizeof on);
  sys::DwmSetWindowAttribute(hwnd(), DWMWA_EXCLUDED_FROM_PEEK, &on, sizeof on);
}

void CoverHold::StartHolding() {
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

void CoverHold::StopHolding() {
  windowEvents_.Stop();
  KillTimer(hwnd(), kHoldTimer);
  KillTimer(hwnd(), kCloseWatchTimer);
  KillTimer(hwnd(), kRaiseAgainTimer);
  watchingClosely_ = false;
  seen_.clear();
  keyboardAsked_ = nullptr;
}

void CoverHold::WatchClosely() {
  const HWND foreground = GetForegroundWindow();
  const bool wanted = up_ && !(foreground && HeldByUs(foreground));
  if (wanted == watchingClosely_) return;
  watchingClosely_ = wanted;
  if (wanted)
    SetTimer(hwnd(), kCloseWatchTimer, kCloseWatchMilliseconds, nullptr);
  else
    KillTimer(hwnd(), kCloseWatchTimer);
}

void CoverHold::WindowEvent(HWND window) {
  // One look for a burst of events (a program that re-raises its window tells often).
  if (!up_ || window == hwnd() || lookPosted_) return;
  lookPosted_ = PostMessageW(hwnd(), kHoldMessage, 0, 0) != FALSE;
}

bool CoverHold::HeldByUs(HWND window) const {
  // The cover itself, or a window it owns (the password prompt).
  for (HWND w = window; w; w = GetWindow(w, GW_OWNER))
    if (w == hwnd()) return true;
  return false;
}

bool CoverHold::Hides(HWND window, const RECT& cover, RECT* piece) const {
  RECT rect{};
  // A window of no size, or beside the cover, hides nothing.
  if (!IsWindowVisible(window) || IsIconic(window) || HeldByUs(window) || !GetWindowRect(window, &rect) ||
      !IntersectRect(piece, &rect, &cover))
    return false;
  return !ShowsNothing(window) && !AboveEveryApplication(window);
}

std::vector<RECT> CoverHold::WhatIsCovered() {
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

void CoverHold::RaiseSoon(std::vector<RECT> covered, bool atOnce) {
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

void CoverHold::Raise(const std::vector<RECT>& covered) {
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

void CoverHold::Raise() {
  RECT all{};
  GetWindowRect(hwnd(), &all);
  Raise({all});
}

void CoverHold::TakeKeyboardWhenFree() {
  // Not while the panic key's modifiers are still held: the program that had the keyboard
  // must see them go up, or it would take them as held afterwards. The timer asks again,
  // for a second at most: a key reported held for longer (another program's injected
  // input that never let go) must not leave the keyboard with a window behind the cover.
  // Shown without being activated: the keyboard is taken here, and only here.
  const ULONGLONG now = GetTickCount64();
  if (now - upSince_ < kKeyStatesAge) return;
  // Without the password, a window the user activated since the cover came up keeps the
  // keyboard: they may work in it, under the cover.
  if (!settings_.requirePassword && GetForegroundWindow() != foregroundAtUp_) {
    wantsKeyboard_ = false;
    return;
  }
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

void CoverHold::TakeKeyboardThrough(HWND answered) {
  if (answered == keyboardAsked_) keyboardAsked_ = nullptr;
  const HWND foreground = GetForegroundWindow();
  if (!up_ || foreground != answered || IsHungAppWindow(foreground)) return;
  const DWORD theirs = GetWindowThreadProcessId(foreground, nullptr);
  const DWORD ours = GetCurrentThreadId();
  const bool attached = theirs && theirs != ours && AttachThreadInput(ours, theirs, TRUE);
  sys::SetForegroundWindow(hwnd());
  if (attached) AttachThreadInput(ours, theirs, FALSE);
}

void CoverHold::HoldOnTop() {
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
  if (!ours && (wantsKeyboard_ || settings_.requirePassword)) TakeKeyboardWhenFree();
  // As it is now, the keyboard perhaps taken back: the same window activated again is
  // another switch.
  lastForeground_ = GetForegroundWindow();
  WatchClosely();
}

RECT CoverHold::CoverArea() const {
  // Every monitor, unless the user asked for the primary one alone: a second monitor left
  // showing the desktop would defeat the cover.
  if (settings_.primaryOnly) return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return VirtualScreenRect();
}

std::optional<LRESULT> CoverHold::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kRaiseAgainTimer) KillTimer(hwnd(), kRaiseAgainTimer);
      if (wParam != kHoldTimer && wParam != kCloseWatchTimer && wParam != kRaiseAgainTimer) return std::nullopt;
      HoldOnTop();
      return 0;
    case kHoldMessage: HoldOnTop(); return 0;
    case kWindowEventMessage: WindowEvent(reinterpret_cast<HWND>(lParam)); return 0;
    case kKeyboardAnswerMessage: TakeKeyboardThrough(reinterpret_cast<HWND>(lParam)); return 0;
    case kCompositorMessage: StayStillUnderTheCompositor(); return 0;
    case WM_DESTROY:
      // What the system was asked for this window ends with it, whoever ends it.
      sessionWatch_.reset();
      windowEvents_.Stop();
      return std::nullopt;
    case WM_ACTIVATE:
      // Another window takes the foreground: back on top at once, where Windows says so.
      if (LOWORD(wParam) == WA_INACTIVE && up_) PostMessageW(hwnd(), kHoldMessage, 0, 0);
      if (LOWORD(wParam) != WA_INACTIVE) lastForeground_ = hwnd();  // the next switch away is one
      return std::nullopt;
    case WM_WINDOWPOSCHANGING:
      if (up_ && !raising_) {
        // Nobody hides the cover or puts it below another window while it is up (a
        // program, Windows+D): only the return does.
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        pos->flags &= ~SWP_HIDEWINDOW;
        if (!(pos->flags & SWP_NOZORDER)) pos->hwndInsertAfter = HWND_TOPMOST;
      }
      return std::nullopt;
    case WM_SYSCOMMAND:
      if (up_) {
        const WPARAM command = wParam & 0xFFF0;
        if (command == SC_MINIMIZE || command == SC_MAXIMIZE || command == SC_MOVE || command == SC_SIZE ||
            command == SC_CLOSE)
          return 0;
      }
      return std::nullopt;
    case WM_SIZE:
      if (up_ && wParam == SIZE_MINIMIZED) PostMessageW(hwnd(), kHoldMessage, 0, 0);
      return std::nullopt;
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
      if (message == WM_POWERBROADCAST) return TRUE;
      return std::nullopt;
    default:
      if (message == taskbarCreated_ && taskbarCreated_ && up_) {  // Explorer started again
        Raise();
        return 0;
      }
      return std::nullopt;
  }
}

}  // namespace mirel
