// The options dialog's extras page: every monitor, the panic key, instant edges, the
// dwell, no cover during a drag, corners only, the full-screen pause, the idle cover,
// quiet covers, the start with Windows and the language of the interface.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "app/application.h"
#include "core/edge_watch.h"
#include "core/option_rules.h"
#include "core/ui_text.h"
#include "forms/option/option_page.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "settings/settings.h"
#include "settings/startup_entry.h"

namespace mirel {

namespace {

class ExtrasPage final : public OptionPage {
 public:
  explicit ExtrasPage(OptionFrame& frame) : OptionPage(frame, 4) {}

  void Load(const Settings& s) override {
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
    FillChoices(OptionControl::cboUiLanguage, kUiLanguageChoices, static_cast<int>(s.uiLanguage));
  }

  void Store(Settings& after) override {
    after.primaryOnly = Checked(OptionControl::chkPrimaryOnly);
    after.instantEdges = Checked(OptionControl::chkInstantEdges);
    after.fullScreenPause = Checked(OptionControl::chkFullScreenPause);
    after.quietCover = Checked(OptionControl::chkQuietCover);
    // Up to ten seconds of dwell and a day of idle minutes; anything else is none.
    after.dwellTime = EffectiveDwellTime(TypedNumber(TextOf(OptionControl::txtDwellTime), 5));
    SetText(OptionControl::txtDwellTime, std::to_wstring(after.dwellTime));
    after.edgeIgnoreDrag = Checked(OptionControl::chkEdgeIgnoreDrag);
    after.edgeCornersOnly = Checked(OptionControl::chkEdgeCornersOnly);
    after.idleCoverMinutes = EffectiveIdleMinutes(TypedNumber(TextOf(OptionControl::txtIdleCover), 4));
    SetText(OptionControl::txtIdleCover, std::to_wstring(after.idleCoverMinutes));
    after.uiLanguage = UiLanguageFromStored(Choice(OptionControl::cboUiLanguage));
    after.panicKey =
        static_cast<std::uint32_t>(SendMessageW(control(OptionControl::hkyPanicKey), HKM_GETHOTKEY, 0, 0) & 0xFFFF);
  }

  // The start with Windows is the system's own setting (the Run key): written after the
  // others, and only when the box changed.
  void Applied() override {
    const bool startWithWindows = Checked(OptionControl::chkStartWithWindows);
    if (startWithWindows == startsWithWindows_) return;
    if (SetStartWithWindows(ExePath(), startWithWindows))
      startsWithWindows_ = startWithWindows;
    else
      app_.prompts().Warn(frame_.dialog(), UiText(Text::kStartWithWindowsFailed));
  }

 private:
  bool startsWithWindows_ = false;  // as the Run key said when the dialog opened
};

}  // namespace

std::unique_ptr<OptionPage> MakeExtrasPage(OptionFrame& frame) {
  return std::make_unique<ExtrasPage>(frame);
}

}  // namespace mirel
