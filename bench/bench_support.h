// What the in-process benchmarks share: no person to answer, a message pump, a clock.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "dialogs/prompts.h"

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

// Milliseconds on the performance counter.
inline double Now() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
