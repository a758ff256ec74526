#include "platform/notify_icon.h"

#include <cwchar>

#include "platform/system_dll.h"

namespace mirel {

namespace {
constexpr UINT kRetryMilliseconds = 2000;
}

void NotifyIcon::Attach(HWND window, UINT id, UINT callbackMessage, HICON icon, const wchar_t* tip,
                        UINT_PTR retryTimer) {
  window_ = window;
  retryTimer_ = retryTimer;
  // Only top-level windows hear it, hidden ones included.
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  data_.cbSize = sizeof data_;
  data_.hWnd = window;
  data_.uID = id;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = callbackMessage;
  data_.hIcon = icon;
  wcsncpy(data_.szTip, tip, sizeof data_.szTip / sizeof(wchar_t) - 1);
}

void NotifyIcon::Show() {
  wanted_ = true;
  Add();
}

void NotifyIcon::Add() {
  if (!window_ || !wanted_) return;
  shown_ = sys::NotifyIcon(NIM_ADD, &data_) != FALSE;
  // An add fails also when the icon is still there (the taskbar announced itself without
  // forgetting it): then it is shown all the same.
  if (!shown_) shown_ = sys::NotifyIcon(NIM_MODIFY, &data_) != FALSE;
  if (shown_) {
    KillTimer(window_, retryTimer_);
  } else {
    OutputDebugStringW(L"Mirel: the notification area refused the icon; trying again shortly\n");
    SetTimer(window_, retryTimer_, kRetryMilliseconds, nullptr);
  }
}

void NotifyIcon::Remove() {
  wanted_ = false;
  if (!window_) return;
  KillTimer(window_, retryTimer_);
  if (shown_) sys::NotifyIcon(NIM_DELETE, &data_);
  shown_ = false;
}

bool NotifyIcon::HandleMessage(UINT message, WPARAM wParam) {
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    Add();  // Explorer restarted and forgot every icon
    return true;
  }
  if (message == WM_TIMER && wParam == retryTimer_ && retryTimer_ != 0) {
    Add();
    return true;
  }
  return false;
}

}  // namespace mirel
