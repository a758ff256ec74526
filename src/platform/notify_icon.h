// The notification-area icon. What the program wants (shown or not) is kept apart from what
// the shell has: the icon comes back when Explorer restarts ("TaskbarCreated"), and an add
// the shell refused (early at sign-in, before the taskbar is up) is tried again on a timer.
// The icon speaks version 4 of the shell's protocol: the keyboard reaches it (Enter, Space,
// the menu key) and every event says where the icon is.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "platform/handles.h"

namespace mirel {

class NotifyIcon : NonCopyable {
 public:
  // The icon leaves the notification area with its owner.
  ~NotifyIcon() { Remove(); }

  // The window that hears the icon's events (as `callbackMessage`) and owns the retry
  // timer `retryTimer`.
  void Attach(HWND window, UINT id, UINT callbackMessage, HICON icon, const wchar_t* tip, UINT_PTR retryTimer);
  void Show();
  void Remove();
  bool shown() const { return shown_; }
  // Another picture for the icon; the shell keeps a copy, so the old one may go afterwards.
  void SetIcon(HICON icon);
  HICON icon() const { return data_.hIcon; }
  // Gives the keyboard focus back to the icon in the notification area, where a keyboard
  // user left it to open the icon's menu.
  void ReturnFocus();
  int focusReturns() const { return focusReturns_; }
  // True for the shell's announcement that the taskbar was made again.
  bool IsTaskbarCreated(UINT message) const { return taskbarCreated_ != 0 && message == taskbarCreated_; }
  // The icon's own messages to the window (the taskbar's restart, the retry timer); true
  // when the message was one of them.
  bool HandleMessage(UINT message, WPARAM wParam);

  // A callback message read as version 4 writes it: the event (a mouse message, NIN_SELECT,
  // NIN_KEYSELECT, WM_CONTEXTMENU) in lParam's low word, the icon's anchor point on the
  // screen in wParam.
  struct Event {
    UINT code;
    POINT anchor;
  };
  Event Decode(WPARAM wParam, LPARAM lParam) const;
  // Whether the shell took version 4 for the icon it has.
  bool version4() const { return version4_; }

 private:
  void Add();

  NOTIFYICONDATAW data_{};
  HWND window_ = nullptr;
  UINT_PTR retryTimer_ = 0;
  UINT taskbarCreated_ = 0;
  bool wanted_ = false;
  bool shown_ = false;
  bool version4_ = false;
  int focusReturns_ = 0;
};

}  // namespace mirel
