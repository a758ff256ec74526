// The state every window of the program reads and writes. One UI thread, so no locks.
#pragma once

#include <cstdint>
#include <string>

#include "settings/dummy_list.h"

namespace mirel {

struct SharedState {
  bool gAlwaysTop = false;
  bool gNonTitleBar = false;
  bool gAutoAdjust = false;
  bool gViewRandom = false;
  bool gCheckMouse = false;
  bool gRequirePassword = false;
  bool gIgnoreMouseUp = false;
  bool gMainWasVisible = true;
  bool gDeleteSettings = false;
  std::int16_t gCheckMouseFlag = 15;
  std::int16_t gReturnType = 0;
  std::int16_t gDummyIndex = 0;
  DummyList gDummyList{std::wstring(), std::wstring()};
  // MIREL.DAT was there but could not be read (another program held it): gDummyList is
  // not what the file holds, and the file is read again when the list is next needed.
  bool gDummyListUnread = false;
  std::wstring gHelpFile;  // the help file beside the executable
  // Beyond the first release: each off (or 0) keeps the first release's behaviour, but
  // gPrimaryOnly, whose default covers every monitor.
  std::uint32_t gPanicKey = 0;  // the hot-key control's value: key and HOTKEYF_ modifiers
  bool gPrimaryOnly = false;
  bool gInstantEdges = false;
  bool gQuietCover = false;
  bool gFullScreenPause = false;
  std::uint32_t gDwellTime = 0;  // milliseconds at the edge before the cover comes up
  std::int32_t gDummyFit = 0;    // a DummyFit value, already checked
  bool gDummyEveryMonitor = false;
};

}  // namespace mirel
