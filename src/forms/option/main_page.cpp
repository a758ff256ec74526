// The options dialog's main window page: the picture, its colour and the window's frame.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/colors.h"
#include "core/bitmap_name.h"
#include "dialogs/common_dialogs.h"
#include "forms/option/frm_option.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/settings.h"

namespace mirel {

namespace {

constexpr const wchar_t* kUnstorablePicturePath =
    L"このパスはシステムの文字コードで保存できないため、画像に設定できません。\r\n";

}  // namespace

void frmOption::LoadMainWindowPage() {
  const Settings& s = app_.settings();
  SetChecked(OptionControl::chkAlwaysTop, s.alwaysTop);
  SetChecked(OptionControl::chkNonTitleBar, s.nonTitleBar);
  SetChecked(OptionControl::chkAutoAdjust, s.autoAdjust);
  SetText(OptionControl::txtMainLoadFile, s.mainLoadFile);
  SetSwatch(mainSwatch_, mainSwatchBrush_, OptionControl::lblMainBackColor, s.mainBackColor.stored);
  if (Checked(OptionControl::chkNonTitleBar)) Enable(OptionControl::chkAutoAdjust, true);
}

void frmOption::chkNonTitleBar_Click() {
  Enable(OptionControl::chkAutoAdjust, Checked(OptionControl::chkNonTitleBar));
}

void frmOption::cmdMainRef_Click() {
  const std::wstring path = app_.prompts().OpenFile(hwnd(), BitmapFilter(), CurrentFolder());
  if (path.empty()) return;
  if (IsValidBitmapFile(path)) {
    SetText(OptionControl::txtMainLoadFile, path);
  } else {
    app_.prompts().Warn(hwnd(), kInvalidBitmapText);
  }
}

void frmOption::txtMainLoadFile_OLEDragDrop(const std::vector<std::wstring>& files) {
  if (files.empty()) return;
  const std::wstring& path = files.front();  // only the first file counts
  if (IsDirectory(path) || !HasBitmapExtension(path)) return;
  if (!IsValidBitmapFile(path)) {
    SetFocus(hwnd());
    app_.prompts().Warn(hwnd(), kInvalidBitmapText);
    return;
  }
  SetText(OptionControl::txtMainLoadFile, path);
}

void frmOption::cmdMainBackColor_Click() {
  // From the main window's colour, not the swatch's: a cancel puts that colour back.
  SetSwatch(mainSwatch_, mainSwatchBrush_, OptionControl::lblMainBackColor,
            app_.prompts().Color(hwnd(), app_.settings().mainBackColor.stored));
}

bool frmOption::SaveMainWindowPage(Settings& after) {
  // The picture. A path that the settings cannot hold is refused: the picture and its
  // setting stay as they were. One whose file is missing is kept all the same.
  const std::wstring path = Text(OptionControl::txtMainLoadFile);
  bool taken = true;
  if (!StorableMainLoadFile(path)) {
    app_.prompts().Warn(hwnd(), kUnstorablePicturePath + path);
    taken = false;
  } else {
    if (!path.empty() && !FileExistsNormal(path))
      app_.prompts().Warn(hwnd(), std::wstring(kPictureMissingText) + L"\r\n" + path);
    after.mainLoadFile = path;
  }
  after.mainBackColor = Color{mainSwatch_};
  after.nonTitleBar = Checked(OptionControl::chkNonTitleBar);
  after.alwaysTop = Checked(OptionControl::chkAlwaysTop);
  after.autoAdjust = Checked(OptionControl::chkAutoAdjust);
  return taken;
}

}  // namespace mirel
