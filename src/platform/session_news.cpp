#include "platform/session_news.h"

#include "platform/system_dll.h"

namespace mirel {

void SessionNotificationCloser::operator()(HWND window) const {
  sys::WTSUnRegisterSessionNotification(window);
}

UniqueSessionNotification RegisterSessionNotification(HWND window) {
  constexpr DWORD kThisSession = 0;  // NOTIFY_FOR_THIS_SESSION
  if (!window || !sys::WTSRegisterSessionNotification(window, kThisSession)) return nullptr;
  return UniqueSessionNotification(window);
}

UniquePowerNotification RegisterPowerNotification(HWND window, const GUID& setting) {
  if (!window) return nullptr;
  return UniquePowerNotification(RegisterPowerSettingNotification(window, &setting, DEVICE_NOTIFY_WINDOW_HANDLE));
}

}  // namespace mirel
