#include "forms/about/frm_about.h"

#include "app/application.h"
#include "app/window_utils.h"
#include "forms/about/version_info.h"
#include "forms/main/frm_main.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/twips.h"

namespace mirel {

namespace {

constexpr const wchar_t* kAboutClass = L"MirelAbout";
constexpr int kClientWidthTwips = 3480;
constexpr int kClientHeightTwips = 1140;
// Layout in twips: left, top, width, height.
constexpr int kPicIcon[4] = {120, 120, 480, 480};
constexpr int kLblVersion[4] = {780, 180, 2175, 255};
constexpr int kLblCopyright[4] = {840, 420, 2535, 255};
constexpr int kCmdOK[4] = {1073, 720, 1335, 315};

VersionInfo ProgramVersion() {
  const HMODULE exe = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));  // RT_VERSION
  const HGLOBAL loaded = found ? LoadResource(exe, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes) {
    if (auto info = ParseVersionResource(static_cast<const std::uint8_t*>(bytes), SizeofResource(exe, found)))
      return *info;
  }
  return {};
}

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::wstring ProgramVersionText() { return Wide(VersionText(ProgramVersion())); }
std::wstring ProgramCopyright() { return Wide(ProgramVersion().copyright); }

void frmAbout::ShowModal(Application& app, HWND owner) {
  frmAbout about(app, owner);
  about.Form_Load();
  if (about.hwnd()) about.RunModalLoop();
  about.Form_Unload();
}

frmAbout::~frmAbout() { Form_Unload(); }

HWND frmAbout::CreateControl(const wchar_t* cls, const std::wstring& text, DWORD style, int id,
                             const int (&twips)[4]) {
  const unsigned dpi = Dpi();
  HWND control = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, TwipsToPixels(twips[0], dpi),
                                 TwipsToPixels(twips[1], dpi), TwipsToPixels(twips[2], dpi),
                                 TwipsToPixels(twips[3], dpi), hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  return control;
}

void frmAbout::Form_Load() {
  auto& main = app_.main();
  // 1. No cover while the box is open.
  app_.tray().SetWatchEnabled(false);
  // 2. The main window must not cover the box.
  SetWindowPos(main.hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  ClassSpec cls{kAboutClass, 0, nullptr, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};
  if (!Create(cls, exStyle, L"バージョン情報", style, 0, 0, 10, 10, owner_, nullptr)) return;
  const unsigned dpi = Dpi();
  RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Centred over the owner; over the screen while the owner is hidden.
  RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner_ && IsWindowVisible(owner_)) GetWindowRect(owner_, &over);
  const int x = over.left + (over.right - over.left - width) / 2;
  const int y = over.top + (over.bottom - over.top - height) / 2;
  SetWindowPos(hwnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  font_.reset(CreateMessageFont(dpi));

  // 3.-5. The texts and the main window's icon (there even while the main window is hidden).
  lblVersion_ = CreateControl(L"STATIC", ProgramVersionText(), SS_LEFT | SS_NOPREFIX, -1, kLblVersion);
  lblCopyright_ = CreateControl(L"STATIC", ProgramCopyright(), SS_LEFT | SS_NOPREFIX, -1, kLblCopyright);
  picIcon_ = CreateControl(L"STATIC", L"", SS_ICON, -1, kPicIcon);
  SendMessageW(picIcon_, STM_SETICON, reinterpret_cast<WPARAM>(main.largeIcon()), 0);
  cmdOK_ = CreateControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, kCmdOK);
}

void frmAbout::RunModalLoop() {
  const HWND others[] = {app_.main().hwnd(), app_.tray().hwnd()};
  for (HWND other : others)
    if (other) EnableWindow(other, FALSE);
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  SetFocus(cmdOK_);
  MSG msg;
  while (!closed_ && hwnd()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the program is ending
      break;
    }
    if (got == -1) break;
    if (hwnd() && IsDialogMessageW(hwnd(), &msg)) continue;  // Enter, Esc and Tab
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  for (HWND other : others)
    if (other && IsWindow(other)) EnableWindow(other, TRUE);
}

void frmAbout::cmdOK_Click() { closed_ = true; }

void frmAbout::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  closed_ = true;
  auto& main = app_.main();
  // 1. The main window's band as the user chose it.
  SetTopMost(main.hwnd(), app_.state.gAlwaysTop);
  // 2. The watch again, when it is on and the main window is hidden.
  app_.tray().SetWatchEnabled(app_.state.gCheckMouse && !main.Visible());
  Destroy();
}

LRESULT frmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        cmdOK_Click();
        return 0;
      }
      break;
    case WM_CLOSE:
      cmdOK_Click();
      return 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

}  // namespace mirel
