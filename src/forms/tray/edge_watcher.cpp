#include "forms/tray/edge_watcher.h"

#include <shellapi.h>

#include "app/application.h"
#include "platform/system_dll.h"

namespace mirel {

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM param) {
  auto* monitors = reinterpret_cast<std::vector<MonitorArea>*>(param);
  monitors->push_back({rect->left, rect->top, rect->right, rect->bottom});
  return TRUE;
}

// Any of the mouse's buttons, whichever the user swapped.
bool MouseButtonHeld() {
  for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2})
    if (sys::GetAsyncKeyState(button) & 0x8000) return true;
  return false;
}

}  // namespace

void EdgeWatcher::Attach(HWND window, UINT_PTR watchTimer, UINT_PTR dwellTimer) {
  window_ = window;
  watchTimer_ = watchTimer;
  dwellTimer_ = dwellTimer;
}

void EdgeWatcher::UpdateScreens(int primaryWidth, int primaryHeight) {
  monitors_.clear();
  if (!app_.settings().primaryOnly)
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors_));
  if (monitors_.empty()) monitors_.push_back({0, 0, primaryWidth, primaryHeight});
}

void EdgeWatcher::SetEnabled(bool enabled) {
  enabled_ = enabled;
  dwellSince_ = -1;
  if (!window_) return;
  KillTimer(window_, dwellTimer_);
  // Instant edges: the pointer's own movements drive the check, and a still pointer costs
  // nothing. Otherwise the timer ticks at the interval.
  const bool instant = enabled && app_.settings().instantEdges;
  if (instant != rawInput_ && !ListenToRawMouse(instant))
    OutputDebugStringW(L"Mirel: raw mouse input could not be switched; the watch keeps its timer\n");
  if (enabled && !rawInput_)
    SetTimer(window_, watchTimer_, interval_, nullptr);
  else
    KillTimer(window_, watchTimer_);
}

EdgeWatcher::~EdgeWatcher() {
  if (rawInput_) ListenToRawMouse(false);
}

bool EdgeWatcher::ListenToRawMouse(bool on) {
  RAWINPUTDEVICE mouse{1, 2, on ? static_cast<DWORD>(RIDEV_INPUTSINK) : static_cast<DWORD>(RIDEV_REMOVE),
                       on ? window_ : nullptr};
  if (!RegisterRawInputDevices(&mouse, 1, sizeof mouse)) return false;
  rawInput_ = on;
  return true;
}

void EdgeWatcher::SetInterval(std::uint32_t interval) {
  interval_ = interval;
  if (enabled_) SetEnabled(true);  // SetTimer again replaces the running timer
}

void EdgeWatcher::Tick() {
  const Settings& s = app_.settings();
  POINT cursor{};
  if (!GetCursorPos(&cursor)) return;
  const TouchRules rules{s.checkMouseFlag, s.edgeIgnoreDrag, s.edgeCornersOnly};
  if (!touch_.Look({cursor.x, cursor.y, MouseButtonHeld()}, monitors_, rules)) {
    dwellSince_ = -1;
    return;
  }
  // A full-screen program (a game, a presentation, a video) has the screen: no cover, and
  // none either when it ends with the pointer still there.
  if (s.fullScreenPause && FullScreenProgramRunning()) {
    touch_.Disarm();
    return;
  }
  if (!DwellReached(dwellSince_, true, static_cast<std::int64_t>(GetTickCount64()), s.dwellTime)) {
    // Instant edges get no more input while the pointer rests at the edge: a timer looks
    // again when the stay is long enough.
    if (rawInput_) SetTimer(window_, dwellTimer_, s.dwellTime, nullptr);
    return;
  }
  dwellSince_ = -1;
  app_.BringUpCover();
}

bool EdgeWatcher::HandleTimer(UINT_PTR timer) {
  if (timer == watchTimer_) {
    if (enabled_) Tick();
    return true;
  }
  if (timer == dwellTimer_) {
    KillTimer(window_, dwellTimer_);
    if (enabled_) Tick();
    return true;
  }
  return false;
}

bool EdgeWatcher::FullScreenProgramRunning() {
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(sys::SHQueryUserNotificationState(&state))) return false;
  return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
}

}  // namespace mirel
