// The options dialog's return page: the click that ends the cover and the password.
#pragma once

#include "forms/option/option_page.h"

namespace mirel {

class ReturnPage : public OptionPage {
 public:
  explicit ReturnPage(OptionFrame& frame) : OptionPage(frame, 3) {}

  void Load(const Settings& settings) override;
  // A password the settings cannot hold exactly is refused: the old one stays in force.
  void Store(Settings& after) override;
  void chkPassword_Click();

 protected:
  void Command(OptionControl id, int code) override;

 private:
  void UpdateReturnTabStop();
};

}  // namespace mirel
