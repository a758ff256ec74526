// Owners for a window's registrations for the session's news: its lock and unlock
// (WM_WTSSESSION_CHANGE) and a power setting's changes (WM_POWERBROADCAST, the display
// going to sleep and waking, say). Each registration is undone by its owner's destructor.
#pragma once

#include <windows.h>

#include <memory>

namespace mirel {

struct SessionNotificationCloser {
  using pointer = HWND;
  void operator()(HWND window) const;
};
// Holds the window registered.
using UniqueSessionNotification = std::unique_ptr<HWND, SessionNotificationCloser>;
// The lock and unlock of this session for the window; empty when refused.
UniqueSessionNotification RegisterSessionNotification(HWND window);

struct PowerNotificationCloser {
  using pointer = HPOWERNOTIFY;
  void operator()(HPOWERNOTIFY registration) const { UnregisterPowerSettingNotification(registration); }
};
using UniquePowerNotification = std::unique_ptr<HPOWERNOTIFY, PowerNotificationCloser>;
// The changes of the power setting for the window; empty when refused.
UniquePowerNotification RegisterPowerNotification(HWND window, const GUID& setting);

}  // namespace mirel
