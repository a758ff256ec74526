// The options dialog's mouse page: the edge watch, its interval and its edges.
#include <windows.h>

#include <string>

#include "app/application.h"
#include "core/option_rules.h"
#include "forms/option/frm_option.h"
#include "forms/tray/frm_task_tray.h"
#include "settings/settings.h"

namespace mirel {

namespace {

constexpr OptionControl kEdgeBoxes[4] = {OptionControl::chkCheckMouseFlagTop, OptionControl::chkCheckMouseFlagBottom,
                                         OptionControl::chkCheckMouseFlagLeft, OptionControl::chkCheckMouseFlagRight};

}  // namespace

void frmOption::LoadMousePage() {
  const auto& s = app_.state;
  SetChecked(OptionControl::chkCheckMouse, s.gCheckMouse);
  SetText(OptionControl::txtCheckMouseInterval, std::to_wstring(app_.tray().WatchInterval()));
  const EdgeBoxes boxes = EdgeBoxesFromFlag(s.gCheckMouseFlag);
  for (std::size_t i = 0; i < boxes.size(); ++i) SetChecked(kEdgeBoxes[i], boxes[i]);
  chkCheckMouse_Click();
}

void frmOption::chkCheckMouse_Click() {
  const bool on = Checked(OptionControl::chkCheckMouse);
  for (const auto box : kEdgeBoxes) Enable(box, on);
  // A disabled box shows the button face, an enabled one the window colour: the system's
  // own colours for the two states.
  Enable(OptionControl::txtCheckMouseInterval, on);
}

void frmOption::SaveMousePage() {
  auto& s = app_.state;
  auto& tray = app_.tray();
  s.gCheckMouse = Checked(OptionControl::chkCheckMouse);
  const std::uint32_t interval = CorrectedInterval(Text(OptionControl::txtCheckMouseInterval), tray.WatchInterval());
  SetText(OptionControl::txtCheckMouseInterval, std::to_wstring(interval));
  tray.SetItemChecked(kMnuTrayMouse, s.gCheckMouse);
  tray.SetWatchInterval(interval);
  // The watch itself starts again as the dialog closes (when it is on and the main window
  // hidden): started here, it could bring up a cover over a warning the rest of OK shows.
  Write(settings::kCheckMouseInterval, static_cast<std::int32_t>(interval));
  EdgeBoxes boxes{};
  for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i] = Checked(kEdgeBoxes[i]);
  s.gCheckMouseFlag = EdgeFlagFromBoxes(boxes);
  Write(settings::kCheckMouseFlag, s.gCheckMouseFlag);
}

}  // namespace mirel
