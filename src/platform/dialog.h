// Dialogs: windows that Windows' dialog manager runs (the default button that follows the
// focus, Tab and access keys, WM_NEXTDLGCTL, the focus given back on activation), built
// from an in-memory template without controls; each dialog makes its controls from its
// twips tables when the manager says WM_INITDIALOG.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace mirel {

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool IsLoaded() const { return hwnd_ != nullptr; }
  bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
  unsigned Dpi() const;

  // A message that a child window (a page of controls) passes on to the dialog: the
  // dialog's answer, or nothing when the dialog leaves it to the child's own handling.
  std::optional<LRESULT> Forward(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // A modeless dialog of the window class `className` (its own name, so that it can be
  // found by class as before; the dialog manager's procedure behind it), hidden until shown.
  bool Create(const wchar_t* className, DWORD exStyle, const std::wstring& title, DWORD style, HWND owner);
  void Destroy();

  // The controls, made when the dialog manager asks.
  virtual void OnInitDialog() {}
  // Returns the message's result; DefaultProc leaves the message to the dialog manager.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT, WPARAM, LPARAM) {
    unhandled_ = true;
    return 0;
  }

 private:
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  bool unhandled_ = false;
};

}  // namespace mirel
