// The options dialog's rules that need no window: the list editor's button states, the
// interval correction, the edge boxes, the page switch and the dialog's place. Portable.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/control_rules.h"
#include "core/screen_box.h"

namespace mirel {

// Delete, Up and Down of the dummy list editor.
struct ListButtons {
  bool remove = false;
  bool up = false;
  bool down = false;
  bool operator==(const ListButtons&) const = default;
};

// The buttons once entry `selected` (from 0) of `count` entries is selected; all off when
// nothing is selected.
ListButtons SelectionRule(int count, int selected);

// Where the selected entry goes when moved up (-1) or down (+1); nothing when it cannot move.
std::optional<int> MovedPosition(int count, int selected, int direction);

// The check interval an OK stores: the typed text as milliseconds, 100 for an empty box,
// and the timer's current interval for 0, anything above 65535 or text that is no number.
std::uint32_t CorrectedInterval(const std::wstring& text, std::uint32_t currentInterval);

// A box of digits alone (the dwell's milliseconds, the idle minutes): the number typed, or 0
// for an empty box, anything but digits or more than `maxDigits` of them.
std::int32_t TypedNumber(const std::wstring& text, std::size_t maxDigits);

// The four edge boxes (top, bottom, left, right) and the stored edge flag.
using EdgeBoxes = std::array<bool, 4>;
EdgeBoxes EdgeBoxesFromFlag(std::int16_t flag);
std::int16_t EdgeFlagFromBoxes(const EdgeBoxes& boxes);

// The return option shown for a stored ReturnType: double click for 1, single click for
// anything else, as the cover itself treats it.
int ReturnOptionIndex(std::int32_t stored);

// A tab pick: the page to show and the page to hide (indexes from 0), or nothing when the
// tab picked is the one already selected. Tabs are numbered from 1.
struct PageSwitch {
  int show;
  int hide;
};
std::optional<PageSwitch> SwitchPages(int previousTab, int pickedTab);

// The next tab for Ctrl+Tab (+1) and Ctrl+Shift+Tab (-1), wrapping round.
int NeighbourTab(int currentTab, int tabCount, int direction);

}  // namespace mirel
