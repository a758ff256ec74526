// Dummy screen benchmark, inside the real program's code on real windows:
//  - ShowDummyScreen to the first complete paint with a large picture, per switch;
//  - GDI objects, USER objects and handles after the first and after many switch/return cycles.
//   dummy_bench FOLDER_WITH_MIREL_DAT TRIALS CYCLES
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/application.h"
#include "bench/bench_support.h"
#include "forms/dummy/frm_dummy.h"
#include "forms/main/frm_main.h"
#include "platform/picture.h"

namespace {

using bench::NoPrompts;
using bench::Now;
using bench::Pump;

double Ticks(std::int64_t ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

void Return(mirel::Application& app) {
  bench::ReturnByClick(app);
}

void PrintResources(const char* when) {
  const auto r = bench::ProcessResources();
  std::printf("%s: GDI objects %lu, USER objects %lu, handles %lu, private bytes %.1f MB\n", when, r.gdi, r.user,
              r.handles, r.privateMb);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  mirel::EnsureComOnThisThread();
  NoPrompts prompts;
  mirel::Application app(prompts, argv[1]);
  app.Main();
  Pump();
  const int trials = _wtoi(argv[2]);
  const int cycles = _wtoi(argv[3]);
  std::printf("pictures in the list: %zu\n", app.state.gDummyList.size());

  const auto median = [](std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  // Each placement of the picture, the natural size first: the switch with the picture
  // prepared ahead, as the idle program has it.
  static const char* const kFits[] = {"natural size at the top-left", "fit", "fill", "stretch", "centred"};
  for (int fit = 0; fit < 5; ++fit) {
    app.settings().dummyFit = static_cast<mirel::DummyFit>(fit);
    std::vector<double> times;
    for (int i = 0; i < trials; ++i) {
      Sleep(20);
      Pump();
      app.dummy().PrepareSoon();
      Pump();
      bench::PumpUntil([&] { return !app.dummy().preparing(); });
      const double start = Now();
      app.ShowDummyScreen();  // paints synchronously before it returns
      times.push_back(Ticks(app.dummy().lastPaintTicks()) - start);
      Return(app);
    }
    std::sort(times.begin(), times.end());
    const auto at = [&](double q) { return times[static_cast<std::size_t>(q * (times.size() - 1) + 0.5)]; };
    std::printf(
        "ShowDummyScreen start to the cover's first complete paint, %s, %d switches: median %.2f ms, p95 %.2f ms, "
        "max %.2f ms\n",
        kFits[fit], trials, at(0.5), at(0.95), times.back());
  }
  app.settings().dummyFit = mirel::DummyFit::kNatural;

  // Cold: the picture not prepared ahead. The cover is up at once in its colour; the figure
  // is to the picture painted.
  std::vector<double> cold;
  std::vector<double> covered;
  for (int i = 0; i < std::min(trials, 10); ++i) {
    bench::PumpUntil([&] { return !app.dummy().preparing(); });
    app.dummy().PreparePicture(L"");  // forget what was prepared
    const double start = Now();
    app.ShowDummyScreen();
    covered.push_back(Ticks(app.dummy().lastPaintTicks()) - start);
    bench::PumpUntil([&] { return !app.dummy().waitingForPicture(); });
    cold.push_back(Ticks(app.dummy().lastPaintTicks()) - start);
    Return(app);
  }
  std::printf(
      "same without the picture prepared ahead: cover up in its colour, median %.2f ms; picture painted, "
      "median %.2f ms\n",
      median(covered), median(cold));

  app.ShowDummyScreen();
  Return(app);
  Pump();
  PrintResources("after the first cycle");
  for (int i = 0; i < cycles; ++i) {
    app.ShowDummyScreen();
    Return(app);
    if (i % 16 == 0) Pump();
  }
  Pump();
  PrintResources(("after " + std::to_string(cycles + 1) + " cycles").c_str());
  std::fflush(stdout);

  // Another program's window activated over the cover (the password on, so that the cover
  // takes the keyboard back each time), to the cover back on top and painted.
  app.settings().requirePassword = true;
  app.ShowDummyScreen();
  Pump();
  std::atomic<bool> stop{false};
  std::atomic<int> asked{0};
  std::atomic<double> activatedAt{0};
  std::thread other([&] {
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                                        nullptr, nullptr);
    int done = 0;
    while (!stop) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      if (asked > done) {
        ++done;
        activatedAt = Now();
        SetForegroundWindow(window);
      }
      Sleep(1);
    }
    DestroyWindow(window);
  });
  std::vector<double> back;
  for (int i = 0; i < std::max(trials, 20); ++i) {
    bench::PumpUntil([&] { return GetForegroundWindow() == app.dummy().hwnd(); });
    Sleep(30);
    Pump();
    const std::int64_t before = app.dummy().lastPaintTicks();
    ++asked;
    bench::PumpUntil([&] { return activatedAt > 0 && app.dummy().lastPaintTicks() != before; });
    if (app.dummy().lastPaintTicks() != before) back.push_back(Ticks(app.dummy().lastPaintTicks()) - activatedAt);
    activatedAt = 0;
  }
  stop = true;
  other.join();
  if (!back.empty())
    std::printf(
        "another program's window activated over the cover, to the cover back on top and painted, %zu "
        "times: median %.2f ms, p95 %.2f ms\n",
        back.size(), median(back), [&] {
          std::sort(back.begin(), back.end());
          return back[static_cast<std::size_t>(0.95 * (back.size() - 1) + 0.5)];
        }());
  std::fflush(stdout);
  return 0;
}
