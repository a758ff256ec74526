// The options dialog's dummy window page: the list (see list_editor.cpp), the colour, the
// order and how the picture is placed on the screens.
#include <windows.h>

#include <iterator>
#include <string>

#include "app/application.h"
#include "core/cover_layout.h"
#include "forms/dummy/frm_dummy.h"
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
  SetSwatch(viewSwatch_, viewSwatchBrush_, OptionControl::lblViewBackColor, app_.dummy().backColor());
  SetChecked(OptionControl::chkViewRandom, Read(settings::kViewRandom));
  // The placement as start-up or the last OK checked it.
  HWND fit = control(OptionControl::cboDummyFit);
  for (const wchar_t* choice : kDummyFitChoices) SendMessageW(fit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
  SendMessageW(fit, CB_SETCURSEL, static_cast<WPARAM>(app_.state.gDummyFit), 0);
  SetChecked(OptionControl::chkDummyEveryMonitor, app_.state.gDummyEveryMonitor);
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
            app_.prompts().Color(hwnd(), app_.dummy().backColor()));
}

void frmOption::SaveDummyWindowPage() {
  auto& s = app_.state;
  // 1.-3. The list file rewritten and the working list rebuilt from it. When the file
  // cannot be written both stay as they were and the user is told; the rest of OK goes on.
  // A file that could not be read is left alone.
  if (listReadable_) {
    const auto result = RewriteDummyList(app_.listPath(), ListEntries(), s.gDummyList, offlineLines_, app_.listFiles());
    if (result.status != ListWrite::kOk) app_.prompts().Warn(hwnd(), ListWriteWarning(app_.listPath(), result));
    if (result.nowUtf8) app_.prompts().Warn(hwnd(), std::wstring(kListNowUtf8Text) + L"\r\n" + app_.listPath());
  }
  // 4.-6.
  app_.dummy().SetBackColor(viewSwatch_);
  s.gViewRandom = Checked(OptionControl::chkViewRandom);
  Write(settings::kViewBackColor, viewSwatch_);
  Write(settings::kViewRandom, s.gViewRandom);
  // The drop-down's index is the stored value.
  const auto fit = static_cast<std::int32_t>(SendMessageW(control(OptionControl::cboDummyFit), CB_GETCURSEL, 0, 0));
  s.gDummyFit = static_cast<std::int32_t>(DummyFitFromStored(fit));
  s.gDummyEveryMonitor = Checked(OptionControl::chkDummyEveryMonitor);
  Write(settings::kDummyFit, s.gDummyFit);
  Write(settings::kDummyEveryMonitor, s.gDummyEveryMonitor);
  app_.dummy().PrepareSoon();  // the next cover's picture may have changed
}

}  // namespace mirel
