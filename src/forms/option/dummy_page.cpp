#include "forms/option/dummy_page.h"

#include <windows.h>

#include <climits>
#include <iterator>
#include <string>

#include "app/application.h"
#include "core/cover_layout.h"
#include "core/ui_text.h"
#include "platform/system_dll.h"
#include "settings/dummy_list.h"
#include "settings/settings.h"

namespace mirel {

static_assert(std::size(kDummyFitChoices) == static_cast<std::size_t>(settings::kDummyFitCount));

void DummyWindowPage::Load(const Settings& s) {
  swatch_.Attach(control(OptionControl::lblViewBackColor));
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
  swatch_.Set(s.viewBackColor.stored);
  SetChecked(OptionControl::chkViewRandom, s.viewRandom);
  // The placement as start-up or the last OK checked it.
  FillChoices(OptionControl::cboDummyFit, kDummyFitChoices, static_cast<int>(s.dummyFit));
  SetChecked(OptionControl::chkDummyEveryMonitor, s.dummyEveryMonitor);
  if (!listReadable_) {
    // An empty list box here would be written over the file at OK: nothing of the list
    // can be changed this time. The rest of the dialog works as ever.
    for (const auto id : {OptionControl::lstViewList, OptionControl::cmdViewAdd, OptionControl::cmdViewDelete,
                          OptionControl::cmdViewMoveUp, OptionControl::cmdViewMoveDown, OptionControl::cmdViewClear})
      Enable(id, false);
  }
  ListenTo(OptionControl::lstViewList);  // it takes dropped files and the Delete key
}

void DummyWindowPage::Shown() {
  if (!listReadable_)
    app_.prompts().Warn(frame_.dialog(),
                        std::wstring(UiText(Text::kListUnreadableInOptions)) + L"\r\n" + app_.listPath());
}

void DummyWindowPage::lblViewBackColor_Click() {
  swatch_.Set(app_.prompts().Color(frame_.dialog(), app_.settings().viewBackColor.stored));
}

void DummyWindowPage::DpiChanged() {
  // The list's longest path measured again in the new font.
  listExtent_ = 0;
  UpdateListExtent(ListEntries());
}

void DummyWindowPage::Command(OptionControl id, int code) {
  if (id == OptionControl::lstViewList) {
    if (code == LBN_SELCHANGE) lstViewList_Click();
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case OptionControl::lblViewBackColor: lblViewBackColor_Click(); break;
    case OptionControl::cmdViewAdd: cmdViewAdd_Click(); break;
    case OptionControl::cmdViewDelete: cmdViewDelete_Click(); break;
    case OptionControl::cmdViewMoveUp: cmdViewMove_Click(0); break;
    case OptionControl::cmdViewMoveDown: cmdViewMove_Click(1); break;
    case OptionControl::cmdViewClear: cmdViewClear_Click(); break;
    default: break;
  }
}

std::optional<LRESULT> DummyWindowPage::ControlMessage(OptionControl id, UINT message, WPARAM wParam, LPARAM) {
  if (id != OptionControl::lstViewList) return std::nullopt;
  switch (message) {
    case WM_DROPFILES: lstViewList_OLEDragDrop(sys::DroppedFiles(reinterpret_cast<HDROP>(wParam), UINT_MAX)); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:  // Alt+Delete too: the key counts whatever is held with it
      if (wParam != VK_DELETE) break;
      lstViewList_KeyDown(VK_DELETE);
      return 0;
    default: break;
  }
  return std::nullopt;
}

void DummyWindowPage::Store(Settings& after) {
  // The list file rewritten and the working list rebuilt from it. When the file cannot be
  // written both stay as they were and the user is told; the rest of OK goes on. A file
  // that could not be read is left alone.
  if (listReadable_) {
    auto& list = app_.state.gDummyList;
    const auto result = RewriteDummyList(app_.listPath(), ListEntries(), list, offlineLines_, app_.listFiles());
    if (result.status != ListWrite::kOk)
      app_.prompts().Warn(frame_.dialog(), ListWriteWarning(app_.listPath(), result));
    if (result.nowUtf8)
      app_.prompts().Warn(frame_.dialog(), std::wstring(UiText(Text::kListNowUtf8)) + L"\r\n" + app_.listPath());
  }
  after.viewBackColor = Color{swatch_.color()};
  after.viewRandom = Checked(OptionControl::chkViewRandom);
  after.dummyFit = DummyFitFromStored(Choice(OptionControl::cboDummyFit));
  after.dummyEveryMonitor = Checked(OptionControl::chkDummyEveryMonitor);
}

}  // namespace mirel
