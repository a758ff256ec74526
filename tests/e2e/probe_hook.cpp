// The probe's hands inside the program: a hook procedure that the probe puts on Mirel's
// window thread (probe menus). Windows and Wine load this DLL into Mirel for it; there it
// reads what only the owning process can read (the menu bar and its menus, an open popup
// menu, a tab control's pages, a combo box's items) and sends it back to the probe's window
// as UTF-16 JSON lines in a WM_COPYDATA.
#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

std::wstring Json(const std::wstring& text) {
  std::wstring out = L"\"";
  for (const wchar_t c : text) {
    if (c == L'"' || c == L'\\') {
      out += L'\\';
      out += c;
    } else if (c < 0x20) {
      wchar_t buffer[8];
      wsprintfW(buffer, L"\\u%04x", static_cast<unsigned>(c));
      out += buffer;
    } else {
      out += c;
    }
  }
  return out + L"\"";
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 255);
  return name;
}

// A menu's entries as a JSON list: separators as "-", a submenu as {"text": ..., "items": [...]}.
std::wstring MenuJson(HMENU menu) {
  std::wstring out = L"[";
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
    item.dwTypeData = text;
    item.cch = 511;
    if (i) out += L", ";
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) {
      out += L"null";
    } else if (item.fType & MFT_SEPARATOR) {
      out += L"\"-\"";
    } else if (item.hSubMenu) {
      out += L"{\"text\": " + Json(text) + L", \"items\": " + MenuJson(item.hSubMenu) + L"}";
    } else {
      out += Json(text);
    }
  }
  return out + L"]";
}

// The texts a control holds beyond its window text: a tab control's pages, a combo box's items.
BOOL CALLBACK AddItems(HWND child, LPARAM param) {
  auto& out = *reinterpret_cast<std::wstring*>(param);
  const std::wstring cls = ClassOf(child);
  std::wstring items;
  if (cls == WC_TABCONTROLW) {
    const int count = static_cast<int>(SendMessageW(child, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[256] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 255;
      SendMessageW(child, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      items += (items.empty() ? L"" : L", ") + Json(text);
    }
  } else if (cls == WC_COMBOBOXW) {
    const int count = static_cast<int>(SendMessageW(child, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      const auto length = SendMessageW(child, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
      if (length < 0) continue;
      std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
      SendMessageW(child, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<std::size_t>(length));
      items += (items.empty() ? L"" : L", ") + Json(text);
    }
  } else {
    return TRUE;
  }
  out += (out.back() == L'[' ? L"" : L", ") + std::wstring(L"{\"class\": ") + Json(cls) + L", \"items\": [" + items +
         L"]}";
  return TRUE;
}

BOOL CALLBACK AddWindow(HWND hwnd, LPARAM param) {
  auto& out = *reinterpret_cast<std::wstring*>(param);
  const std::wstring cls = ClassOf(hwnd);
  std::wstring line;
  if (cls == L"#32768") {
    if (!IsWindowVisible(hwnd)) return TRUE;
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(hwnd, MN_GETHMENU, 0, 0));
    if (menu) line = L"{\"popup\": " + MenuJson(menu) + L"}";
  } else {
    std::wstring controls = L"[";
    EnumChildWindows(hwnd, AddItems, reinterpret_cast<LPARAM>(&controls));
    HMENU bar = GetMenu(hwnd);
    if (!bar && controls.size() == 1) return TRUE;
    line = L"{\"class\": " + Json(cls) + L", \"menu\": " + (bar ? MenuJson(bar) : L"null") + L", \"controls\": " +
           controls + L"]}";
  }
  out += line + L"\n";
  return TRUE;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT ask = RegisterWindowMessageW(L"MirelProbeMenus");
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call && call->message == ask) {
    std::wstring out;
    EnumThreadWindows(GetCurrentThreadId(), AddWindow, reinterpret_cast<LPARAM>(&out));
    COPYDATASTRUCT data{};
    data.cbData = static_cast<DWORD>(out.size() * sizeof(wchar_t));
    data.lpData = out.data();
    SendMessageW(reinterpret_cast<HWND>(call->wParam), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
