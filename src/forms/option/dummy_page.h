// The options dialog's dummy window page: the list of decoy pictures and its editor
// (list_editor.cpp), the colour, the order and how the picture is placed on the screens.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/option/option_page.h"
#include "platform/controls.h"
#include "settings/dummy_list.h"

namespace mirel {

class DummyWindowPage : public OptionPage {
 public:
  explicit DummyWindowPage(OptionFrame& frame) : OptionPage(frame, 1) {}

  // Reads MIREL.DAT afresh into the list box.
  void Load(const Settings& settings) override;
  // Rewrites MIREL.DAT from the list box (unless it could not be read) and rebuilds the
  // working list from it; a file that cannot be written is told and left as it was.
  void Store(Settings& after) override;
  void Shown() override;
  void DpiChanged() override;
  void ColorsChanged() override { swatch_.Refresh(); }

  std::vector<std::wstring> ListEntries() const;
  // False when MIREL.DAT could not be read this opening: the list cannot be edited.
  bool listReadable() const { return listReadable_; }
  std::uint32_t swatch() const { return swatch_.color(); }

  void lblViewBackColor_Click();
  void lstViewList_Click();
  void lstViewList_KeyDown(UINT key);
  void lstViewList_OLEDragDrop(const std::vector<std::wstring>& files);
  void cmdViewAdd_Click();
  void cmdViewDelete_Click();
  // 0: up, 1: down.
  void cmdViewMove_Click(int index);
  void cmdViewClear_Click();

 protected:
  void Command(OptionControl id, int code) override;
  bool DrawItem(const DRAWITEMSTRUCT& item) override { return swatch_.Draw(item, frame_.highContrast()); }
  std::optional<LRESULT> ControlMessage(OptionControl id, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ApplyListButtons(int selected);
  void AppendListEntry(const std::wstring& path);
  // The sideways scroll grows to the widest of these entries (at least 300 pixels).
  void UpdateListExtent(const std::vector<std::wstring>& entries);
  // Why a file cannot join the list (full, no bitmap), or nothing.
  std::optional<std::wstring> ListEntryRefusal(const std::wstring& path) const;

  ColorSwatch swatch_;
  int listExtent_ = 0;
  bool listReadable_ = true;
  KeptLines offlineLines_;  // lines of MIREL.DAT on a drive that is not there
};

}  // namespace mirel
