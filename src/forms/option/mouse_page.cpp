#include "forms/option/mouse_page.h"

#include <windows.h>

#include <string>

#include "app/application.h"
#include "core/option_rules.h"
#include "platform/controls.h"
#include "settings/settings.h"

namespace mirel {

namespace {

constexpr OptionControl kEdgeBoxes[4] = {OptionControl::chkCheckMouseFlagTop, OptionControl::chkCheckMouseFlagBottom,
                                         OptionControl::chkCheckMouseFlagLeft, OptionControl::chkCheckMouseFlagRight};

}  // namespace

void MousePage::Load(const Settings& s) {
  MakeDigitsOnly(control(OptionControl::txtCheckMouseInterval));
  SetChecked(OptionControl::chkCheckMouse, s.checkMouse);
  SetText(OptionControl::txtCheckMouseInterval, std::to_wstring(s.checkMouseInterval));
  const EdgeBoxes boxes = EdgeBoxesFromFlag(s.checkMouseFlag);
  for (std::size_t i = 0; i < boxes.size(); ++i) SetChecked(kEdgeBoxes[i], boxes[i]);
  chkCheckMouse_Click();
}

void MousePage::Command(OptionControl id, int code) {
  if (id == OptionControl::chkCheckMouse && code == BN_CLICKED) chkCheckMouse_Click();
}

void MousePage::chkCheckMouse_Click() {
  const bool on = Checked(OptionControl::chkCheckMouse);
  for (const auto box : kEdgeBoxes) Enable(box, on);
  // A disabled box shows the button face, an enabled one the window colour: the system's
  // own colours for the two states.
  Enable(OptionControl::txtCheckMouseInterval, on);
}

void MousePage::Store(Settings& after) {
  after.checkMouse = Checked(OptionControl::chkCheckMouse);
  after.checkMouseInterval = CorrectedInterval(TextOf(OptionControl::txtCheckMouseInterval), after.checkMouseInterval);
  SetText(OptionControl::txtCheckMouseInterval, std::to_wstring(after.checkMouseInterval));
  EdgeBoxes boxes{};
  for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i] = Checked(kEdgeBoxes[i]);
  after.checkMouseFlag = EdgeFlagFromBoxes(boxes);
}

}  // namespace mirel
