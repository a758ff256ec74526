// Options dialog benchmark, inside the real program's code on real windows: the command
// to the dialog shown with every control painted, with no list file and with a list file
// of 1000 existing pictures.
//   option_bench FOLDER TRIALS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/application.h"
#include "bench/bench_support.h"
#include "forms/main/frm_main.h"
#include "forms/option/frm_option.h"
#include "platform/text.h"

namespace {

double Quantile(std::vector<double> values, double q) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
}

// Load, show and paint the dialog and every control on it; nothing of the modal loop.
double DialogPainted(mirel::Application& app) {
  const double start = bench::Now();
  mirel::frmOption option(app, app.main().hwnd());
  option.Form_Load();
  ShowWindow(option.hwnd(), SW_SHOW);
  RedrawWindow(option.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
  const double took = bench::Now() - start;
  option.Form_Unload();
  bench::Pump();
  return took;
}

void Run(const wchar_t* label, const std::wstring& folder, int trials) {
  bench::NoPrompts prompts;
  mirel::Application app(prompts, folder);
  app.Main();
  bench::Pump();
  DialogPainted(app);  // the first opening loads the common controls: reported apart
  std::vector<double> times;
  for (int i = 0; i < trials; ++i) times.push_back(DialogPainted(app));
  std::printf("%ls: median %.1f ms, p95 %.1f ms\n", label, Quantile(times, 0.5), Quantile(times, 0.95));
  app.main().Unload();
  bench::Pump();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring folder = argv[1];
  const int trials = _wtoi(argv[2]);
  const std::wstring listed = folder + L"\\listed";
  CreateDirectoryW(listed.c_str(), nullptr);
  DeleteFileW((folder + L"\\MIREL.DAT").c_str());
  Run(L"command to dialog painted, no list file", folder, trials);

  // 1000 pictures, each its own file, all listed.
  std::string list;
  for (int i = 0; i < 1000; ++i) {
    const std::wstring path = listed + L"\\picture" + std::to_wstring(i) + L".bmp";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, "BM", 2, &written, nullptr);
    CloseHandle(file);
    list += *mirel::WideToAnsiExact(path) + "\r\n";
  }
  HANDLE file = CreateFileW((listed + L"\\MIREL.DAT").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, list.data(), static_cast<DWORD>(list.size()), &written, nullptr);
  CloseHandle(file);
  Run(L"command to dialog painted, 1000-entry list file", listed, trials);
  return 0;
}
