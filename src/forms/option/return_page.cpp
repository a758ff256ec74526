#include "forms/option/return_page.h"

#include <windows.h>

#include <string>

#include "app/application.h"
#include "core/option_rules.h"
#include "core/ui_text.h"
#include "platform/text.h"
#include "settings/settings.h"

namespace mirel {

void ReturnPage::Load(const Settings& s) {
  const bool doubleClick = s.returnType == ReturnType::kDoubleClick;
  SetChecked(OptionControl::optReturnTypeSingle, !doubleClick);
  SetChecked(OptionControl::optReturnTypeDouble, doubleClick);
  UpdateReturnTabStop();
  SetChecked(OptionControl::chkPassword, s.requirePassword);
  SetText(OptionControl::txtPassword, s.password);
  chkPassword_Click();
}

void ReturnPage::Command(OptionControl id, int code) {
  if (code != BN_CLICKED) return;
  if (id == OptionControl::chkPassword) chkPassword_Click();
  if (id == OptionControl::optReturnTypeSingle || id == OptionControl::optReturnTypeDouble) UpdateReturnTabStop();
}

void ReturnPage::UpdateReturnTabStop() {
  // Tab reaches the return condition at the chosen button; the arrows move between the two.
  for (const auto id : {OptionControl::optReturnTypeSingle, OptionControl::optReturnTypeDouble}) {
    HWND button = control(id);
    const LONG style = GetWindowLongW(button, GWL_STYLE);
    SetWindowLongW(button, GWL_STYLE, Checked(id) ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
}

void ReturnPage::Store(Settings& after) {
  after.returnType = Checked(OptionControl::optReturnTypeDouble) ? ReturnType::kDoubleClick : ReturnType::kSingleClick;
  // A password the settings cannot hold exactly would leave another one in force than the
  // user typed: the old one stays, and the user is told. The requirement can still be
  // turned off then, never on.
  const std::wstring password = TextOf(OptionControl::txtPassword);
  if (!WideToAnsiExact(password)) {
    app_.prompts().Warn(frame_.dialog(), UiText(Text::kPasswordUnstorable));
    after.requirePassword = after.requirePassword && Checked(OptionControl::chkPassword);
    return;
  }
  after.requirePassword = Checked(OptionControl::chkPassword);
  after.password = password;
}

void ReturnPage::chkPassword_Click() {
  Enable(OptionControl::txtPassword, Checked(OptionControl::chkPassword));
}

}  // namespace mirel
