#include "platform/notify_icon.h"

#include <windowsx.h>

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
  data_.uVersion = NOTIFYICON_VERSION_4;  // only NIM_SETVERSION reads it
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
    // The version belongs to the icon the shell has now: a new icon (a re-add after
    // Explorer restarted) starts at version 0 again.
    version4_ = sys::NotifyIcon(NIM_SETVERSION, &data_) != FALSE;
  } else {
    OutputDebugStringW(L"Mirel: the notification area refused the icon; trying again shortly\n");
    SetTimer(window_, retryTimer_, kRetryMilliseconds, nullptr);
  }
}

void NotifyIcon::SetIcon(HICON icon) {
  data_.hIcon = icon;
  if (!shown_) return;  // the next add takes it
  NOTIFYICONDATAW modify = data_;
  modify.uFlags = NIF_ICON;
  sys::NotifyIcon(NIM_MODIFY, &modify);
}

void NotifyIcon::ReturnFocus() {
  if (!shown_) return;
  ++focusReturns_;
  sys::NotifyIcon(NIM_SETFOCUS, &data_);
}

void NotifyIcon::Remove() {
  wanted_ = false;
  if (!window_) return;
  KillTimer(window_, retryTimer_);
  if (shown_) sys::NotifyIcon(NIM_DELETE, &data_);
  shown_ = false;
}

bool NotifyIcon::HandleMessage(UINT message, WPARAM wParam) {
  if (IsTaskbarCreated(message)) {
    Add();  // Explorer restarted and forgot every icon
    return true;
  }
  if (message == WM_TIMER && wParam == retryTimer_ && retryTimer_ != 0) {
    Add();
    return true;
  }
  return false;
}

NotifyIcon::Event NotifyIcon::Decode(WPARAM wParam, LPARAM lParam) const {
  if (!version4_) {
    // A shell that refused version 4 sends the mouse message alone, and the icon's id in
    // wParam: the pointer is where the icon is.
    POINT pointer{};
    GetCursorPos(&pointer);
    return {static_cast<UINT>(lParam), pointer};
  }
  // The anchor's coordinates are signed: a monitor left of or above the primary one.
  const auto packed = static_cast<LPARAM>(wParam);
  return {LOWORD(lParam), {GET_X_LPARAM(packed), GET_Y_LPARAM(packed)}};
}

}  // namespace mirel
