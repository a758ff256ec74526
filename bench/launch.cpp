// Start-up benchmark: starts a program, waits until a window of the given class is visible,
// and prints the time that took and the program's working set a second later.
//   launch ROUNDS PROGRAM WINDOW_CLASS [PROGRAM WINDOW_CLASS ...]
// The programs take turns, round after round, after one uncounted warm-up start of each: a
// change of load on the machine then falls on all of them alike, where whole series one
// after the other would favour one. One line per counted start: "INDEX MS WORKING_SET",
// INDEX being the program's place in the list.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

struct Start {
  double ms = -1;  // -1: no visible window within 20 s
  unsigned long long workingSet = 0;
};

std::optional<Start> StartOnce(const std::wstring& program, const wchar_t* windowClass) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + program + L"\"";
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return std::nullopt;
  Start result;
  for (int spin = 0; spin < 20000; ++spin) {
    HWND window = FindWindowW(windowClass, nullptr);
    if (window && IsWindowVisible(window)) {
      LARGE_INTEGER now;
      QueryPerformanceCounter(&now);
      result.ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
      break;
    }
    Sleep(1);
  }
  Sleep(1000);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  result.workingSet = memory.WorkingSetSize;
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  Sleep(300);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || argc % 2 != 0) return 2;
  const int rounds = _wtoi(argv[1]);
  const int programs = (argc - 2) / 2;
  for (int round = -1; round < rounds; ++round) {  // round -1: the warm-up
    for (int i = 0; i < programs; ++i) {
      const auto start = StartOnce(argv[2 + 2 * i], argv[3 + 2 * i]);
      if (!start) return 1;
      if (round < 0) continue;
      std::printf("%d %.2f %llu\n", i, start->ms, start->workingSet);
      std::fflush(stdout);
    }
  }
  return 0;
}
