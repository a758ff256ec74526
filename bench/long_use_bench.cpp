// Long use, inside the real program's code on real windows: many cover/return cycles, then
// many openings of every dialog, with the process's resources printed along the way. Flat
// figures from the first hundred to the last mean nothing is lost per use.
//   long_use_bench FOLDER CYCLES OPENINGS
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>

#include "app/application.h"
#include "app/capture.h"
#include "bench/bench_support.h"
#include "forms/about/frm_about.h"
#include "forms/dummy/frm_dummy.h"
#include "forms/main/frm_main.h"
#include "forms/option/frm_option.h"
#include "forms/preview/frm_preview.h"

namespace {

void PrintResources(const std::string& when) {
  const auto r = bench::ProcessResources();
  std::printf("  %-34s GDI %4lu  USER %4lu  handles %4lu  private %6.1f MB\n", when.c_str(), r.gdi, r.user, r.handles,
              r.privateMb);
  std::fflush(stdout);
}

template <typename Open>
void Openings(const char* name, int count, Open open) {
  for (int i = 1; i <= count; ++i) {
    open();
    bench::Pump();
    if (i == 100 || i == count) PrintResources(std::string(name) + " after " + std::to_string(i));
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  const int cycles = _wtoi(argv[2]);
  const int openings = _wtoi(argv[3]);
  bench::NoPrompts prompts;
  mirel::Application app(prompts, argv[1]);
  app.Main();
  bench::Pump();
  PrintResources("at start");
  for (int i = 1; i <= cycles; ++i) {
    app.ShowDummyScreen();
    bench::ReturnByClick(app);
    if (i == 100 || i == cycles) PrintResources("cover/return after " + std::to_string(i));
  }
  HWND main = app.main().hwnd();
  Openings("options dialog", openings, [&] {
    mirel::frmOption option(app, main);
    option.Form_Load();
    ShowWindow(option.hwnd(), SW_SHOW);
    UpdateWindow(option.hwnd());
    option.Form_Unload();
  });
  Openings("about box", openings, [&] {
    mirel::frmAbout about(app, main);
    about.Form_Load();
    ShowWindow(about.hwnd(), SW_SHOW);
    UpdateWindow(about.hwnd());
    about.Form_Unload();
  });
  Openings("capture preview", openings, [&] {
    mirel::frmPreview preview(app, mirel::TakeSnapshot(app, mirel::Snapshot::kActiveWindow));
    preview.Form_Load();
    ShowWindow(preview.hwnd(), SW_SHOW);
    UpdateWindow(preview.hwnd());
    preview.Form_Unload();
  });
  return 0;
}
