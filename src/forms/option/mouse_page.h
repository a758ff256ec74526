// The options dialog's mouse page: the edge watch, its interval and its edges.
#pragma once

#include "forms/option/option_page.h"

namespace mirel {

class MousePage : public OptionPage {
 public:
  explicit MousePage(OptionFrame& frame) : OptionPage(frame, 2) {}

  void Load(const Settings& settings) override;
  // An interval that is not a number of 1 to 65535 keeps the one in force.
  void Store(Settings& after) override;
  void chkCheckMouse_Click();

 protected:
  void Command(OptionControl id, int code) override;
};

}  // namespace mirel
