// What every window object of ours shares, the plain windows (Window) and the dialogs
// (Dialog) alike: its handle, the DPI it is laid out for, the child controls placed by
// twips that follow a change of DPI, and the guard that keeps a handler's exception out
// of the system's code.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace mirel {

class WindowBase : NonCopyable {
 public:
  HWND hwnd() const { return hwnd_; }
  bool IsLoaded() const { return hwnd_ != nullptr; }
  bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
  // The DPI the window is laid out for: the one WM_DPICHANGED last said (see FollowDpi),
  // else its monitor's; the system's before the window exists.
  unsigned Dpi() const;
  // The UI font at that DPI, made by CreateFont.
  HFONT font() const { return font_.get(); }

 protected:
  WindowBase() = default;
  ~WindowBase() = default;

  // The window procedure's part: the handle from the window's first message to its last.
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  void Detach();

  // The UI font at the window's DPI, for the controls made next.
  void CreateFont();
  // A visible control of `parent` (the window or one of its children) at a twips place,
  // in the window's font; both follow FollowDpi.
  HWND CreateTwipsChild(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int id,
                        const int (&twips)[4]);
  // A child window made elsewhere, kept at its twips place when the DPI changes.
  void KeepAtTwips(HWND child, const int (&twips)[4]);
  // WM_DPICHANGED said `dpi`: the window is laid out for it from now on, its font made
  // again at it and the twips children moved to their places. Returns the font replaced,
  // for the caller to free once nothing uses it any more.
  UniqueFont FollowDpi(unsigned dpi);

  // Runs a handler of `message`. No C++ exception may unwind into the system's code that
  // called the window procedure: that would end the process. A handler that throws
  // (memory exhausted, say) is told to a debugger and false returned: the caller leaves
  // the message to the system's default handling, and the program goes on.
  template <typename Handler>
  static bool Guarded(UINT message, Handler&& handler) noexcept {
    try {
      handler();
      return true;
    } catch (const std::exception& e) {
      NoteFailure(message, e.what());
    } catch (...) {
      NoteFailure(message, "not a std::exception");
    }
    return false;
  }

 private:
  static void NoteFailure(UINT message, const char* what) noexcept;

  struct TwipsPlace {
    HWND window;
    int twips[4];
  };
  HWND hwnd_ = nullptr;
  unsigned dpi_ = 0;  // 0 until WM_DPICHANGED says otherwise: the window's own
  UniqueFont font_;
  std::vector<TwipsPlace> places_;
};

}  // namespace mirel
