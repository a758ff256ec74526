// The cover's hold, inside the real program's code on real windows:
//  - what the cover costs while it is up and nothing happens: CPU time and wake-ups
//    (messages retrieved, timer messages among them) per second;
//  - against another program whose topmost window puts itself back on top every 10 ms
//    (fully transparent, then visible): the cover's raises, repaints and CPU time.
//   hold_bench FOLDER SECONDS PROBE_EXE
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/application.h"
#include "bench/bench_support.h"
#include "forms/dummy/frm_dummy.h"

namespace {

struct Counts {
  long messages = 0;
  long timers = 0;
  long paints = 0;  // the cover's
  long raises = 0;  // the cover's moves in the z-order
};
Counts counts;
HWND cover = nullptr;

LRESULT CALLBACK Retrieved(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    ++counts.messages;
    if (msg->message == WM_TIMER) ++counts.timers;
    if (msg->message == WM_PAINT && msg->hwnd == cover) ++counts.paints;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && msg->hwnd == cover && msg->message == WM_WINDOWPOSCHANGED &&
      !(reinterpret_cast<const WINDOWPOS*>(msg->lParam)->flags & SWP_NOZORDER))
    ++counts.raises;
  if (code == HC_ACTION && msg->hwnd == cover && msg->message == WM_PAINT) ++counts.paints;  // UpdateWindow's
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

double CpuMs() {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

// The messages as Mirel's own loop runs them, for `seconds`; returns the loop's wake-ups.
long RunFor(double seconds) {
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  long wakeUps = 0;
  for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
    ++wakeUps;
    bench::Pump();
  }
  return wakeUps;
}

void Measure(const char* what, double seconds, bool perSecond) {
  counts = Counts();
  const double cpu = CpuMs();
  const long wakeUps = RunFor(seconds);
  const double used = CpuMs() - cpu;
  const double per = perSecond ? seconds : 1.0;
  std::printf(
      "%s over %.0f s: CPU %.3f %% of one core; %s%.1f wake-ups, %.1f messages (%.1f timer), %.1f repaints "
      "and %.1f raises of the cover\n",
      what, seconds, used / (seconds * 10.0), perSecond ? "per second " : "", wakeUps / per, counts.messages / per,
      counts.timers / per, counts.paints / per, counts.raises / per);
  std::fflush(stdout);
}

// Another program running for `seconds`, measured meanwhile.
void AgainstProbe(const std::wstring& probe, const std::wstring& arguments, const char* what, double seconds) {
  std::wstring command = L"\"" + probe + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::printf("%s: the probe did not start\n", what);
    return;
  }
  RunFor(0.5);  // its window up and fighting
  Measure(what, seconds, false);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  RunFor(0.5);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  mirel::EnsureComOnThisThread();
  bench::NoPrompts prompts;
  mirel::Application app(prompts, argv[1]);
  app.Main();
  bench::Pump();
  const double seconds = _wtof(argv[2]);
  app.settings().requirePassword = true;  // the cover keeps the keyboard, as when the user is away
  app.ShowDummyScreen();
  cover = app.dummy().hwnd();
  RunFor(1.0);
  const HHOOK retrieved = SetWindowsHookExW(WH_GETMESSAGE, Retrieved, nullptr, GetCurrentThreadId());
  const HHOOK sent = SetWindowsHookExW(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
  Measure("the cover up, nothing happening,", seconds, true);
  AgainstProbe(argv[3], L"reraise 3.5", "a transparent topmost window re-raised every 10 ms,", 3);
  AgainstProbe(argv[3], L"reraise 3.5 visible", "a visible topmost window re-raised every 10 ms,", 3);
  UnhookWindowsHookEx(sent);
  UnhookWindowsHookEx(retrieved);
  bench::ReturnByClick(app);
  return 0;
}
