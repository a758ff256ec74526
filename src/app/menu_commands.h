// The commands of the main window's menus and of the tray's, and the entries the two share:
// each shared caption written once, so that the two menus say the same thing. What a
// command does is in app/actions.h.
#pragma once

#include <windows.h>

#include "core/ui_text.h"

namespace mirel {

// Menu command identifiers of the main window.
enum MainMenuId : UINT {
  kMnuFileDeleteRegistry = 100,
  kMnuFileExit,
  kMnuViewHideWindow,
  kMnuViewHideTitleBar,
  kMnuViewCapture0,
  kMnuViewCapture1,
  kMnuViewOption,
  kMnuHelpContents,
  kMnuHelpSearchTopic,
  kMnuHelpAbout,
};

// Menu command identifiers of the tray.
enum TrayMenuId : UINT {
  kMnuTrayView = 200,
  kMnuTrayTitleBar,
  kMnuTrayMouse,
  kMnuTrayCapture,
  kMnuTrayOption,
  kMnuTrayHelp,
  kMnuTrayAbout,
  kMnuTrayExit,
};

// An entry of both menus: the same action under both identifiers.
struct SharedMenuEntry {
  UINT mainId;
  UINT trayId;
  Text caption;
};

inline constexpr SharedMenuEntry kSharedMenuEntries[] = {
    {kMnuViewHideWindow, kMnuTrayView, Text::kMenuShowWindow},
    {kMnuViewHideTitleBar, kMnuTrayTitleBar, Text::kMenuShowTitleBar},
    {kMnuViewOption, kMnuTrayOption, Text::kMenuOptions},
    {kMnuHelpAbout, kMnuTrayAbout, Text::kMenuAbout},
    {kMnuFileExit, kMnuTrayExit, Text::kMenuExit},
};

// The caption of a shared entry, by either identifier.
constexpr Text SharedCaption(UINT id) {
  for (const auto& entry : kSharedMenuEntries)
    if (entry.mainId == id || entry.trayId == id) return entry.caption;
  return Text::kNone;
}

}  // namespace mirel
