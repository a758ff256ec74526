#include "forms/option/extras_page.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/application.h"
#include "core/edge_watch.h"
#include "core/option_rules.h"
#include "core/ui_text.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "platform/system_dll.h"
#include "settings/settings.h"
#include "settings/startup_entry.h"

namespace mirel {

void ExtrasPage::Load(const Settings& s) {
  MakeDigitsOnly(control(OptionControl::txtDwellTime));
  MakeDigitsOnly(control(OptionControl::txtIdleCover));
  SetChecked(OptionControl::chkEdgeIgnoreDrag, s.edgeIgnoreDrag);
  SetChecked(OptionControl::chkEdgeCornersOnly, s.edgeCornersOnly);
  SetText(OptionControl::txtIdleCover, std::to_wstring(s.idleCoverMinutes));
  SetChecked(OptionControl::chkPrimaryOnly, s.primaryOnly);
  SendMessageW(control(OptionControl::hkyPanicKey), HKM_SETHOTKEY, s.panicKey & 0xFFFF, 0);
  SetChecked(OptionControl::chkInstantEdges, s.instantEdges);
  SetText(OptionControl::txtDwellTime, std::to_wstring(s.dwellTime));
  SetChecked(OptionControl::chkFullScreenPause, s.fullScreenPause);
  SetChecked(OptionControl::chkQuietCover, s.quietCover);
  // The Run key is the setting: it tells the truth, whatever changed it.
  startsWithWindows_ = StartsWithWindows(ExePath());
  SetChecked(OptionControl::chkStartWithWindows, startsWithWindows_);
  HWND language = control(OptionControl::cboUiLanguage);
  for (const Text choice : kUiLanguageChoices)
    SendMessageW(language, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(UiText(choice)));
  SendMessageW(language, CB_SETCURSEL, static_cast<WPARAM>(s.uiLanguage), 0);
}

void ExtrasPage::Store(Settings& after) {
  after.primaryOnly = Checked(OptionControl::chkPrimaryOnly);
  after.instantEdges = Checked(OptionControl::chkInstantEdges);
  after.fullScreenPause = Checked(OptionControl::chkFullScreenPause);
  after.quietCover = Checked(OptionControl::chkQuietCover);
  // Digits alone, up to ten seconds; anything else is no dwell.
  const std::wstring dwell = TextOf(OptionControl::txtDwellTime);
  after.dwellTime =
      dwell.empty() || dwell.size() > 5 || DigitsOnly(dwell) != dwell ? 0 : EffectiveDwellTime(std::stoi(dwell));
  SetText(OptionControl::txtDwellTime, std::to_wstring(after.dwellTime));
  after.edgeIgnoreDrag = Checked(OptionControl::chkEdgeIgnoreDrag);
  after.edgeCornersOnly = Checked(OptionControl::chkEdgeCornersOnly);
  // Minutes, digits alone, up to a day; anything else is no idle cover.
  const std::wstring idle = TextOf(OptionControl::txtIdleCover);
  after.idleCoverMinutes =
      idle.empty() || idle.size() > 4 || DigitsOnly(idle) != idle ? 0 : EffectiveIdleMinutes(std::stoi(idle));
  SetText(OptionControl::txtIdleCover, std::to_wstring(after.idleCoverMinutes));
  // The drop-down's index is the stored value.
  after.uiLanguage = UiLanguageFromStored(
      static_cast<std::int32_t>(SendMessageW(control(OptionControl::cboUiLanguage), CB_GETCURSEL, 0, 0)));
  after.panicKey =
      static_cast<std::uint32_t>(SendMessageW(control(OptionControl::hkyPanicKey), HKM_GETHOTKEY, 0, 0) & 0xFFFF);
}

void ExtrasPage::Applied() {
  // Only a change is written: an entry of another copy stays until the user ticks the box.
  const bool startWithWindows = Checked(OptionControl::chkStartWithWindows);
  if (startWithWindows == startsWithWindows_) return;
  if (SetStartWithWindows(ExePath(), startWithWindows))
    startsWithWindows_ = startWithWindows;
  else
    app_.prompts().Warn(frame_.dialog(), UiText(Text::kStartWithWindowsFailed));
}

}  // namespace mirel
