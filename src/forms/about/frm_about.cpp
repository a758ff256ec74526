#include "forms/about/frm_about.h"

#include "app/application.h"
#include "core/twips.h"
#include "core/ui_text.h"
#include "core/version_info.h"
#include "platform/window.h"

namespace mirel {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
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

std::wstring Wide(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

}  // namespace

std::wstring ProgramVersionText() {
  return Wide(VersionText(ProgramVersion()));
}
std::wstring ProgramCopyright() {
  return Wide(ProgramVersion().copyright);
}

void frmAbout::ShowModal(Application& app, HWND owner) {
  frmAbout about(app, owner);
  about.Form_Load();
  if (about.hwnd()) about.RunModalLoop();
  about.Form_Unload();
}

frmAbout::~frmAbout() {
  Form_Unload();
}

HWND frmAbout::CreateControl(const wchar_t* cls, const std::wstring& text, DWORD style, int id, const int (&twips)[4]) {
  return CreateTwipsChild(hwnd(), cls, text, style, id, twips);
}

void frmAbout::Form_Load() {
  // 1.-2. No cover and no topmost main window while the box is open.
  app_.ModalWindowLoading();
  Create(kAboutClass, kExStyle, UiText(Text::kAboutCaption), kStyle, owner_);
}

void frmAbout::OnInitDialog() {
  const auto [width, height] =
      FrameSizeForClient(kClientWidthTwips, kClientHeightTwips, kStyle, kExStyle, false, Dpi());
  // Centred over the owner; over the screen while the owner is hidden.
  RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner_ && IsWindowVisible(owner_)) GetWindowRect(owner_, &over);
  const int x = over.left + (over.right - over.left - width) / 2;
  const int y = over.top + (over.bottom - over.top - height) / 2;
  SetWindowPos(hwnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  CreateFont();

  // 3.-5. The texts and the main window's icon (there even while the main window is hidden).
  lblVersion_ = CreateControl(L"STATIC", ProgramVersionText(), SS_LEFT | SS_NOPREFIX, -1, kLblVersion);
  lblCopyright_ = CreateControl(L"STATIC", ProgramCopyright(), SS_LEFT | SS_NOPREFIX, -1, kLblCopyright);
  // Named for screen readers; the icon itself comes from the main window.
  picIcon_ = CreateControl(L"STATIC", L"Mirel", SS_ICON, -1, kPicIcon);
  SendMessageW(picIcon_, STM_SETICON, reinterpret_cast<WPARAM>(app_.appIcon(true)), 0);
  cmdOK_ = CreateControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, kCmdOK);
}

void frmAbout::RunModalLoop() {
  app_.RunModal(hwnd(), cmdOK_, closed_, nullptr, true);
}

void frmAbout::cmdOK_Click() {
  closed_ = true;
}

void frmAbout::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  closed_ = true;
  app_.ModalWindowUnloaded();
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
    case WM_CLOSE: cmdOK_Click(); return 0;
    default: break;
  }
  return DefaultProc(message, wParam, lParam);
}

}  // namespace mirel
