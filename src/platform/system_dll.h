// The system DLLs that Mirel needs only after start-up: the shell (tray icon, dropped
// files), the common dialogs and controls, COM, the imaging component, the desktop
// window manager and the HTML Help viewer. Each is loaded from the
// system folder on its first call, never from the exe's folder (which also holds the
// user's pictures and captures), so the main window shows before they load. A DLL or a
// function that cannot be had makes the call fail the way the real function reports
// failure, and the user is told once.
//
// Both builds go through this one loader: i686 and x86_64 share every line of it.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dwmapi.h>
#include <htmlhelp.h>
#include <imm.h>
#include <objbase.h>
#include <shellapi.h>
#include <wincodec.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace mirel {

// Makes the system folder the only place DLLs are loaded from by name. Called first
// thing at start-up.
void RestrictDllSearchToSystemFolder();

// The named function of a DLL in the system folder, loading the DLL on first use.
// nullptr when the DLL or the function is missing. The DLL stays loaded for the run.
FARPROC FindSystemFunction(const wchar_t* dll, const char* name);

// Tells the user, once per DLL, that a feature is unavailable because the system lacks it.
void ReportMissingSystemFunction(const wchar_t* dll, const char* name);

// Held while a function is looked up: the windows' thread and the pictures' ask for some
// of the same functions.
std::mutex& SystemFunctionLookup();

// A function of a system DLL, typed by the declaration in the Windows headers, looked up
// once on first use.
template <typename Fn>
class SystemFunction {
 public:
  constexpr SystemFunction(const wchar_t* dll, const char* name) : dll_(dll), name_(name) {}
  SystemFunction(const SystemFunction&) = delete;
  SystemFunction& operator=(const SystemFunction&) = delete;

  // nullptr when it cannot be had (reported to the user once per DLL).
  Fn* get() {
    if (lookedUp_.load(std::memory_order_acquire)) return fn_;
    bool missing = false;
    {
      const std::lock_guard lock(SystemFunctionLookup());
      if (lookedUp_.load(std::memory_order_relaxed)) return fn_;
      // Through void(*)(): the one function pointer type that converts without a warning.
      fn_ = reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(FindSystemFunction(dll_, name_)));
      lookedUp_.store(true, std::memory_order_release);
      missing = !fn_;
    }
    // Told outside the lock: the message box waits for the user, the other thread does not.
    if (missing) ReportMissingSystemFunction(dll_, name_);
    return fn_;
  }

 private:
  const wchar_t* dll_;
  const char* name_;
  Fn* fn_ = nullptr;
  std::atomic<bool> lookedUp_{false};
};

// The calls themselves, with the signatures of the functions they stand for.
namespace sys {

BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* data);
UINT DragQueryFile(HDROP drop, UINT index, wchar_t* file, UINT length);
void DragFinish(HDROP drop);
// The dropped files' paths in the drop's order, at most `limit` of them; the drop is
// finished (freed) either way.
std::vector<std::wstring> DroppedFiles(HDROP drop, UINT limit);
HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state);
BOOL ImmAssociateContextEx(HWND window, HIMC context, DWORD flags);
// Session lock and unlock (WM_WTSSESSION_CHANGE) for the window.
BOOL WTSRegisterSessionNotification(HWND window, DWORD flags);
BOOL WTSUnRegisterSessionNotification(HWND window);

BOOL GetOpenFileName(OPENFILENAMEW* record);
BOOL GetSaveFileName(OPENFILENAMEW* record);
BOOL ChooseColor(CHOOSECOLORW* record);

HRESULT CoInitializeEx(void* reserved, DWORD model);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);
HRESULT WICConvertBitmapSource(REFWICPixelFormatGUID format, IWICBitmapSource* source, IWICBitmapSource** converted);

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes);
// Subclassing the supported way: the control's own procedure stays in the chain.
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HRESULT DwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size);
HRESULT DwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size);
// Who answers DwmSetWindowAttribute: the system's function, or one that a test puts in
// between to see what a window asks for (nullptr gives the system's back). Returns the
// one that answered before.
using DwmSetWindowAttributeCall = HRESULT(WINAPI*)(HWND, DWORD, const void*, DWORD);
DwmSetWindowAttributeCall AnswerDwmSetWindowAttribute(DwmSetWindowAttributeCall answer);
HWND HtmlHelp(HWND owner, const wchar_t* file, UINT command, DWORD_PTR data);

// Two calls of user32 that Wine answers otherwise than Windows, each with its answer seam
// as above: Windows refuses the foreground to a program the user is not using, and a key
// held on the machine's keyboard shows in GetAsyncKeyState, which injected input under
// Wine never does.
using SetForegroundWindowCall = BOOL(WINAPI*)(HWND);
BOOL SetForegroundWindow(HWND window);
SetForegroundWindowCall AnswerSetForegroundWindow(SetForegroundWindowCall answer);
using GetAsyncKeyStateCall = SHORT(WINAPI*)(int);
SHORT GetAsyncKeyState(int key);
GetAsyncKeyStateCall AnswerGetAsyncKeyState(GetAsyncKeyStateCall answer);
// And the time of the last input, which a test cannot make an hour old.
using GetLastInputInfoCall = BOOL(WINAPI*)(LASTINPUTINFO*);
BOOL GetLastInputInfo(LASTINPUTINFO* info);
GetLastInputInfoCall AnswerGetLastInputInfo(GetLastInputInfoCall answer);

}  // namespace sys

}  // namespace mirel
