// The options dialog's mouse page: the edge watch, its interval and its edges.
#include <windows.h>

#include <memory>
#include <string>

#include "core/option_rules.h"
#include "forms/option/option_page.h"
#include "platform/controls.h"
#include "settings/settings.h"

namespace mirel {

namespace {

constexpr OptionControl kEdgeBoxes[4] = {OptionControl::chkCheckMouseFlagTop, OptionControl::chkCheckMouseFlagBottom,
                                         OptionControl::chkCheckMouseFlagLeft, OptionControl::chkCheckMouseFlagRight};

class MousePage final : public OptionPage {
 public:
  explicit MousePage(OptionFrame& frame) : OptionPage(frame, 2) {}

  void Load(const Settings& s) override {
    MakeDigitsOnly(control(OptionControl::txtCheckMouseInterval));
    SetChecked(OptionControl::chkCheckMouse, s.checkMouse);
    SetText(OptionControl::txtCheckMouseInterval, std::to_wstring(s.checkMouseInterval));
    const EdgeBoxes boxes = EdgeBoxesFromFlag(s.checkMouseFlag);
    for (std::size_t i = 0; i < boxes.size(); ++i) SetChecked(kEdgeBoxes[i], boxes[i]);
    chkCheckMouse_Click();
  }

  // An interval that is not a number of 1 to 65535 keeps the one in force.
  void Store(Settings& after) override {
    after.checkMouse = Checked(OptionControl::chkCheckMouse);
    after.checkMouseInterval =
        CorrectedInterval(TextOf(OptionControl::txtCheckMouseInterval), after.checkMouseInterval);
    SetText(OptionControl::txtCheckMouseInterval, std::to_wstring(after.checkMouseInterval));
    EdgeBoxes boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i] = Checked(kEdgeBoxes[i]);
    after.checkMouseFlag = EdgeFlagFromBoxes(boxes);
  }

 protected:
  void Command(OptionControl id, int code) override {
    if (id == OptionControl::chkCheckMouse && code == BN_CLICKED) chkCheckMouse_Click();
  }

 private:
  void chkCheckMouse_Click() {
    const bool on = Checked(OptionControl::chkCheckMouse);
    for (const auto box : kEdgeBoxes) Enable(box, on);
    // A disabled box shows the button face, an enabled one the window colour: the system's
    // own colours for the two states.
    Enable(OptionControl::txtCheckMouseInterval, on);
  }
};

}  // namespace

std::unique_ptr<OptionPage> MakeMousePage(OptionFrame& frame) {
  return std::make_unique<MousePage>(frame);
}

}  // namespace mirel
