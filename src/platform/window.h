// Window objects: a static window procedure keeps `this` in GWLP_USERDATA from
// WM_NCCREATE to WM_NCDESTROY and forwards every message to the object. A window that
// lays itself out again at WM_DPICHANGED tells FollowDpi the new DPI first.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "core/screen_box.h"
#include "platform/window_base.h"

namespace mirel {

class Window : public WindowBase {
 public:
  Window() = default;
  virtual ~Window();

 protected:
  struct ClassSpec {
    const wchar_t* name;
    UINT style = 0;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HBRUSH background = nullptr;
  };

  bool Create(const ClassSpec& cls, DWORD exStyle, const std::wstring& title, DWORD style, int x, int y, int width,
              int height, HWND parent, HMENU menu);
  void Destroy();

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd(), message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// A child window that its owner draws: it erases nothing and passes every message to the
// owner's handler first (painting, the mouse, dropped files), which answers the ones it
// takes and leaves the rest (nothing) to the window's default handling.
class OwnerDrawnChild : public Window {
 public:
  using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
  explicit OwnerDrawnChild(Handler handler) : handler_(std::move(handler)) {}
  // `name`: what a screen reader calls it (the window shows no text).
  bool Create(HWND parent, const wchar_t* className, DWORD exStyle, const wchar_t* name = L"");

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  Handler handler_;
};

// Lets the window messages waiting in the queue run once.
void ProcessPendingMessages();

// The system's DPI, and a window's where the system can tell it.
unsigned SystemDpi();
unsigned WindowDpi(HWND window);
// The system's small-icon size (the title bar's, the notification area's) at that DPI:
// 16 pixels at 100 %, 20 at 125 %, 24 at 150 %, 32 at 200 %.
int SmallIconSize(unsigned dpi);

// A monitor's work area (without the taskbar) and its whole area.
struct MonitorAreas {
  ScreenRect work;
  ScreenRect whole;
};
std::optional<MonitorAreas> AreasOf(HMONITOR monitor);

// The UI font for dialogs, and the status bars' font, at the given DPI.
HFONT CreateMessageFont(unsigned dpi);

// The outer size of a window of that style (and menu bar) whose client area is that many
// twips at `dpi`.
SIZE FrameSizeForClient(int widthTwips, int heightTwips, DWORD style, DWORD exStyle, bool menu, unsigned dpi);
HFONT CreateStatusFont(unsigned dpi);

// A visible child control placed by a layout table's left, top, width and height in
// twips at `dpi` (0: the parent's), in the given font. Edit boxes get the sunken edge.
HWND CreateTwipsControl(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int id,
                        const int (&twips)[4], HFONT font, unsigned dpi = 0);

// A system metric at a DPI (the scroll bars' width, say), where the system can tell it;
// the system's own otherwise.
int SystemMetricForDpi(int index, unsigned dpi);

// WM_DPICHANGED's suggested place, taken by the window.
void MoveToSuggestedRect(HWND window, LPARAM suggested);

}  // namespace mirel
