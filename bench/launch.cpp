// Start-up benchmark: starts a program, waits until a window of the given class is visible,
// and prints the time that took and the program's working set a second later.
//   launch PROGRAM WINDOW_CLASS TRIALS
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  const std::wstring program = argv[1];
  const wchar_t* windowClass = argv[2];
  const int trials = _wtoi(argv[3]);
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  for (int trial = 0; trial < trials; ++trial) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + program + L"\"";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      return 1;
    double ms = -1;
    for (int spin = 0; spin < 20000; ++spin) {
      HWND window = FindWindowW(windowClass, nullptr);
      if (window && IsWindowVisible(window)) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
        break;
      }
      Sleep(1);
    }
    Sleep(1000);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    std::printf("%.2f %llu\n", ms, static_cast<unsigned long long>(memory.WorkingSetSize));
    std::fflush(stdout);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    Sleep(300);
  }
  return 0;
}
