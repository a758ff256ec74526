// The options dialog's extras page: the panic key, every monitor, instant edges, dwell, full-screen pause, quiet
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/application.h"
#include "core/option_rules.h"
#include "forms/option/frm_option.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/files.h"
#include "platform/system_dll.h"
#include "settings/settings.h"
#include "settings/startup_entry.h"

namespace mirel {

void frmOption::LoadExtrasPage() {
  const auto& s = app_.state;
  SetChecked(OptionControl::chkPrimaryOnly, s.gPrimaryOnly);
  SendMessageW(control(OptionControl::hkyPanicKey), HKM_SETHOTKEY, s.gPanicKey & 0xFFFF, 0);
  SetChecked(OptionControl::chkInstantEdges, s.gInstantEdges);
  SetText(OptionControl::txtDwellTime, std::to_wstring(s.gDwellTime));
  SetChecked(OptionControl::chkFullScreenPause, s.gFullScreenPause);
  SetChecked(OptionControl::chkQuietCover, s.gQuietCover);
  // The Run key is the setting: it tells the truth, whatever changed it.
  startsWithWindows_ = StartsWithWindows(ExePath());
  SetChecked(OptionControl::chkStartWithWindows, startsWithWindows_);
}

void frmOption::SaveExtrasPage() {
  auto& s = app_.state;
  auto& tray = app_.tray();
  s.gPrimaryOnly = Checked(OptionControl::chkPrimaryOnly);
  s.gInstantEdges = Checked(OptionControl::chkInstantEdges);
  s.gFullScreenPause = Checked(OptionControl::chkFullScreenPause);
  s.gQuietCover = Checked(OptionControl::chkQuietCover);
  // Digits alone, up to ten seconds; anything else is no dwell.
  const std::wstring dwell = Text(OptionControl::txtDwellTime);
  s.gDwellTime =
      dwell.empty() || dwell.size() > 5 || DigitsOnly(dwell) != dwell ? 0 : EffectiveDwellTime(std::stoi(dwell));
  SetText(OptionControl::txtDwellTime, std::to_wstring(s.gDwellTime));
  const auto panicKey =
      static_cast<std::uint32_t>(SendMessageW(control(OptionControl::hkyPanicKey), HKM_GETHOTKEY, 0, 0) & 0xFFFF);
  const bool panicKeyChanged = panicKey != s.gPanicKey;
  s.gPanicKey = panicKey;
  tray.UpdateScreens(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  if (panicKeyChanged) tray.RegisterPanicKey(hwnd());
  // The watch switches between the timer and instant edges as the dialog closes.
  Write(settings::kPrimaryOnly, s.gPrimaryOnly);
  Write(settings::kInstantEdges, s.gInstantEdges);
  Write(settings::kFullScreenPause, s.gFullScreenPause);
  Write(settings::kQuietCover, s.gQuietCover);
  Write(settings::kDwellTime, static_cast<std::int32_t>(s.gDwellTime));
  Write(settings::kPanicKey, static_cast<std::int32_t>(s.gPanicKey));
  // Only a change is written: an entry of another copy stays until the user ticks the box.
  const bool startWithWindows = Checked(OptionControl::chkStartWithWindows);
  if (startWithWindows != startsWithWindows_) {
    if (SetStartWithWindows(ExePath(), startWithWindows))
      startsWithWindows_ = startWithWindows;
    else
      app_.prompts().Warn(hwnd(), kStartWithWindowsFailedText);
  }
}

}  // namespace mirel
