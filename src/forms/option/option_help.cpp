// The options dialog's context help: the '?' pick.
#include <windows.h>

#include <climits>

#include "app/help.h"
#include "forms/option/frm_option.h"

namespace mirel {

void frmOption::ShowContextHelpAt(POINT screen) {
  // The smallest visible control under the point; when it has no topic, the smallest
  // frame around it that has one (a check box in the edges frame shows the frame's topic).
  HWND best = nullptr;
  HWND bestWithTopic = nullptr;
  LONGLONG bestArea = LLONG_MAX;
  LONGLONG bestTopicArea = LLONG_MAX;
  const auto visit = [&](HWND parent, const auto& self) -> void {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT rect{};
      if (!IsWindowVisible(child) || !GetWindowRect(child, &rect) || !PtInRect(&rect, screen)) continue;
      const LONGLONG area = static_cast<LONGLONG>(rect.right - rect.left) * (rect.bottom - rect.top);
      if (area < bestArea) {
        bestArea = area;
        best = child;
      }
      if (GetWindowContextHelpId(child) && area < bestTopicArea) {
        bestTopicArea = area;
        bestWithTopic = child;
      }
      self(child, self);
    }
  };
  visit(hwnd(), visit);
  DWORD number = best ? GetWindowContextHelpId(best) : 0;
  if (!number && bestWithTopic) number = GetWindowContextHelpId(bestWithTopic);
  if (number) ShowContextHelp(app_, hwnd(), OptionHelpTopic(number));
}

void frmOption::RunContextHelpPick() {
  // The title bar's '?': the pointer becomes the help pointer until the next click, and
  // the control clicked shows its topic. Esc or the right button ends it without one.
  HCURSOR helpCursor = LoadCursorW(nullptr, IDC_HELP);
  SetCapture(hwnd());
  SetCursor(helpCursor);
  MSG msg;
  bool picking = true;
  while (picking && GetCapture() == hwnd()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_NCMOUSEMOVE: SetCursor(helpCursor); break;
      case WM_LBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
        picking = false;
        ReleaseCapture();
        ShowContextHelpAt(msg.pt);
        break;
      case WM_RBUTTONDOWN:
      case WM_NCRBUTTONDOWN: picking = false; break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (msg.wParam == VK_ESCAPE) picking = false;
        break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_LBUTTONDBLCLK:
      case WM_CHAR: break;
      default:
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        break;
    }
  }
  if (GetCapture() == hwnd()) ReleaseCapture();
}

}  // namespace mirel
