// The state every window of the program reads and writes. One UI thread, so no locks.
#pragma once

#include <cstdint>
#include <string>

#include "settings/dummy_list.h"

namespace mirel {

// What the windows share beyond the settings (Application::settings()): where the list
// stands, what the user asked for on the way, and where the help is.
struct SharedState {
  bool gIgnoreMouseUp = false;
  bool gMainWasVisible = true;
  bool gDeleteSettings = false;
  std::int16_t gDummyIndex = 0;
  DummyList gDummyList{std::wstring(), std::wstring()};
  // MIREL.DAT was there but could not be read (another program held it): gDummyList is
  // not what the file holds, and the file is read again when the list is next needed.
  bool gDummyListUnread = false;
  std::wstring gHelpFile;  // the help file beside the executable
};

}  // namespace mirel
