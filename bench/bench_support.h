// What the in-process benchmarks share: no person to answer, a message pump, a clock.
#pragma once

#include <windows.h>

#include <psapi.h>

#include <cstdint>
#include <string>

#include "app/application.h"
#include "dialogs/prompts.h"
#include "forms/dummy/frm_dummy.h"

namespace bench {

class NoPrompts : public mirel::UserPrompts {
 public:
  int Message(HWND, const std::wstring&, const std::wstring&, UINT) override { return IDOK; }
  std::wstring OpenFile(HWND, const std::wstring&, const std::wstring&) override { return {}; }
  std::wstring SaveFile(HWND, const std::wstring&, const std::wstring&) override { return {}; }
  std::uint32_t Color(HWND, std::uint32_t initial) override { return initial; }
  bool WaitForPassword(HWND) override { return true; }
  bool Help(HWND, const std::wstring&, UINT, DWORD_PTR) override { return true; }
};

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Runs the messages until `done` holds (at most ten seconds).
template <typename Done>
inline void PumpUntil(Done done) {
  const ULONGLONG until = GetTickCount64() + 10000;
  while (!done() && GetTickCount64() < until) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    Pump();
  }
}

// The process's resources. Wine answers 0 for the object and handle counters; private
// bytes show a leak there too.
struct Resources {
  unsigned long gdi = 0;
  unsigned long user = 0;
  unsigned long handles = 0;
  double privateMb = 0;
};
inline Resources ProcessResources() {
  Resources r;
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  r.gdi = static_cast<unsigned long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  r.user = static_cast<unsigned long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
  r.handles = static_cast<unsigned long>(handles);
  r.privateMb = static_cast<double>(memory.PagefileUsage) / 1048576.0;
  return r;
}

// A click on the cover: the return, as the user makes it.
inline void ReturnByClick(mirel::Application& app) {
  SendMessageW(app.dummy().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(app.dummy().hwnd(), WM_LBUTTONUP, 0, 0);
  Pump();
}

// Milliseconds on the performance counter.
inline double Now() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
