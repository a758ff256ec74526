#include "platform/dialog.h"

#include <cstring>
#include <vector>

#include "platform/window.h"

namespace mirel {

namespace {

// A dialog of a class of its own needs that class to run the dialog manager's procedure
// and to keep the manager's bytes in the window.
bool RegisterDialogClass(const wchar_t* name) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, name, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefDlgProcW;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

// DLGTEMPLATE, no menu, the class, the title; no font (the controls get the UI font at
// the window's DPI) and no controls. DWORD-aligned, as the template must be.
std::vector<DWORD> Template(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  DLGTEMPLATE header{};
  header.style = style;
  header.dwExtendedStyle = exStyle;
  std::memcpy(words.data(), &header, sizeof header);
  words.push_back(0);  // no menu
  for (const wchar_t* c = className; *c; ++c) words.push_back(static_cast<WORD>(*c));
  words.push_back(0);
  for (const wchar_t c : title) words.push_back(static_cast<WORD>(c));
  words.push_back(0);
  std::vector<DWORD> aligned((words.size() + 1) / 2, 0);
  std::memcpy(aligned.data(), words.data(), words.size() * sizeof(WORD));
  return aligned;
}

}  // namespace

Dialog::~Dialog() {
  Destroy();
}

void Dialog::Destroy() {
  if (hwnd()) DestroyWindow(hwnd());
  Detach();
}

void Dialog::DpiChanged(unsigned dpi, const RECT& suggested) {
  // The old font goes only once no control uses it.
  const UniqueFont old = FollowDpi(dpi);
  OnDpiChanged(dpi);
  MoveToSuggestedRect(hwnd(), reinterpret_cast<LPARAM>(&suggested));
  InvalidateRect(hwnd(), nullptr, TRUE);
}

bool Dialog::Create(const wchar_t* className, DWORD exStyle, const std::wstring& title, DWORD style, HWND owner) {
  if (!RegisterDialogClass(className)) {
    OutputDebugStringW((L"Mirel: the dialog class " + std::wstring(className) + L" could not be registered\n").c_str());
    return false;
  }
  const auto dialog = Template(className, title, style & ~WS_VISIBLE, exStyle);
  if (CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), owner,
                                 &Dialog::StaticProc, reinterpret_cast<LPARAM>(this)))
    return true;
  OutputDebugStringW((L"Mirel: the dialog " + std::wstring(className) + L" could not be made\n").c_str());
  return false;
}

LRESULT Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultProc(message, wParam, lParam);
}

std::optional<LRESULT> Dialog::Forward(UINT message, WPARAM wParam, LPARAM lParam) {
  // Messages sent while this one is handled keep their own answer.
  const bool outer = unhandled_;
  unhandled_ = false;
  std::optional<LRESULT> result;
  if (!Guarded(message, [&] { result = HandleMessage(message, wParam, lParam); })) unhandled_ = true;
  if (unhandled_) result.reset();
  unhandled_ = outer;
  return result;
}

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->Attach(hwnd);
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    Guarded(message, [self] { self->OnInitDialog(); });
    return FALSE;  // the modal loop gives the focus
  }
  self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_DPICHANGED) {
    Guarded(message, [&] { self->DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); });
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
    return TRUE;
  }
  const auto result = self->Forward(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->Detach();
  }
  if (!result) return FALSE;
  switch (message) {
    // These give their answer as the procedure's result; the others through DWLP_MSGRESULT.
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON: return static_cast<INT_PTR>(*result);
    default: SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, *result); return TRUE;
  }
}

}  // namespace mirel
