// The notification-area icon. What the program wants (shown or not) is kept apart from what
// the shell has: the icon comes back when Explorer restarts ("TaskbarCreated"), and an add
// the shell refused (early at sign-in, before the taskbar is up) is tried again on a timer.
#pragma once

#include <windows.h>

#include <shellapi.h>

namespace mirel {

class NotifyIcon {
 public:
  // The window that hears the icon's mouse events (as `callbackMessage`) and owns the retry
  // timer `retryTimer`.
  void Attach(HWND window, UINT id, UINT callbackMessage, HICON icon, const wchar_t* tip, UINT_PTR retryTimer);
  void Show();
  void Remove();
  bool shown() const { return shown_; }
  // The icon's own messages to the window (the taskbar's restart, the retry timer); true
  // when the message was one of them.
  bool HandleMessage(UINT message, WPARAM wParam);

 private:
  void Add();

  NOTIFYICONDATAW data_{};
  HWND window_ = nullptr;
  UINT_PTR retryTimer_ = 0;
  UINT taskbarCreated_ = 0;
  bool wanted_ = false;
  bool shown_ = false;
};

}  // namespace mirel
