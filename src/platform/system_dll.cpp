#include "platform/system_dll.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "core/ui_text.h"

namespace mirel {

void RestrictDllSearchToSystemFolder() {
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

FARPROC FindSystemFunction(const wchar_t* dll, const char* name) {
  // Loaded again for every function looked up: the loader counts, and the DLL stays.
  const HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module) return nullptr;
  return GetProcAddress(module, name);
}

std::mutex& SystemFunctionLookup() {
  static std::mutex lookup;
  return lookup;
}

void ReportMissingSystemFunction(const wchar_t* dll, const char* name) {
  static std::mutex guard;
  static std::vector<std::wstring> reported;
  {
    const std::lock_guard lock(guard);
    if (std::find(reported.begin(), reported.end(), dll) != reported.end()) return;
    reported.emplace_back(dll);
  }
  std::wstring function(name, name + std::char_traits<char>::length(name));  // ASCII export names
  const std::wstring text = UiText(Text::kSystemFileMissing, dll, function);
  // Above the dummy screen, which is topmost too.
  MessageBoxW(nullptr, text.c_str(), UiText(Text::kWarningCaption),
              MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST | MB_SETFOREGROUND);
}

namespace sys {

namespace {
constexpr const wchar_t* kShell = L"shell32.dll";
constexpr const wchar_t* kDialogs = L"comdlg32.dll";
constexpr const wchar_t* kCom = L"ole32.dll";
constexpr const wchar_t* kImaging = L"windowscodecs.dll";
constexpr const wchar_t* kControls = L"comctl32.dll";
constexpr const wchar_t* kWindowManager = L"dwmapi.dll";
constexpr const wchar_t* kHelpViewer = L"hhctrl.ocx";
constexpr const wchar_t* kSessions = L"wtsapi32.dll";

HRESULT MissingFunctionResult() {
  return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}
}  // namespace

BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* data) {
  static SystemFunction<decltype(::Shell_NotifyIconW)> fn(kShell, "Shell_NotifyIconW");
  return fn.get() ? fn.get()(message, data) : FALSE;
}

UINT DragQueryFile(HDROP drop, UINT index, wchar_t* file, UINT length) {
  static SystemFunction<decltype(::DragQueryFileW)> fn(kShell, "DragQueryFileW");
  return fn.get() ? fn.get()(drop, index, file, length) : 0;
}

void DragFinish(HDROP drop) {
  static SystemFunction<decltype(::DragFinish)> fn(kShell, "DragFinish");
  if (fn.get()) fn.get()(drop);
}

std::vector<std::wstring> DroppedFiles(HDROP drop, UINT limit) {
  std::vector<std::wstring> files;
  const UINT count = std::min(sys::DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0), limit);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = sys::DragQueryFile(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    name.resize(sys::DragQueryFile(drop, i, name.data(), length + 1));
    files.push_back(std::move(name));
  }
  sys::DragFinish(drop);
  return files;
}

HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state) {
  static SystemFunction<decltype(::SHQueryUserNotificationState)> fn(kShell, "SHQueryUserNotificationState");
  return fn.get() ? fn.get()(state) : E_NOTIMPL;
}

BOOL ImmAssociateContextEx(HWND window, HIMC context, DWORD flags) {
  static SystemFunction<decltype(::ImmAssociateContextEx)> fn(L"imm32.dll", "ImmAssociateContextEx");
  return fn.get() ? fn.get()(window, context, flags) : FALSE;
}

BOOL GetOpenFileName(OPENFILENAMEW* record) {
  static SystemFunction<decltype(::GetOpenFileNameW)> fn(kDialogs, "GetOpenFileNameW");
  return fn.get() ? fn.get()(record) : FALSE;
}

BOOL GetSaveFileName(OPENFILENAMEW* record) {
  static SystemFunction<decltype(::GetSaveFileNameW)> fn(kDialogs, "GetSaveFileNameW");
  return fn.get() ? fn.get()(record) : FALSE;
}

BOOL ChooseColor(CHOOSECOLORW* record) {
  static SystemFunction<decltype(::ChooseColorW)> fn(kDialogs, "ChooseColorW");
  return fn.get() ? fn.get()(record) : FALSE;
}

HRESULT CoInitializeEx(void* reserved, DWORD model) {
  static SystemFunction<decltype(::CoInitializeEx)> fn(kCom, "CoInitializeEx");
  return fn.get() ? fn.get()(reserved, model) : MissingFunctionResult();
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object) {
  static SystemFunction<decltype(::CoCreateInstance)> fn(kCom, "CoCreateInstance");
  *object = nullptr;
  return fn.get() ? fn.get()(clsid, outer, context, iid, object) : MissingFunctionResult();
}

HRESULT WICConvertBitmapSource(REFWICPixelFormatGUID format, IWICBitmapSource* source, IWICBitmapSource** converted) {
  static SystemFunction<decltype(::WICConvertBitmapSource)> fn(kImaging, "WICConvertBitmapSource");
  *converted = nullptr;
  return fn.get() ? fn.get()(format, source, converted) : MissingFunctionResult();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
  static SystemFunction<decltype(::InitCommonControlsEx)> fn(kControls, "InitCommonControlsEx");
  return fn.get() ? fn.get()(classes) : FALSE;
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
  static SystemFunction<decltype(::SetWindowSubclass)> fn(kControls, "SetWindowSubclass");
  return fn.get() ? fn.get()(window, procedure, id, data) : FALSE;
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  static SystemFunction<decltype(::RemoveWindowSubclass)> fn(kControls, "RemoveWindowSubclass");
  return fn.get() ? fn.get()(window, procedure, id) : FALSE;
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static SystemFunction<decltype(::DefSubclassProc)> fn(kControls, "DefSubclassProc");
  return fn.get() ? fn.get()(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

HRESULT DwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
  static SystemFunction<decltype(::DwmGetWindowAttribute)> fn(kWindowManager, "DwmGetWindowAttribute");
  return fn.get() ? fn.get()(window, attribute, value, size) : MissingFunctionResult();
}

namespace {
DwmSetWindowAttributeCall dwmSetWindowAttributeAnswer = nullptr;
}  // namespace

HRESULT DwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
  if (dwmSetWindowAttributeAnswer) return dwmSetWindowAttributeAnswer(window, attribute, value, size);
  static SystemFunction<decltype(::DwmSetWindowAttribute)> fn(kWindowManager, "DwmSetWindowAttribute");
  return fn.get() ? fn.get()(window, attribute, value, size) : MissingFunctionResult();
}

DwmSetWindowAttributeCall AnswerDwmSetWindowAttribute(DwmSetWindowAttributeCall answer) {
  return std::exchange(dwmSetWindowAttributeAnswer, answer);
}

namespace {
SetForegroundWindowCall setForegroundWindowAnswer = nullptr;
GetAsyncKeyStateCall getAsyncKeyStateAnswer = nullptr;
GetLastInputInfoCall getLastInputInfoAnswer = nullptr;
}  // namespace

BOOL GetLastInputInfo(LASTINPUTINFO* info) {
  return getLastInputInfoAnswer ? getLastInputInfoAnswer(info) : ::GetLastInputInfo(info);
}

GetLastInputInfoCall AnswerGetLastInputInfo(GetLastInputInfoCall answer) {
  return std::exchange(getLastInputInfoAnswer, answer);
}

BOOL SetForegroundWindow(HWND window) {
  return setForegroundWindowAnswer ? setForegroundWindowAnswer(window) : ::SetForegroundWindow(window);
}

SetForegroundWindowCall AnswerSetForegroundWindow(SetForegroundWindowCall answer) {
  return std::exchange(setForegroundWindowAnswer, answer);
}

SHORT GetAsyncKeyState(int key) {
  return getAsyncKeyStateAnswer ? getAsyncKeyStateAnswer(key) : ::GetAsyncKeyState(key);
}

GetAsyncKeyStateCall AnswerGetAsyncKeyState(GetAsyncKeyStateCall answer) {
  return std::exchange(getAsyncKeyStateAnswer, answer);
}

BOOL WTSRegisterSessionNotification(HWND window, DWORD flags) {
  static SystemFunction<BOOL WINAPI(HWND, DWORD)> fn(kSessions, "WTSRegisterSessionNotification");
  return fn.get() ? fn.get()(window, flags) : FALSE;
}

BOOL WTSUnRegisterSessionNotification(HWND window) {
  static SystemFunction<BOOL WINAPI(HWND)> fn(kSessions, "WTSUnRegisterSessionNotification");
  return fn.get() ? fn.get()(window) : FALSE;
}

HWND HtmlHelp(HWND owner, const wchar_t* file, UINT command, DWORD_PTR data) {
  static SystemFunction<decltype(::HtmlHelpW)> fn(kHelpViewer, "HtmlHelpW");
  return fn.get() ? fn.get()(owner, file, command, data) : nullptr;
}

}  // namespace sys

}  // namespace mirel
