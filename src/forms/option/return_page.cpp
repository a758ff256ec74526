// The options dialog's return page: the click that ends the cover and the password.
#include <windows.h>

#include <memory>
#include <string>

#include "app/application.h"
#include "core/ui_text.h"
#include "forms/option/option_page.h"
#include "platform/text.h"
#include "settings/settings.h"

namespace mirel {

namespace {

class ReturnPage final : public OptionPage {
 public:
  explicit ReturnPage(OptionFrame& frame) : OptionPage(frame, 3) {}

  void Load(const Settings& s) override {
    const bool doubleClick = s.returnType == ReturnType::kDoubleClick;
    SetChecked(OptionControl::optReturnTypeSingle, !doubleClick);
    SetChecked(OptionControl::optReturnTypeDouble, doubleClick);
    UpdateReturnTabStop();
    SetChecked(OptionControl::chkPassword, s.requirePassword);
    SetText(OptionControl::txtPassword, s.password);
    chkPassword_Click();
  }

  // A password the settings cannot hold exactly would leave another one in force than the
  // user typed: the old one stays, and the user is told. The requirement can still be
  // turned off then, never on.
  void Store(Settings& after) override {
    after.returnType =
        Checked(OptionControl::optReturnTypeDouble) ? ReturnType::kDoubleClick : ReturnType::kSingleClick;
    const std::wstring password = TextOf(OptionControl::txtPassword);
    if (!WideToAnsiExact(password)) {
      app_.prompts().Warn(frame_.dialog(), UiText(Text::kPasswordUnstorable));
      after.requirePassword = after.requirePassword && Checked(OptionControl::chkPassword);
      return;
    }
    after.requirePassword = Checked(OptionControl::chkPassword);
    after.password = password;
  }

 protected:
  void Command(OptionControl id, int code) override {
    if (code != BN_CLICKED) return;
    if (id == OptionControl::chkPassword) chkPassword_Click();
    if (id == OptionControl::optReturnTypeSingle || id == OptionControl::optReturnTypeDouble) UpdateReturnTabStop();
  }

 private:
  void chkPassword_Click() { Enable(OptionControl::txtPassword, Checked(OptionControl::chkPassword)); }

  // Tab reaches the return condition at the chosen button; the arrows move between the two.
  void UpdateReturnTabStop() {
    for (const auto id : {OptionControl::optReturnTypeSingle, OptionControl::optReturnTypeDouble}) {
      HWND button = control(id);
      const LONG style = GetWindowLongW(button, GWL_STYLE);
      SetWindowLongW(button, GWL_STYLE, Checked(id) ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
  }
};

}  // namespace

std::unique_ptr<OptionPage> MakeReturnPage(OptionFrame& frame) {
  return std::make_unique<ReturnPage>(frame);
}

}  // namespace mirel
