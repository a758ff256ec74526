// The options dialog's return page: the click that ends the cover and the password.
#include <windows.h>

#include <string>

#include "app/application.h"
#include "core/option_rules.h"
#include "forms/option/frm_option.h"
#include "platform/text.h"
#include "settings/settings.h"

namespace mirel {

namespace {

constexpr const wchar_t* kUnstorablePassword =
    L"パスワードにシステムの文字コードで保存できない文字が含まれているため、パスワードは変更されませんでした。";

}  // namespace

void frmOption::LoadReturnPage() {
  const int option = ReturnOptionIndex(Read(settings::kReturnType));
  SetChecked(OptionControl::optReturnTypeSingle, option == 0);
  SetChecked(OptionControl::optReturnTypeDouble, option == 1);
  UpdateReturnTabStop();
  SetChecked(OptionControl::chkPassword, app_.state.gRequirePassword);
  SetText(OptionControl::txtPassword, Read(settings::kPassword));
  chkPassword_Click();
}

void frmOption::UpdateReturnTabStop() {
  // Tab reaches the return condition at the chosen button; the arrows move between the two.
  for (const auto id : {OptionControl::optReturnTypeSingle, OptionControl::optReturnTypeDouble}) {
    HWND button = control(id);
    const LONG style = GetWindowLongW(button, GWL_STYLE);
    SetWindowLongW(button, GWL_STYLE, Checked(id) ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
}

void frmOption::SaveReturnPage() {
  auto& s = app_.state;
  const std::int16_t option = Checked(OptionControl::optReturnTypeDouble) ? 1 : 0;
  s.gReturnType = option;
  Write(settings::kReturnType, option);
  // A password the settings cannot hold exactly would leave another one in force than the
  // user typed: the password settings then stay as they were, and the user is told.
  const std::wstring password = Text(OptionControl::txtPassword);
  if (!WideToAnsiExact(password)) {
    // The old password stays; the requirement can still be turned off, never on with it.
    app_.prompts().Warn(hwnd(), kUnstorablePassword);
    s.gRequirePassword = s.gRequirePassword && Checked(OptionControl::chkPassword);
    Write(settings::kRequirePassword, s.gRequirePassword);
    return;
  }
  s.gRequirePassword = Checked(OptionControl::chkPassword);
  Write(settings::kRequirePassword, s.gRequirePassword);
  Write(settings::kPassword, password);
}

void frmOption::chkPassword_Click() {
  Enable(OptionControl::txtPassword, Checked(OptionControl::chkPassword));
}

}  // namespace mirel
