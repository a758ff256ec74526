#include "platform/window.h"

#include <cwchar>
#include <map>
#include <mutex>
#include <string>

#include "core/twips.h"
#include "core/ui_text.h"
#include "platform/handles.h"

namespace mirel {

Window::~Window() {
  Destroy();
}

void Window::Destroy() {
  if (hwnd()) DestroyWindow(hwnd());  // WM_NCDESTROY lets go of the handle
}

bool Window::Create(const ClassSpec& cls, DWORD exStyle, const std::wstring& title, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, cls.name, &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = cls.style;
    wc.lpfnWndProc = &Window::StaticProc;
    wc.hInstance = instance;
    wc.hIcon = cls.icon;
    wc.hIconSm = cls.smallIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = cls.background;
    wc.lpszClassName = cls.name;
    if (!RegisterClassExW(&wc)) {
      OutputDebugStringW(
          (L"Mirel: the window class " + std::wstring(cls.name) + L" could not be registered\n").c_str());
      return false;
    }
  }
  if (CreateWindowExW(exStyle, cls.name, title.c_str(), style, x, y, width, height, parent, menu, instance, this))
    return true;
  OutputDebugStringW((L"Mirel: the window " + std::wstring(cls.name) + L" could not be made\n").c_str());
  return false;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultProc(message, wParam, lParam);
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (Guarded(message, [&] { result = Dispatch(hwnd, message, wParam, lParam); })) return result;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Window::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->Attach(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->Detach();
    return result;
  }
  return self->HandleMessage(message, wParam, lParam);
}

bool OwnerDrawnChild::Create(HWND parent, const wchar_t* className, DWORD exStyle, const wchar_t* name) {
  ClassSpec cls{className, 0, nullptr, nullptr, nullptr};
  return Window::Create(cls, exStyle, name, WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, parent, nullptr);
}

LRESULT OwnerDrawnChild::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;  // the owner's paint covers every pixel
  if (handler_)
    if (const auto answer = handler_(hwnd(), message, wParam, lParam)) return *answer;
  return DefaultProc(message, wParam, lParam);
}

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

unsigned SystemDpi() {
  WindowDc screen(nullptr);
  const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return dpi > 0 ? static_cast<unsigned>(dpi) : 96u;
}

unsigned WindowDpi(HWND window) {
  // GetDpiForWindow exists from Windows 10 1607 on; older systems have one DPI for all.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && window) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return dpi;
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, unsigned dpi) {
  // GetSystemMetricsForDpi exists from Windows 10 1607 on; before, the system's size is the
  // only one.
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = reinterpret_cast<GetSystemMetricsForDpiFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  const int size = forDpi ? forDpi(index, dpi) : 0;
  return size > 0 ? size : GetSystemMetrics(index);
}

int SmallIconSize(unsigned dpi) {
  return SystemMetricForDpi(SM_CXSMICON, dpi);
}

void MoveToSuggestedRect(HWND window, LPARAM suggested) {
  const auto* rect = reinterpret_cast<const RECT*>(suggested);
  if (!rect) return;
  SetWindowPos(window, nullptr, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<MonitorAreas> AreasOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return std::nullopt;
  const RECT& w = info.rcWork;
  const RECT& m = info.rcMonitor;
  return MonitorAreas{{w.left, w.top, w.right, w.bottom}, {m.left, m.top, m.right, m.bottom}};
}

namespace {

int CALLBACK FoundFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Asked once a face, for the whole run.
bool FontInstalled(const wchar_t* face) {
  static std::mutex guard;
  static std::map<std::wstring, bool> known;
  const std::lock_guard lock(guard);
  if (const auto it = known.find(face); it != known.end()) return it->second;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  if (HDC screen = GetDC(nullptr)) {
    EnumFontFamiliesExW(screen, &wanted, FoundFont, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
  }
  return known[face] = found;
}

// One of the user's non-client fonts, given at the system's DPI, made for `dpi`.
HFONT CreateNonClientFont(LOGFONTW NONCLIENTMETRICSW::*which, unsigned dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW font = metrics.*which;
  // The language's own face, where Windows has it: a Japanese interface on an English
  // Windows, and the other way round, as well as the user's own language.
  const std::wstring face = UiFontFace(CurrentLanguage(), font.lfFaceName, FontInstalled);
  if (face != font.lfFaceName && face.size() < LF_FACESIZE) {
    face.copy(font.lfFaceName, face.size());
    font.lfFaceName[face.size()] = L'\0';
    font.lfCharSet = DEFAULT_CHARSET;
  }
  const unsigned system = SystemDpi();
  if (system != 0 && dpi != system)
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(system));
  return CreateFontIndirectW(&font);
}

}  // namespace

SIZE FrameSizeForClient(int widthTwips, int heightTwips, DWORD style, DWORD exStyle, bool menu, unsigned dpi) {
  RECT frame{0, 0, TwipsToPixels(widthTwips, dpi), TwipsToPixels(heightTwips, dpi)};
  AdjustWindowRectEx(&frame, style, menu, exStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

HFONT CreateMessageFont(unsigned dpi) {
  return CreateNonClientFont(&NONCLIENTMETRICSW::lfMessageFont, dpi);
}

HFONT CreateStatusFont(unsigned dpi) {
  return CreateNonClientFont(&NONCLIENTMETRICSW::lfStatusFont, dpi);
}

HWND CreateTwipsControl(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int id,
                        const int (&twips)[4], HFONT font, unsigned dpi) {
  if (dpi == 0) dpi = WindowDpi(parent);
  const DWORD exStyle = std::wstring(cls) == L"EDIT" ? WS_EX_CLIENTEDGE : 0;
  HWND control =
      CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, TwipsToPixels(twips[0], dpi),
                      TwipsToPixels(twips[1], dpi), TwipsToPixels(twips[2], dpi), TwipsToPixels(twips[3], dpi), parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return control;
}

}  // namespace mirel
