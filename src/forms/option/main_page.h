// The options dialog's main window page: the picture, its colour and the window's frame.
#pragma once

#include <string>
#include <vector>

#include "forms/option/option_page.h"
#include "platform/controls.h"

namespace mirel {

class MainWindowPage : public OptionPage {
 public:
  explicit MainWindowPage(OptionFrame& frame) : OptionPage(frame, 0) {}

  void Load(const Settings& settings) override;
  // A path the settings cannot keep is refused: the picture and its setting stay.
  void Store(Settings& after) override;
  void ColorsChanged() override { swatch_.Refresh(); }
  // False when OK refused the picture's path: the main window keeps its picture.
  std::uint32_t swatch() const { return swatch_.color(); }

  void chkNonTitleBar_Click();
  void cmdMainRef_Click();
  void txtMainLoadFile_OLEDragDrop(const std::vector<std::wstring>& files);
  void cmdMainBackColor_Click();

 protected:
  void Command(OptionControl id, int code) override;
  bool DrawItem(const DRAWITEMSTRUCT& item) override { return swatch_.Draw(item, frame_.highContrast()); }
  std::optional<LRESULT> ControlMessage(OptionControl id, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ColorSwatch swatch_;
};

}  // namespace mirel
