// The options dialog's dummy image list editor: add, remove, move, clear and drop.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "core/bitmap_name.h"
#include "core/list_format.h"
#include "core/option_rules.h"
#include "core/ui_text.h"
#include "dialogs/common_dialogs.h"
#include "forms/option/dummy_page.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "settings/dummy_list.h"

namespace mirel {

namespace {

// The list can scroll sideways at least this far, in pixels.
constexpr int kMinimumListExtent = 300;

}  // namespace

std::vector<std::wstring> DummyWindowPage::ListEntries() const {
  HWND list = control(OptionControl::lstViewList);
  std::vector<std::wstring> entries;
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) continue;
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    const auto got = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    entries.push_back(std::move(entry));
  }
  return entries;
}

void DummyWindowPage::UpdateListExtent(const std::vector<std::wstring>& entries) {
  HWND list = control(OptionControl::lstViewList);
  int widest = std::max(kMinimumListExtent, listExtent_);
  {
    WindowDc dc(list);
    SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    for (const auto& entry : entries) {
      SIZE size{};
      if (GetTextExtentPoint32W(dc.get(), entry.c_str(), static_cast<int>(entry.size()), &size))
        widest = std::max(widest, static_cast<int>(size.cx) + 2 * GetSystemMetrics(SM_CXEDGE));
    }
  }
  if (widest != listExtent_) SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
  listExtent_ = widest;
}

void DummyWindowPage::AppendListEntry(const std::wstring& path) {
  SendMessageW(control(OptionControl::lstViewList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
  UpdateListExtent({path});
  Enable(OptionControl::cmdViewClear, true);
}

std::optional<std::wstring> DummyWindowPage::ListEntryRefusal(const std::wstring& path) const {
  const auto count = static_cast<std::size_t>(SendMessageW(control(OptionControl::lstViewList), LB_GETCOUNT, 0, 0));
  if (!DummyListHasRoom(count)) return ListWriteWarning(app_.listPath(), {ListWrite::kFull, {}});
  if (!IsValidBitmapFile(path)) return std::wstring(UiText(Text::kInvalidBitmap));
  return std::nullopt;
}

void DummyWindowPage::ApplyListButtons(int selected) {
  const auto count = static_cast<int>(SendMessageW(control(OptionControl::lstViewList), LB_GETCOUNT, 0, 0));
  const ListButtons buttons = SelectionRule(count, selected);
  Enable(OptionControl::cmdViewDelete, buttons.remove);
  Enable(OptionControl::cmdViewMoveUp, buttons.up);
  Enable(OptionControl::cmdViewMoveDown, buttons.down);
}

void DummyWindowPage::lstViewList_Click() {
  const auto selected = static_cast<int>(SendMessageW(control(OptionControl::lstViewList), LB_GETCURSEL, 0, 0));
  if (selected >= 0) ApplyListButtons(selected);
}

void DummyWindowPage::cmdViewAdd_Click() {
  const std::wstring path = app_.prompts().OpenFile(frame_.dialog(), BitmapFilter(), CurrentFolder());
  if (path.empty()) return;
  if (const auto refusal = ListEntryRefusal(path)) {
    app_.prompts().Warn(frame_.dialog(), *refusal);
    return;
  }
  AppendListEntry(path);
}

void DummyWindowPage::lstViewList_KeyDown(UINT key) {
  if (key != VK_DELETE) return;
  HWND list = control(OptionControl::lstViewList);
  const auto selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected < 0) return;
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  ApplyListButtons(-1);
  Enable(OptionControl::cmdViewClear, SendMessageW(list, LB_GETCOUNT, 0, 0) > 0);
}

void DummyWindowPage::cmdViewDelete_Click() {
  HWND list = control(OptionControl::lstViewList);
  const auto selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected < 0) return;
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  SetFocus(control(OptionControl::cmdViewAdd));
  ApplyListButtons(-1);
  Enable(OptionControl::cmdViewClear, SendMessageW(list, LB_GETCOUNT, 0, 0) > 0);
}

void DummyWindowPage::cmdViewMove_Click(int index) {
  HWND list = control(OptionControl::lstViewList);
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  const auto selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
  const auto target = MovedPosition(count, selected, index == 0 ? -1 : 1);
  if (!target) return;
  const std::wstring entry = ListEntries()[static_cast<std::size_t>(selected)];
  HWND up = control(OptionControl::cmdViewMoveUp);
  HWND down = control(OptionControl::cmdViewMoveDown);
  const bool focusOnUp = GetFocus() == up;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(*target), reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(*target), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  lstViewList_Click();
  // A button that has just been disabled must not keep the focus: the keyboard would
  // have nowhere to press. The entry at the bottom sends it to Up, at the top to Down.
  if (*target == count - 1) {
    SetFocus(up);
  } else if (*target == 0 && focusOnUp) {
    SetFocus(down);
  }
}

void DummyWindowPage::cmdViewClear_Click() {
  SendMessageW(control(OptionControl::lstViewList), LB_RESETCONTENT, 0, 0);
  SetFocus(control(OptionControl::cmdViewAdd));
  ApplyListButtons(-1);
  Enable(OptionControl::cmdViewClear, false);
}

void DummyWindowPage::lstViewList_OLEDragDrop(const std::vector<std::wstring>& files) {
  if (!listReadable_) return;  // a disabled list box still takes drops
  for (const auto& path : files) {
    if (IsDirectory(path) || !HasBitmapExtension(path)) continue;
    if (const auto refusal = ListEntryRefusal(path)) {
      SetFocus(frame_.dialog());
      app_.prompts().Warn(frame_.dialog(), *refusal);
      return;  // an invalid bitmap or a full list ends the drop
    }
    AppendListEntry(path);
  }
}

}  // namespace mirel
