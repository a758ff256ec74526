#include "forms/option/option_page.h"

#include <algorithm>

#include "core/twips.h"
#include "core/ui_text.h"
#include "platform/system_dll.h"

namespace mirel {

namespace {

constexpr const wchar_t* kPageClass = L"MirelOptionPage";
// Where the pages lie in the dialog, in twips.
constexpr int kPage[4] = {240, 420, 5115, 4155};

std::span<const OptionControlEntry> EntriesOfPage(int index) {
  const auto* first = std::find_if(std::begin(kOptionControls), std::end(kOptionControls),
                                   [&](const OptionControlEntry& entry) { return entry.page == index; });
  const auto* last = std::find_if(first, std::end(kOptionControls),
                                  [&](const OptionControlEntry& entry) { return entry.page != index; });
  return {first, last};
}

}  // namespace

OptionPage::OptionPage(OptionFrame& frame, int index)
    : frame_(frame), app_(frame.app()), index_(index), entries_(EntriesOfPage(index)) {}

OptionPage::~OptionPage() {
  for (const auto& [control, id] : listened_)
    if (IsWindow(control)) sys::RemoveWindowSubclass(control, ControlProc, id);
  Destroy();
}

bool OptionPage::Create(HWND parent, unsigned dpi) {
  ClassSpec cls{kPageClass, 0, nullptr, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};
  if (!Window::Create(cls, WS_EX_CONTROLPARENT, UiText(kOptionTabCaptions[index_]), WS_CHILD | WS_CLIPSIBLINGS,
                      TwipsToPixels(kPage[0], dpi), TwipsToPixels(kPage[1], dpi), TwipsToPixels(kPage[2], dpi),
                      TwipsToPixels(kPage[3], dpi), parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(900 + index_))))
    return false;
  controls_.clear();
  for (const auto& entry : entries_) controls_.push_back(frame_.CreateControl(hwnd(), entry));
  return true;
}

HWND OptionPage::control(OptionControl id) const {
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (entries_[i].id == id) return controls_[i];
  return nullptr;
}

void OptionPage::ListenTo(OptionControl id) {
  HWND window = control(id);
  if (!window) return;
  SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
  const auto subclass = static_cast<UINT_PTR>(id);
  if (sys::SetWindowSubclass(window, ControlProc, subclass, reinterpret_cast<DWORD_PTR>(this)))
    listened_.emplace_back(window, subclass);
}

LRESULT CALLBACK OptionPage::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self) {
  if (message == WM_NCDESTROY) sys::RemoveWindowSubclass(control, ControlProc, id);
  std::optional<LRESULT> handled;
  Guarded(message, [&] {
    handled =
        reinterpret_cast<OptionPage*>(self)->ControlMessage(static_cast<OptionControl>(id), message, wParam, lParam);
  });
  return handled ? *handled : sys::DefSubclassProc(control, message, wParam, lParam);
}

bool OptionPage::Checked(OptionControl id) const {
  return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void OptionPage::SetChecked(OptionControl id, bool checked) {
  SendMessageW(control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionPage::Enable(OptionControl id, bool enabled) {
  EnableWindow(control(id), enabled ? TRUE : FALSE);
}

std::wstring OptionPage::TextOf(OptionControl id) const {
  HWND window = control(id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void OptionPage::SetText(OptionControl id, const std::wstring& text) {
  SetWindowTextW(control(id), text.c_str());
}

void OptionPage::FillChoices(OptionControl id, std::span<const Text> choices, int selected) {
  HWND list = control(id);
  for (const Text choice : choices) SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(UiText(choice)));
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

std::int32_t OptionPage::Choice(OptionControl id) const {
  return static_cast<std::int32_t>(SendMessageW(control(id), CB_GETCURSEL, 0, 0));
}

LRESULT OptionPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int index = LOWORD(wParam) - kOptionControlIdBase;
      if (index >= 0 && index < static_cast<int>(OptionControl::kCount) && control(static_cast<OptionControl>(index))) {
        Command(static_cast<OptionControl>(index), HIWORD(wParam));
        return 0;
      }
      break;
    }
    case WM_DRAWITEM:
      if (DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    default: break;
  }
  if (message == WM_COMMAND || message == WM_NOTIFY || message == WM_HELP)
    if (const auto answer = frame_.PassOn(message, wParam, lParam)) return *answer;
  return DefaultProc(message, wParam, lParam);
}

}  // namespace mirel
