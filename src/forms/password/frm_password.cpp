#include "forms/password/frm_password.h"

#include "core/twips.h"
#include "core/ui_text.h"
#include "dialogs/prompts.h"
#include "platform/modal_loop.h"
#include "platform/window.h"
#include "settings/settings.h"

namespace mirel {

namespace {
constexpr const wchar_t* kPasswordClass = L"MirelPassword";
// Fixed dialog frame, no close box: only the right password ends the prompt.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
constexpr int kClientWidthTwips = 2865;
constexpr int kClientHeightTwips = 1290;
constexpr int kTxtPasswordId = 1001;
// Layout in twips: left, top, width, height.
constexpr int kLblPassword[4] = {240, 120, 2355, 255};
constexpr int kTxtPassword[4] = {180, 420, 2475, 270};
constexpr int kCmdOK[4] = {780, 840, 1335, 315};
}  // namespace

bool frmPassword::ShowModal(HWND dummyWindow) {
  frmPassword prompt(dummyWindow);
  prompt.Form_Load();
  if (!prompt.hwnd()) return false;
  RunModalLoop(prompt.hwnd(), prompt.txtPassword_, {dummyWindow}, prompt.done_, nullptr, true);
  const bool typed = prompt.done_;
  prompt.Form_Unload();
  return typed;
}

HWND frmPassword::CreateControl(const wchar_t* cls, const wchar_t* text, DWORD style, int id, const int (&twips)[4]) {
  return CreateTwipsChild(hwnd(), cls, text, style, id, twips);
}

void frmPassword::Form_Load() {
  Create(kPasswordClass, kExStyle, UiText(Text::kPasswordCaption), kStyle, dummy_);
}

void frmPassword::OnInitDialog() {
  const auto [width, height] =
      FrameSizeForClient(kClientWidthTwips, kClientHeightTwips, kStyle, kExStyle, false, Dpi());
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  CreateFont();
  lblPassword_ = CreateControl(L"STATIC", UiText(Text::kPasswordPrompt), SS_LEFT, -1, kLblPassword);
  txtPassword_ = CreateControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kTxtPasswordId, kTxtPassword);
  cmdOK_ = CreateControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, kCmdOK);
  // 1. Above the dummy screen, which is topmost too.
  SetWindowPos(hwnd(), HWND_TOPMOST, x, y, width, height, 0);
  // 2. The stored password, read afresh at every prompt.
  mPassword = StoredPassword();
}

void frmPassword::Form_GotFocus() {
  if (txtPassword_) SetFocus(txtPassword_);
}

void frmPassword::cmdOK_Click() {
  const int length = GetWindowTextLengthW(txtPassword_);
  std::wstring typed(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(txtPassword_, typed.data(), length + 1);
  typed.resize(static_cast<std::size_t>(length));
  if (typed == mPassword) {
    done_ = true;
    return;
  }
  MessageBoxW(hwnd(), UiText(Text::kWrongPassword), UiText(Text::kWarningCaption), MB_OK | MB_ICONEXCLAMATION);
  SetFocus(txtPassword_);
  SendMessageW(txtPassword_, EM_SETSEL, 0, length);
}

void frmPassword::Form_Unload() {
  Destroy();
  if (dummy_) SetWindowPos(dummy_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

LRESULT frmPassword::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS: Form_GotFocus(); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) Form_GotFocus();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        cmdOK_Click();
        return 0;
      }
      break;
    case WM_CLOSE: return 0;  // a close from the frame or the system does not skip the password
    default: break;
  }
  return DefaultProc(message, wParam, lParam);
}

}  // namespace mirel
