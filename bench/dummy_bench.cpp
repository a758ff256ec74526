// Dummy screen benchmark, inside the real program's code on real windows:
//  - ShowDummyScreen to the first complete paint with a large picture, per switch;
//  - GDI objects, USER objects and handles after the first and after many switch/return cycles.
//   dummy_bench FOLDER_WITH_MIREL_DAT TRIALS CYCLES
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
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

  std::vector<double> times;
  for (int i = 0; i < trials; ++i) {
    Sleep(50);
    Pump();  // lets the next picture be prepared, as the idle program would
    const double start = Now();
    app.ShowDummyScreen();  // paints synchronously before it returns
    times.push_back(Ticks(app.dummy().lastPaintTicks()) - start);
    Return(app);
  }
  std::sort(times.begin(), times.end());
  const auto at = [&](double q) { return times[static_cast<std::size_t>(q * (times.size() - 1) + 0.5)]; };
  std::printf(
      "ShowDummyScreen start to the cover's first complete paint, %d switches: median %.2f ms, p95 %.2f ms, max %.2f "
      "ms\n",
      trials, at(0.5), at(0.95), times.back());

  // Cold: the picture not prepared ahead.
  std::vector<double> cold;
  for (int i = 0; i < std::min(trials, 10); ++i) {
    app.dummy().PreparePicture(L"");  // forget what was prepared
    const double start = Now();
    app.ShowDummyScreen();
    cold.push_back(Ticks(app.dummy().lastPaintTicks()) - start);
    Return(app);
  }
  std::sort(cold.begin(), cold.end());
  std::printf("same without the picture prepared ahead: median %.2f ms\n", cold[cold.size() / 2]);

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
  return 0;
}
