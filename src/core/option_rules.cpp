#include "core/option_rules.h"

#include <algorithm>

namespace mirel {

ListButtons SelectionRule(int count, int selected) {
  if (selected < 0 || selected >= count) return {};
  ListButtons buttons{true, true, true};
  if (count == 1) {
    buttons.up = buttons.down = false;
  } else if (selected == 0) {
    buttons.up = false;
  } else if (selected == count - 1) {
    buttons.down = false;
  }
  return buttons;
}

std::optional<int> MovedPosition(int count, int selected, int direction) {
  if (selected < 0 || selected >= count) return std::nullopt;
  const int target = selected + (direction < 0 ? -1 : 1);
  if (target < 0 || target >= count) return std::nullopt;
  return target;
}

std::uint32_t CorrectedInterval(const std::wstring& text, std::uint32_t currentInterval) {
  if (text.empty()) return 100;
  std::uint64_t value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return currentInterval;  // pasted text that is no number counts as 0
    value = value * 10 + static_cast<std::uint64_t>(c - L'0');
    if (value > 65535) return currentInterval;  // also stops a long number from overflowing
  }
  if (value == 0) return currentInterval;
  return static_cast<std::uint32_t>(value);
}

std::int32_t TypedNumber(const std::wstring& text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits || maxDigits > 9) return 0;
  std::int32_t value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return 0;
    value = value * 10 + (c - L'0');
  }
  return value;
}

EdgeBoxes EdgeBoxesFromFlag(std::int16_t flag) {
  const auto bits = static_cast<std::uint16_t>(flag);
  return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
}

std::int16_t EdgeFlagFromBoxes(const EdgeBoxes& boxes) {
  std::int16_t flag = 0;
  for (std::size_t i = 0; i < boxes.size(); ++i)
    if (boxes[i]) flag = static_cast<std::int16_t>(flag | (1 << i));
  return flag;
}

int ReturnOptionIndex(std::int32_t stored) {
  return stored == 1 ? 1 : 0;
}

std::optional<PageSwitch> SwitchPages(int previousTab, int pickedTab) {
  if (pickedTab == previousTab) return std::nullopt;
  return PageSwitch{pickedTab - 1, previousTab - 1};
}

int NeighbourTab(int currentTab, int tabCount, int direction) {
  if (tabCount <= 0) return currentTab;
  const int zeroBased = ((currentTab - 1 + (direction < 0 ? -1 : 1)) % tabCount + tabCount) % tabCount;
  return zeroBased + 1;
}

}  // namespace mirel
