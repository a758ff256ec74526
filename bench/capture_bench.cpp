// Capture benchmark, inside the real program's code on real windows:
//  - the capture command to the preview painted with the snapshot (the 200 ms settle
//    included), for the whole desktop;
//  - the preview's load and first paint with a 3840 x 2160 snapshot;
//  - writing a 3840 x 2160 capture as a BMP file.
//   capture_bench FOLDER TRIALS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/application.h"
#include "app/capture.h"
#include "bench/bench_support.h"
#include "forms/main/frm_main.h"
#include "forms/preview/frm_preview.h"
#include "platform/files.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// A 3840 x 2160 picture, as a 4K monitor's capture would be.
mirel::Picture FourK() {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3840, -2160, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  mirel::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return {};
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < 3840u * 2160u; ++i) pixels[i] = static_cast<std::uint32_t>(i * 2654435761u);
  return mirel::Picture(std::move(bitmap), 3840, 2160, bits);
}

// Load, show and paint the preview; nothing of the modal loop.
double PreviewPainted(mirel::Application& app, mirel::Picture picture) {
  const double start = bench::Now();
  mirel::frmPreview preview(app, std::move(picture));
  preview.Form_Load();
  ShowWindow(preview.hwnd(), SW_SHOW);
  UpdateWindow(preview.hwnd());
  UpdateWindow(preview.pictureBox());
  GdiFlush();
  const double took = bench::Now() - start;
  preview.Form_Unload();
  bench::Pump();
  return took;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring folder = argv[1];
  const int trials = _wtoi(argv[2]);
  bench::NoPrompts prompts;
  mirel::Application app(prompts, folder);
  app.Main();
  bench::Pump();

  std::vector<double> command;
  std::vector<double> snapshotOnly;
  int width = 0;
  int height = 0;
  for (int i = 0; i < trials; ++i) {
    app.main().SetVisible(true);
    bench::Pump();
    const double start = bench::Now();
    mirel::Picture snapshot = mirel::TakeSnapshot(app, mirel::Snapshot::kDesktop);
    snapshotOnly.push_back(bench::Now() - start);
    width = snapshot.width();
    height = snapshot.height();
    app.main().SetVisible(true);
    command.push_back(bench::Now() - start + PreviewPainted(app, std::move(snapshot)));
  }
  std::printf(
      "desktop capture %d x %d, command to preview painted: median %.1f ms (200 ms settle included), "
      "of which the snapshot %.1f ms\n",
      width, height, Median(command), Median(snapshotOnly));

  std::vector<double> load;
  std::vector<double> encode;
  std::vector<double> write;
  const std::wstring target = mirel::BesideExe(folder, L"bench4k.bmp");
  for (int i = 0; i < trials; ++i) {
    load.push_back(PreviewPainted(app, FourK()));
    const mirel::Picture picture = FourK();
    const double encodeStart = bench::Now();
    const auto bytes = mirel::EncodeBmp24(*picture.Rows());
    encode.push_back(bench::Now() - encodeStart);
    const double start = bench::Now();
    const bool saved = mirel::SaveBitmapFile(picture, target);
    write.push_back(bench::Now() - start);
    if (!saved) std::printf("writing failed\n");
  }
  DeleteFileW(target.c_str());
  std::printf("3840 x 2160 snapshot, preview load to painted: median %.1f ms\n", Median(load));
  std::printf("3840 x 2160 capture written as BMP (24.9 MB): median %.1f ms, of which encoding %.1f ms\n",
              Median(write), Median(encode));
  app.main().Unload();
  bench::Pump();
  return 0;
}
