#include "platform/controls.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "core/control_rules.h"
#include "platform/colors.h"
#include "platform/handles.h"
#include "platform/system_dll.h"

namespace mirel {

namespace {

constexpr UINT_PTR kDigitsOnlyId = 0x4449;  // this subclass among any others of the box

LRESULT CALLBACK DigitsOnlyProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  switch (message) {
    case WM_CHAR: {
      const auto typed = static_cast<wchar_t>(wParam);
      // Ctrl+A, C, V, X and Z keep working: what a paste brings is filtered below.
      const bool editingKey = typed == 0x01 || typed == 0x03 || typed == 0x16 || typed == 0x18 || typed == 0x1A;
      if (!DigitKeyAccepted(typed) && !editingKey) return 0;
      break;
    }
    case WM_PASTE: {
      std::wstring pasted;
      if (ClipboardOpen clipboard(edit); clipboard.open()) {
        GlobalLocked<const wchar_t> text(GetClipboardData(CF_UNICODETEXT));
        if (text.get()) pasted = text.get();
      }
      const std::wstring digits = DigitsOnly(pasted);
      SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digits.c_str()));
      return 0;
    }
    case WM_NCDESTROY: sys::RemoveWindowSubclass(edit, DigitsOnlyProc, id); break;
    default: break;
  }
  return sys::DefSubclassProc(edit, message, wParam, lParam);
}

RowBox BoxIn(HWND parent, HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  const bool frame = (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
                     (SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_STATIC);
  return {rect.left, rect.top, rect.right, rect.bottom, frame};
}

}  // namespace

void MakeDigitsOnly(HWND edit) {
  sys::ImmAssociateContextEx(edit, nullptr, 0);
  sys::SetWindowSubclass(edit, DigitsOnlyProc, kDigitsOnlyId, 0);
}

void WidenToCaption(HWND control, bool label) {
  wchar_t caption[128] = {};
  const int length = GetWindowTextW(control, caption, 128);
  if (length <= 0) return;
  RECT text{};
  {
    WindowDc dc(control);
    SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    DrawTextW(dc.get(), caption, length, &text, DT_CALCRECT | DT_SINGLELINE);
  }
  int needed = text.right + 1;
  if (!label) needed += GetSystemMetrics(SM_CXMENUCHECK) + 2 * GetSystemMetrics(SM_CXEDGE);
  HWND parent = GetParent(control);
  const RowBox place = BoxIn(parent, control);
  if (needed <= place.right - place.left) return;  // most captions fit: no need to look around
  std::vector<RowBox> others;
  for (HWND other = GetWindow(parent, GW_CHILD); other; other = GetWindow(other, GW_HWNDNEXT))
    if (other != control) others.push_back(BoxIn(parent, other));
  RECT page{};
  GetClientRect(parent, &page);
  const auto widened = WidenForCaption(place, needed, others, page.right, GetSystemMetrics(SM_CXEDGE) * 2, label);
  if (!widened) return;
  if (widened->rightAligned)
    SetWindowLongW(control, GWL_STYLE, (GetWindowLongW(control, GWL_STYLE) & ~SS_TYPEMASK) | SS_RIGHT);
  SetWindowPos(control, nullptr, widened->left, place.top, widened->width, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool HighContrastOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

void DrawSwatchButton(const DRAWITEMSTRUCT& item, COLORREF color, HBRUSH brush, bool highContrast) {
  const bool button = item.CtlType == ODT_BUTTON;
  const auto frame = SwatchFrameFor(highContrast, button && (item.itemState & ODS_FOCUS),
                                    button && (item.itemState & ODS_SELECTED), (item.itemState & ODS_NOFOCUSRECT) != 0);
  RECT rect = item.rcItem;
  if (button)
    DrawEdge(item.hDC, &rect, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  if (frame.themed) {
    // Two pixels of line, then two of the window's colour, then the swatch's colour.
    const int line = frame.line == FrameColor::kHighlight ? COLOR_HIGHLIGHT : COLOR_WINDOWTEXT;
    for (const int part : {line, line, COLOR_WINDOW, COLOR_WINDOW}) {
      FrameRect(item.hDC, &rect, GetSysColorBrush(part));
      InflateRect(&rect, -1, -1);
    }
  }
  FillRect(item.hDC, &rect, brush);
  if (!button) return;
  const int luma = (GetRValue(color) * 299 + GetGValue(color) * 587 + GetBValue(color) * 114) / 1000;
  SetTextColor(item.hDC, luma < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0));
  SetBkMode(item.hDC, TRANSPARENT);
  wchar_t caption[64] = {};
  GetWindowTextW(item.hwndItem, caption, 64);
  UINT format = DT_VCENTER | DT_SINGLELINE;
  if (item.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  // Centred when it fits; otherwise from the left, so that its start stays readable.
  RECT measured = rect;
  DrawTextW(item.hDC, caption, -1, &measured, format | DT_CALCRECT);
  if (measured.right - measured.left <= rect.right - rect.left) format |= DT_CENTER;
  DrawTextW(item.hDC, caption, -1, &rect, format);
  if (frame.focusRectangle) {
    InflateRect(&rect, -1, -1);
    DrawFocusRect(item.hDC, &rect);
  }
}

void ColorSwatch::Set(std::uint32_t stored) {
  color_ = stored;
  brush_.reset(CreateSolidBrush(ResolveColor(stored)));
  if (control_) InvalidateRect(control_, nullptr, TRUE);
}

bool ColorSwatch::Draw(const DRAWITEMSTRUCT& item, bool highContrast) const {
  if (!control_ || item.hwndItem != control_) return false;
  DrawSwatchButton(item, ResolveColor(color_), brush_.get(), highContrast);
  return true;
}

}  // namespace mirel
