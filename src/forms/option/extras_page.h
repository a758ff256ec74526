// The options dialog's extras page: every monitor, the panic key, instant edges, the
// dwell, no cover during a drag, corners only, the full-screen pause, the idle cover,
// quiet covers, the start with Windows and the language of the interface.
#pragma once

#include "forms/option/option_page.h"

namespace mirel {

class ExtrasPage : public OptionPage {
 public:
  explicit ExtrasPage(OptionFrame& frame) : OptionPage(frame, 4) {}

  void Load(const Settings& settings) override;
  void Store(Settings& after) override;
  // The start with Windows is the system's own setting (the Run key): written after the
  // others, and only when the box changed.
  void Applied() override;

 private:
  bool startsWithWindows_ = false;  // as the Run key said when the dialog opened
};

}  // namespace mirel
