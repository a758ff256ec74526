// The options dialog's main window page: the picture, its colour and the window's frame.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/colors.h"
#include "app/window_utils.h"
#include "core/bitmap_name.h"
#include "dialogs/common_dialogs.h"
#include "forms/main/frm_main.h"
#include "forms/option/frm_option.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/settings.h"

namespace mirel {

namespace {

constexpr const wchar_t* kUnstorablePicturePath =
    L"このパスはシステムの文字コードで保存できないため、画像に設定できません。\r\n";

}  // namespace

void frmOption::LoadMainWindowPage() {
  const auto& s = app_.state;
  SetChecked(OptionControl::chkAlwaysTop, s.gAlwaysTop);
  SetChecked(OptionControl::chkNonTitleBar, s.gNonTitleBar);
  SetChecked(OptionControl::chkAutoAdjust, s.gAutoAdjust);
  SetText(OptionControl::txtMainLoadFile, Read(settings::kMainLoadFile));
  SetSwatch(mainSwatch_, mainSwatchBrush_, OptionControl::lblMainBackColor, app_.main().backColor());
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
            app_.prompts().Color(hwnd(), app_.main().backColor()));
}

void frmOption::SaveMainWindowPage() {
  auto& s = app_.state;
  auto& main = app_.main();
  auto& prompts = app_.prompts();
  // 1. The picture. A path that the settings cannot hold is refused before anything changes.
  const std::wstring path = Text(OptionControl::txtMainLoadFile);
  std::optional<std::string> stored = std::string();
  if (!path.empty()) {
    stored = FileExistsNormal(path) ? StorablePath(path) : WideToAnsiExact(path);
    if (!stored) {
      prompts.Warn(hwnd(), kUnstorablePicturePath + path);
    } else if (!FileExistsNormal(path)) {
      prompts.Warn(hwnd(), std::wstring(kPictureMissingText) + L"\r\n" + path);
    } else {
      // Decoded away from the windows' thread over the colour set below, and shown (and the
      // window fitted) once it is there; one that cannot be is told then, the old one staying.
      main.RequestPicture(frmMain::PictureOrder(path, true, true));
    }
  } else {
    main.SetPicture(Picture());
  }
  // 2. The colour, for the window and its picture box alike.
  main.SetBackColor(mainSwatch_);
  // 3. The title bar, only when the box was changed; the menu bar and the tray mark follow.
  if (Checked(OptionControl::chkNonTitleBar) != s.gNonTitleBar) {
    s.gNonTitleBar = !s.gNonTitleBar;
    ToggleTitleBar(main.hwnd());
    main.SetMenusVisible(!s.gNonTitleBar);
    auto& tray = app_.tray();
    tray.SetItemChecked(kMnuTrayTitleBar, !tray.ItemChecked(kMnuTrayTitleBar));
  }
  // 4. The fit.
  if (s.gNonTitleBar && Checked(OptionControl::chkAutoAdjust)) main.FitWindowToPicture();
  // 5. The flags; the topmost band itself is set as the dialog closes.
  s.gAlwaysTop = Checked(OptionControl::chkAlwaysTop);
  s.gAutoAdjust = Checked(OptionControl::chkAutoAdjust);
  // 6. Stored, the path also when its file is missing.
  if (stored) WriteAnsi(settings::kMainLoadFile, *stored);
  Write(settings::kMainBackColor, mainSwatch_);
  Write(settings::kAlwaysTop, s.gAlwaysTop);
  Write(settings::kAutoAdjust, s.gAutoAdjust);
}

}  // namespace mirel
