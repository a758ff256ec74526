// Dialogs: windows that Windows' dialog manager runs (the default button that follows the
// focus, Tab and access keys, WM_NEXTDLGCTL, the focus given back on activation), built
// from an in-memory template without controls; each dialog makes its controls from its
// twips tables when the manager says WM_INITDIALOG. Moved to a monitor of another scaling,
// a dialog lays itself out again: the controls made by CreateTwipsChild (and the children
// kept by KeepAtTwips) go to their twips places at the new DPI in a font of that DPI
// (WindowBase::FollowDpi), and the dialog takes the place Windows suggests.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/window_base.h"

namespace mirel {

class Dialog : public WindowBase {
 public:
  Dialog() = default;
  virtual ~Dialog();

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
  // What a dialog lays out beyond its twips tables, once the controls have their new
  // places and font at `dpi` and before the dialog takes its new place.
  virtual void OnDpiChanged(unsigned dpi) { (void)dpi; }

  // Returns the message's result; DefaultProc leaves the message to the dialog manager.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT, WPARAM, LPARAM) {
    unhandled_ = true;
    return 0;
  }

 private:
  void DpiChanged(unsigned dpi, const RECT& suggested);
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool unhandled_ = false;
};

}  // namespace mirel
