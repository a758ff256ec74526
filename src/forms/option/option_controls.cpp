// The options dialog's controls: reading and setting them, and the ones that take dropped files or the Delete key.
#include <windows.h>

#include <climits>
#include <optional>
#include <string>

#include "app/colors.h"
#include "forms/option/frm_option.h"
#include "platform/handles.h"
#include "platform/system_dll.h"

namespace mirel {

bool frmOption::Checked(OptionControl id) const {
  return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void frmOption::SetChecked(OptionControl id, bool checked) {
  SendMessageW(control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::wstring frmOption::Text(OptionControl id) const {
  HWND window = control(id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void frmOption::SetSwatch(std::uint32_t& swatch, UniqueBrush& brush, OptionControl id, std::uint32_t color) {
  swatch = color;
  brush.reset(CreateSolidBrush(ResolveColor(color)));
  InvalidateRect(control(id), nullptr, TRUE);
}

void frmOption::Enable(OptionControl id, bool enabled) {
  EnableWindow(control(id), enabled ? TRUE : FALSE);
}

void frmOption::SetText(OptionControl id, const std::wstring& text) {
  SetWindowTextW(control(id), text.c_str());
}

LRESULT CALLBACK frmOption::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self) {
  if (message == WM_NCDESTROY) sys::RemoveWindowSubclass(control, ControlProc, id);
  try {  // as in every window procedure: no exception unwinds into the system
    if (const auto handled = reinterpret_cast<frmOption*>(self)->ControlMessage(static_cast<OptionControl>(id), control,
                                                                                message, wParam, lParam))
      return *handled;
  } catch (...) {
  }
  return sys::DefSubclassProc(control, message, wParam, lParam);
}

std::optional<LRESULT> frmOption::ControlMessage(OptionControl id, HWND control, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  (void)control;
  (void)lParam;
  switch (message) {
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wParam);
      if (id == OptionControl::txtMainLoadFile) txtMainLoadFile_OLEDragDrop(sys::DroppedFiles(drop, 1));
      if (id == OptionControl::lstViewList) lstViewList_OLEDragDrop(sys::DroppedFiles(drop, UINT_MAX));
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:  // Alt+Delete too: the key counts whatever is held with it
      if (id == OptionControl::lstViewList && wParam == VK_DELETE) {
        lstViewList_KeyDown(VK_DELETE);
        return 0;
      }
      break;
    default: break;
  }
  return std::nullopt;
}

}  // namespace mirel
