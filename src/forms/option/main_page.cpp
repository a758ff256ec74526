#include "forms/option/main_page.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "core/bitmap_name.h"
#include "core/ui_text.h"
#include "dialogs/common_dialogs.h"
#include "platform/files.h"
#include "platform/system_dll.h"

namespace mirel {

void MainWindowPage::Load(const Settings& s) {
  swatch_.Attach(control(OptionControl::lblMainBackColor));
  SetChecked(OptionControl::chkAlwaysTop, s.alwaysTop);
  SetChecked(OptionControl::chkNonTitleBar, s.nonTitleBar);
  SetChecked(OptionControl::chkAutoAdjust, s.autoAdjust);
  SetText(OptionControl::txtMainLoadFile, s.mainLoadFile);
  swatch_.Set(s.mainBackColor.stored);
  if (Checked(OptionControl::chkNonTitleBar)) Enable(OptionControl::chkAutoAdjust, true);
  ListenTo(OptionControl::txtMainLoadFile);  // the path box takes dropped files
}

void MainWindowPage::Command(OptionControl id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case OptionControl::chkNonTitleBar: chkNonTitleBar_Click(); break;
    case OptionControl::cmdMainRef: cmdMainRef_Click(); break;
    case OptionControl::cmdMainBackColor: cmdMainBackColor_Click(); break;
    default: break;
  }
}

std::optional<LRESULT> MainWindowPage::ControlMessage(OptionControl id, UINT message, WPARAM wParam, LPARAM) {
  if (id != OptionControl::txtMainLoadFile || message != WM_DROPFILES) return std::nullopt;
  txtMainLoadFile_OLEDragDrop(sys::DroppedFiles(reinterpret_cast<HDROP>(wParam), 1));
  return 0;
}

void MainWindowPage::chkNonTitleBar_Click() {
  Enable(OptionControl::chkAutoAdjust, Checked(OptionControl::chkNonTitleBar));
}

void MainWindowPage::cmdMainRef_Click() {
  const std::wstring path = app_.prompts().OpenFile(frame_.dialog(), BitmapFilter(), CurrentFolder());
  if (path.empty()) return;
  if (IsValidBitmapFile(path)) {
    SetText(OptionControl::txtMainLoadFile, path);
  } else {
    app_.prompts().Warn(frame_.dialog(), UiText(Text::kInvalidBitmap));
  }
}

void MainWindowPage::txtMainLoadFile_OLEDragDrop(const std::vector<std::wstring>& files) {
  if (files.empty()) return;
  const std::wstring& path = files.front();  // only the first file counts
  if (IsDirectory(path) || !HasBitmapExtension(path)) return;
  if (!IsValidBitmapFile(path)) {
    SetFocus(frame_.dialog());
    app_.prompts().Warn(frame_.dialog(), UiText(Text::kInvalidBitmap));
    return;
  }
  SetText(OptionControl::txtMainLoadFile, path);
}

void MainWindowPage::cmdMainBackColor_Click() {
  // From the colour in force, not the swatch's: a cancel puts that colour back.
  swatch_.Set(app_.prompts().Color(frame_.dialog(), app_.settings().mainBackColor.stored));
}

void MainWindowPage::Store(Settings& after) {
  // The picture: any path, and one whose file is missing is kept all the same.
  const std::wstring path = TextOf(OptionControl::txtMainLoadFile);
  if (!path.empty() && !FileExistsNormal(path))
    app_.prompts().Warn(frame_.dialog(), std::wstring(UiText(Text::kPictureMissing)) + L"\r\n" + path);
  after.mainLoadFile = path;
  after.mainBackColor = Color{swatch_.color()};
  after.nonTitleBar = Checked(OptionControl::chkNonTitleBar);
  after.alwaysTop = Checked(OptionControl::chkAlwaysTop);
  after.autoAdjust = Checked(OptionControl::chkAutoAdjust);
}

}  // namespace mirel
