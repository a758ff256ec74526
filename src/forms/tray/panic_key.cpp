#include "forms/tray/panic_key.h"

#include <commctrl.h>

#include <cwchar>

#include "core/edge_watch.h"

namespace mirel {

bool PanicKey::Register(HWND window, int id, std::uint32_t controlValue) {
  Unregister();
  window_ = window;
  id_ = id;
  const HotKey key = HotKeyFromControl(controlValue);
  if (!window || key.key == 0) return true;
  // MOD_NOREPEAT: a held key brings up one cover, not one per repeat.
  registered_ = RegisterHotKey(window, id, key.modifiers | MOD_NOREPEAT, key.key) != FALSE;
  return registered_;
}

void PanicKey::Unregister() {
  if (window_) UnregisterHotKey(window_, id_);
  registered_ = false;
}

std::wstring PanicKey::Name(std::uint32_t controlValue) {
  const std::uint32_t flags = (controlValue >> 8) & 0xFF;
  std::wstring name;
  if (flags & HOTKEYF_CONTROL) name += L"Ctrl+";
  if (flags & HOTKEYF_SHIFT) name += L"Shift+";
  if (flags & HOTKEYF_ALT) name += L"Alt+";
  const UINT key = controlValue & 0xFF;
  LONG scan = static_cast<LONG>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  if (flags & HOTKEYF_EXT) scan |= 1 << 24;
  wchar_t text[64] = {};
  if (GetKeyNameTextW(scan, text, 64) > 0) {
    name += text;
  } else {  // a key without a name: its virtual-key code, as the documentation writes it
    swprintf(text, 64, L"0x%02X", key);
    name += text;
  }
  return name;
}

}  // namespace mirel
