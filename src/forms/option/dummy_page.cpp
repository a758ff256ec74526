// The options dialog's dummy window page: the list (see list_editor.cpp), the colour, the
// order and how the picture is placed on the screens.
#include <windows.h>

#include <iterator>
#include <string>

#include "app/application.h"
#include "core/cover_layout.h"
#include "forms/option/frm_option.h"
#include "settings/dummy_list.h"
#include "settings/settings.h"

namespace mirel {

static_assert(std::size(kDummyFitChoices) == static_cast<std::size_t>(settings::kDummyFitCount));

void frmOption::LoadDummyWindowPage() {
  HWND list = control(OptionControl::lstViewList);
  DummyListFile file = ReadDummyListFile(app_.listPath(), kShortLockMilliseconds, app_.listFiles());
  listReadable_ = file.status != ListRead::kUnreadable;
  offlineLines_ = std::move(file.offline);
  const auto& entries = file.usable;
  if (listReadable_ && app_.state.gDummyListUnread) {
    // What start-up could not read is here now: the next cover uses it.
    app_.state.gDummyList = WorkingDummyList(entries);
    app_.state.gDummyListUnread = false;
  }
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_INITSTORAGE, entries.size(), 0);
  for (const auto& entry : entries) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  // Wide enough to read the longest path, not a fixed 300 pixels.
  UpdateListExtent(entries);
  Enable(OptionControl::cmdViewClear, !entries.empty());
  const Settings& s = app_.settings();
  SetSwatch(viewSwatch_, viewSwatchBrush_, OptionControl::lblViewBackColor, s.viewBackColor.stored);
  SetChecked(OptionControl::chkViewRandom, s.viewRandom);
  // The placement as start-up or the last OK checked it.
  HWND fit = control(OptionControl::cboDummyFit);
  for (const wchar_t* choice : kDummyFitChoices) SendMessageW(fit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
  SendMessageW(fit, CB_SETCURSEL, static_cast<WPARAM>(s.dummyFit), 0);
  SetChecked(OptionControl::chkDummyEveryMonitor, s.dummyEveryMonitor);
  if (!listReadable_) {
    // An empty list box here would be written over the file at OK: nothing of the list
    // can be changed this time. The rest of the dialog works as ever.
    for (const auto id : {OptionControl::lstViewList, OptionControl::cmdViewAdd, OptionControl::cmdViewDelete,
                          OptionControl::cmdViewMoveUp, OptionControl::cmdViewMoveDown, OptionControl::cmdViewClear})
      Enable(id, false);
  }
}

void frmOption::WarnIfListUnreadable() {
  if (!listReadable_)
    app_.prompts().Warn(hwnd(), std::wstring(kListUnreadableInOptionsText) + L"\r\n" + app_.listPath());
}

void frmOption::lblViewBackColor_Click() {
  SetSwatch(viewSwatch_, viewSwatchBrush_, OptionControl::lblViewBackColor,
            app_.prompts().Color(hwnd(), app_.settings().viewBackColor.stored));
}

void frmOption::SaveDummyWindowPage(Settings& after) {
  // The list file rewritten and the working list rebuilt from it. When the file cannot be
  // written both stay as they were and the user is told; the rest of OK goes on. A file
  // that could not be read is left alone.
  if (listReadable_) {
    auto& list = app_.state.gDummyList;
    const auto result = RewriteDummyList(app_.listPath(), ListEntries(), list, offlineLines_, app_.listFiles());
    if (result.status != ListWrite::kOk) app_.prompts().Warn(hwnd(), ListWriteWarning(app_.listPath(), result));
    if (result.nowUtf8) app_.prompts().Warn(hwnd(), std::wstring(kListNowUtf8Text) + L"\r\n" + app_.listPath());
  }
  after.viewBackColor = Color{viewSwatch_};
  after.viewRandom = Checked(OptionControl::chkViewRandom);
  // The drop-down's index is the stored value.
  after.dummyFit = DummyFitFromStored(
      static_cast<std::int32_t>(SendMessageW(control(OptionControl::cboDummyFit), CB_GETCURSEL, 0, 0)));
  after.dummyEveryMonitor = Checked(OptionControl::chkDummyEveryMonitor);
}

}  // namespace mirel
