// The options dialog's dummy window, mouse and return pages, and the dummy image list editor.
#include <algorithm>
#include <string>

#include "app/application.h"
#include "app/colors.h"
#include "dialogs/bitmap_name.h"
#include "dialogs/common_dialogs.h"
#include "forms/dummy/frm_dummy.h"
#include "forms/main/frm_main.h"
#include "forms/option/frm_option.h"
#include "forms/option/option_rules.h"
#include "forms/tray/edge_watch.h"
#include "forms/tray/frm_task_tray.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/system_dll.h"
#include "platform/text.h"
#include "settings/dummy_list.h"
#include "settings/list_format.h"
#include "settings/settings.h"
#include "settings/startup_entry.h"

namespace mirel {

namespace {

// The list can scroll sideways at least this far, in pixels.
constexpr int kMinimumListExtent = 300;

constexpr OptionControl kEdgeBoxes[4] = {OptionControl::chkCheckMouseFlagTop, OptionControl::chkCheckMouseFlagBottom,
                                         OptionControl::chkCheckMouseFlagLeft, OptionControl::chkCheckMouseFlagRight};

constexpr const wchar_t* kUnstorablePassword =
    L"パスワードにシステムの文字コードで保存できない文字が含まれているため、パスワードは変更されませんでした。";

}  // namespace

// ---- The dummy window page ----

void frmOption::LoadDummyWindowPage() {
  HWND list = control(OptionControl::lstViewList);
  DummyListFile file = ReadDummyListFile(app_.listPath());
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
  if (!listReadable_) {
    // An empty list box here would be written over the file at OK: nothing of the list
    // can be changed this time. The rest of the dialog works as ever.
    for (const auto id : {OptionControl::lstViewList, OptionControl::cmdViewAdd, OptionControl::cmdViewDelete,
                          OptionControl::cmdViewMoveUp, OptionControl::cmdViewMoveDown, OptionControl::cmdViewClear})
      Enable(id, false);
  }
}

void frmOption::WarnIfListUnreadable() {
  if (!listReadable_) app_.prompts().Warn(hwnd(), std::wstring(kListUnreadableInOptionsText) + L"\r\n" + app_.listPath());
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
    const auto result = RewriteDummyList(app_.listPath(), ListEntries(), s.gDummyList, offlineLines_);
    if (result.status != ListWrite::kOk) app_.prompts().Warn(hwnd(), ListWriteWarning(app_.listPath(), result));
  }
  // 4.-6.
  app_.dummy().SetBackColor(viewSwatch_);
  s.gViewRandom = Checked(OptionControl::chkViewRandom);
  Write(settings::kViewBackColor, viewSwatch_);
  Write(settings::kViewRandom, s.gViewRandom);
  app_.dummy().PrepareSoon();  // the next cover's picture may have changed
}

std::vector<std::wstring> frmOption::ListEntries() const {
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

void frmOption::UpdateListExtent(const std::vector<std::wstring>& entries) {
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

void frmOption::AppendListEntry(const std::wstring& path) {
  SendMessageW(control(OptionControl::lstViewList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
  UpdateListExtent({path});
  Enable(OptionControl::cmdViewClear, true);
}

std::optional<std::wstring> frmOption::ListEntryRefusal(const std::wstring& path) const {
  const auto count = static_cast<std::size_t>(SendMessageW(control(OptionControl::lstViewList), LB_GETCOUNT, 0, 0));
  if (!DummyListHasRoom(count)) return ListWriteWarning(app_.listPath(), {ListWrite::kFull, {}});
  if (!IsValidBitmapFile(path)) return std::wstring(kInvalidBitmapText);
  // MIREL.DAT holds paths in the system code page: one that cannot be written there is
  // refused now, as the main window refuses it, rather than lost at OK.
  if (!StorablePath(path)) return ListWriteWarning(app_.listPath(), {ListWrite::kUnrepresentable, path});
  return std::nullopt;
}

void frmOption::ApplyListButtons(int selected) {
  const auto count = static_cast<int>(SendMessageW(control(OptionControl::lstViewList), LB_GETCOUNT, 0, 0));
  const ListButtons buttons = SelectionRule(count, selected);
  Enable(OptionControl::cmdViewDelete, buttons.remove);
  Enable(OptionControl::cmdViewMoveUp, buttons.up);
  Enable(OptionControl::cmdViewMoveDown, buttons.down);
}

void frmOption::lstViewList_Click() {
  const auto selected = static_cast<int>(SendMessageW(control(OptionControl::lstViewList), LB_GETCURSEL, 0, 0));
  if (selected >= 0) ApplyListButtons(selected);
}

void frmOption::cmdViewAdd_Click() {
  const std::wstring path = app_.prompts().OpenFile(hwnd(), BitmapFilter(), CurrentFolder());
  if (path.empty()) return;
  if (const auto refusal = ListEntryRefusal(path)) {
    app_.prompts().Warn(hwnd(), *refusal);
    return;
  }
  AppendListEntry(path);
}

void frmOption::lstViewList_KeyDown(UINT key) {
  if (key != VK_DELETE) return;
  HWND list = control(OptionControl::lstViewList);
  const auto selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected < 0) return;
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  ApplyListButtons(-1);
  Enable(OptionControl::cmdViewClear, SendMessageW(list, LB_GETCOUNT, 0, 0) > 0);
}

void frmOption::cmdViewDelete_Click() {
  HWND list = control(OptionControl::lstViewList);
  const auto selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected < 0) return;
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  SetFocus(control(OptionControl::cmdViewAdd));
  ApplyListButtons(-1);
  Enable(OptionControl::cmdViewClear, SendMessageW(list, LB_GETCOUNT, 0, 0) > 0);
}

void frmOption::cmdViewMove_Click(int index) {
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

void frmOption::cmdViewClear_Click() {
  SendMessageW(control(OptionControl::lstViewList), LB_RESETCONTENT, 0, 0);
  SetFocus(control(OptionControl::cmdViewAdd));
  ApplyListButtons(-1);
  Enable(OptionControl::cmdViewClear, false);
}

void frmOption::lstViewList_OLEDragDrop(const std::vector<std::wstring>& files) {
  if (!listReadable_) return;  // a disabled list box still takes drops
  for (const auto& path : files) {
    if (IsDirectory(path) || !HasBitmapExtension(path)) continue;
    if (const auto refusal = ListEntryRefusal(path)) {
      SetFocus(hwnd());
      app_.prompts().Warn(hwnd(), *refusal);
      // A path that MIREL.DAT cannot hold is passed over; an invalid bitmap or a full list
      // ends the drop.
      if (IsValidBitmapFile(path) && !StorablePath(path) && DummyListHasRoom(ListEntries().size())) continue;
      return;
    }
    AppendListEntry(path);
  }
}

void frmOption::DrawSwatchButton(const DRAWITEMSTRUCT& item) {
  // A button that shows the colour it chooses, its caption over it in black or white,
  // whichever reads better.
  RECT rect = item.rcItem;
  const COLORREF color = ResolveColor(viewSwatch_);
  DrawEdge(item.hDC, &rect, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  FillRect(item.hDC, &rect, viewSwatchBrush_.get());
  const int luma = (GetRValue(color) * 299 + GetGValue(color) * 587 + GetBValue(color) * 114) / 1000;
  SetTextColor(item.hDC, luma < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0));
  SetBkMode(item.hDC, TRANSPARENT);
  wchar_t caption[64] = {};
  GetWindowTextW(item.hwndItem, caption, 64);
  UINT format = DT_VCENTER | DT_SINGLELINE;
  if (item.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  // Centred when it fits; otherwise from the left, so that its start stays readable.
  RECT measured = rect;
  DrawTextW(item.hDC, caption, -1, &measured, format | DT_CALCRECT);
  if (measured.right - measured.left <= rect.right - rect.left) format |= DT_CENTER;
  DrawTextW(item.hDC, caption, -1, &rect, format);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&rect, -1, -1);
    DrawFocusRect(item.hDC, &rect);
  }
}

// ---- The mouse page ----

void frmOption::LoadMousePage() {
  const auto& s = app_.state;
  SetChecked(OptionControl::chkCheckMouse, s.gCheckMouse);
  SetText(OptionControl::txtCheckMouseInterval, std::to_wstring(app_.tray().WatchInterval()));
  const EdgeBoxes boxes = EdgeBoxesFromFlag(s.gCheckMouseFlag);
  for (std::size_t i = 0; i < boxes.size(); ++i) SetChecked(kEdgeBoxes[i], boxes[i]);
  chkCheckMouse_Click();
}

void frmOption::chkCheckMouse_Click() {
  const bool on = Checked(OptionControl::chkCheckMouse);
  for (const auto box : kEdgeBoxes) Enable(box, on);
  // A disabled box shows the button face, an enabled one the window colour: the system's
  // own colours for the two states.
  Enable(OptionControl::txtCheckMouseInterval, on);
}

bool frmOption::txtCheckMouseInterval_KeyPress(wchar_t typed) {
  if (IntervalKeyAccepted(typed)) return true;
  // Ctrl+A, C, V, X and Z keep working: what a paste brings is filtered on its own.
  return typed == 0x01 || typed == 0x03 || typed == 0x16 || typed == 0x18 || typed == 0x1A;
}

void frmOption::SaveMousePage() {
  auto& s = app_.state;
  auto& tray = app_.tray();
  s.gCheckMouse = Checked(OptionControl::chkCheckMouse);
  const std::uint32_t interval = CorrectedInterval(Text(OptionControl::txtCheckMouseInterval), tray.WatchInterval());
  SetText(OptionControl::txtCheckMouseInterval, std::to_wstring(interval));
  tray.SetItemChecked(kMnuTrayMouse, s.gCheckMouse);
  tray.SetWatchInterval(interval);
  // The watch itself starts again as the dialog closes (when it is on and the main window
  // hidden): started here, it could bring up a cover over a warning the rest of OK shows.
  Write(settings::kCheckMouseInterval, static_cast<std::int32_t>(interval));
  EdgeBoxes boxes{};
  for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i] = Checked(kEdgeBoxes[i]);
  s.gCheckMouseFlag = EdgeFlagFromBoxes(boxes);
  Write(settings::kCheckMouseFlag, s.gCheckMouseFlag);
}

// ---- The return page ----

void frmOption::LoadReturnPage() {
  const int option = ReturnOptionIndex(Read(settings::kReturnType));
  SetChecked(OptionControl::optReturnTypeSingle, option == 0);
  SetChecked(OptionControl::optReturnTypeDouble, option == 1);
  UpdateReturnTabStop();
  SetChecked(OptionControl::chkPassword, app_.state.gRequirePassword);
  SetText(OptionControl::txtPassword, Read(settings::kPassword));
  chkPassword_Click();
}

void frmOption::UpdateReturnTabStop() {
  // Tab reaches the return condition at the chosen button; the arrows move between the two.
  for (const auto id : {OptionControl::optReturnTypeSingle, OptionControl::optReturnTypeDouble}) {
    HWND button = control(id);
    const LONG style = GetWindowLongW(button, GWL_STYLE);
    SetWindowLongW(button, GWL_STYLE, Checked(id) ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
}

void frmOption::chkPassword_Click() { Enable(OptionControl::txtPassword, Checked(OptionControl::chkPassword)); }

void frmOption::SaveReturnPage() {
  auto& s = app_.state;
  const std::int16_t option = Checked(OptionControl::optReturnTypeDouble) ? 1 : 0;
  s.gReturnType = option;
  Write(settings::kReturnType, option);
  // A password the settings cannot hold exactly would leave another one in force than the
  // user typed: the password settings then stay as they were, and the user is told.
  const std::wstring password = Text(OptionControl::txtPassword);
  if (!WideToAnsiExact(password)) {
    // The old password stays; the requirement can still be turned off, never on with it.
    app_.prompts().Warn(hwnd(), kUnstorablePassword);
    s.gRequirePassword = s.gRequirePassword && Checked(OptionControl::chkPassword);
    Write(settings::kRequirePassword, s.gRequirePassword);
    return;
  }
  s.gRequirePassword = Checked(OptionControl::chkPassword);
  Write(settings::kRequirePassword, s.gRequirePassword);
  Write(settings::kPassword, password);
}

// ---- The extras page: the panic key, every monitor, instant edges, dwell, full-screen pause ----

void frmOption::LoadExtrasPage() {
  const auto& s = app_.state;
  SetChecked(OptionControl::chkPrimaryOnly, s.gPrimaryOnly);
  SendMessageW(control(OptionControl::hkyPanicKey), HKM_SETHOTKEY, s.gPanicKey & 0xFFFF, 0);
  SetChecked(OptionControl::chkInstantEdges, s.gInstantEdges);
  SetText(OptionControl::txtDwellTime, std::to_wstring(s.gDwellTime));
  SetChecked(OptionControl::chkFullScreenPause, s.gFullScreenPause);
  SetChecked(OptionControl::chkQuietCover, s.gQuietCover);
  // The Run key is the setting: it tells the truth, whatever changed it.
  startsWithWindows_ = StartsWithWindows(ExePath());
  SetChecked(OptionControl::chkStartWithWindows, startsWithWindows_);
}

void frmOption::SaveExtrasPage() {
  auto& s = app_.state;
  auto& tray = app_.tray();
  s.gPrimaryOnly = Checked(OptionControl::chkPrimaryOnly);
  s.gInstantEdges = Checked(OptionControl::chkInstantEdges);
  s.gFullScreenPause = Checked(OptionControl::chkFullScreenPause);
  s.gQuietCover = Checked(OptionControl::chkQuietCover);
  // Digits alone, up to ten seconds; anything else is no dwell.
  const std::wstring dwell = Text(OptionControl::txtDwellTime);
  s.gDwellTime = dwell.empty() || dwell.size() > 5 || DigitsOnly(dwell) != dwell
                     ? 0
                     : EffectiveDwellTime(std::stoi(dwell));
  SetText(OptionControl::txtDwellTime, std::to_wstring(s.gDwellTime));
  const auto panicKey = static_cast<std::uint32_t>(
      SendMessageW(control(OptionControl::hkyPanicKey), HKM_GETHOTKEY, 0, 0) & 0xFFFF);
  const bool panicKeyChanged = panicKey != s.gPanicKey;
  s.gPanicKey = panicKey;
  tray.UpdateScreens(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  if (panicKeyChanged) tray.RegisterPanicKey(hwnd());
  // The watch switches between the timer and instant edges as the dialog closes.
  Write(settings::kPrimaryOnly, s.gPrimaryOnly);
  Write(settings::kInstantEdges, s.gInstantEdges);
  Write(settings::kFullScreenPause, s.gFullScreenPause);
  Write(settings::kQuietCover, s.gQuietCover);
  Write(settings::kDwellTime, static_cast<std::int32_t>(s.gDwellTime));
  Write(settings::kPanicKey, static_cast<std::int32_t>(s.gPanicKey));
  // Only a change is written: an entry of another copy stays until the user ticks the box.
  const bool startWithWindows = Checked(OptionControl::chkStartWithWindows);
  if (startWithWindows != startsWithWindows_) {
    if (SetStartWithWindows(ExePath(), startWithWindows))
      startsWithWindows_ = startWithWindows;
    else
      app_.prompts().Warn(hwnd(), kStartWithWindowsFailedText);
  }
}

// ---- The subclassed controls: dropped files and the millisecond boxes' filter ----

LRESULT CALLBACK frmOption::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self) {
  if (message == WM_NCDESTROY) sys::RemoveWindowSubclass(control, ControlProc, id);
  try {  // as in every window procedure: no exception unwinds into the system
    if (const auto handled = reinterpret_cast<frmOption*>(self)->ControlMessage(static_cast<OptionControl>(id),
                                                                                 control, message, wParam, lParam))
      return *handled;
  } catch (...) {
  }
  return sys::DefSubclassProc(control, message, wParam, lParam);
}

std::optional<LRESULT> frmOption::ControlMessage(OptionControl id, HWND control, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  (void)lParam;
  switch (message) {
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wParam);
      if (id == OptionControl::txtMainLoadFile) txtMainLoadFile_OLEDragDrop(sys::DroppedFiles(drop, 1));
      if (id == OptionControl::lstViewList) lstViewList_OLEDragDrop(sys::DroppedFiles(drop, UINT_MAX));
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:  // Alt+Delete too: the key counts whatever is held with it
      if (id == OptionControl::lstViewList && wParam == VK_DELETE) {
        lstViewList_KeyDown(VK_DELETE);
        return 0;
      }
      break;
    case WM_CHAR:  // the two millisecond boxes take digits alone
      if ((id == OptionControl::txtCheckMouseInterval || id == OptionControl::txtDwellTime) &&
          !txtCheckMouseInterval_KeyPress(static_cast<wchar_t>(wParam)))
        return 0;
      break;
    case WM_PASTE:
      if (id == OptionControl::txtCheckMouseInterval || id == OptionControl::txtDwellTime) {
        std::wstring pasted;
        if (ClipboardOpen clipboard(control); clipboard.open()) {
          GlobalLocked<const wchar_t> text(GetClipboardData(CF_UNICODETEXT));
          if (text.get()) pasted = text.get();
        }
        const std::wstring digits = DigitsOnly(pasted);
        SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digits.c_str()));
        return 0;
      }
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace mirel
