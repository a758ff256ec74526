// Desktops of one to four monitors, the primary one at (0, 0), for the tests of what
// depends on where the monitors lie.
#pragma once

#include <vector>

#include "core/edge_watch.h"

namespace mirel::monitor_layouts {

inline const std::vector<MonitorArea> kOne{{0, 0, 1024, 768}};
inline const std::vector<MonitorArea> kSideBySide{{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
inline const std::vector<MonitorArea> kStacked{{0, 0, 1920, 1080}, {0, -1080, 1920, 0}};
// A smaller monitor to the left, lower, at negative coordinates.
inline const std::vector<MonitorArea> kOffset{{0, 0, 2560, 1440}, {-1280, 400, 0, 1424}};
inline const std::vector<MonitorArea> kGrid{
    {0, 0, 100, 100}, {100, 0, 200, 100}, {0, 100, 100, 200}, {100, 100, 200, 200}};

}  // namespace mirel::monitor_layouts
