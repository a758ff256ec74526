// One page of the options dialog: a plain child window that holds its own part of the
// control table, loads its controls from the settings, takes them into the settings to
// come at OK, and answers its own controls. The dialog around it (frmOption) knows a page
// only through this class; a page asks the dialog only through OptionFrame.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "forms/option/option_layout.h"
#include "platform/window.h"
#include "settings/settings.h"

namespace mirel {

class Application;

// What a page asks of the dialog around it.
class OptionFrame {
 public:
  // The dialog: the owner of a page's warnings and of the dialogs it opens.
  virtual HWND dialog() const = 0;
  virtual Application& app() const = 0;
  // A control of `page` at its twips place in the dialog's font, both following the DPI.
  virtual HWND CreateControl(HWND page, const OptionControlEntry& entry) = 0;
  // Whether a high-contrast theme is on, as the system said last.
  virtual bool highContrast() const = 0;
  // A message of the page's that is the dialog's business (help, the tooltips'): the
  // dialog's answer, or nothing for the page's own default handling.
  virtual std::optional<LRESULT> PassOn(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 protected:
  ~OptionFrame() = default;
};

class OptionPage : public Window {
 public:
  OptionPage(OptionFrame& frame, int index);
  ~OptionPage() override;

  // The page's window, hidden, and the controls of its part of the table.
  bool Create(HWND parent, unsigned dpi);
  // One of the page's controls; nullptr for another page's.
  HWND control(OptionControl id) const;
  std::span<const OptionControlEntry> entries() const { return entries_; }

  // The controls from the settings in force as the dialog opens.
  virtual void Load(const Settings& settings) = 0;
  // OK: the controls' values into the settings to come. A value the settings cannot keep
  // is refused and the user told; the rest goes on.
  virtual void Store(Settings& after) = 0;
  // Once the settings are in force: what the page keeps outside them.
  virtual void Applied() {}
  // The dialog is on the screen: what the page tells as it opens.
  virtual void Shown() {}
  // The controls are at their places at a new DPI, in its font.
  virtual void DpiChanged() {}
  // The user's Windows colours or the high-contrast theme changed.
  virtual void ColorsChanged() {}

 protected:
  // Its controls' notifications (a click, a selection change).
  virtual void Command(OptionControl id, int code) {
    (void)id;
    (void)code;
  }
  // Draws an owner-drawn control of the page; false when it draws none.
  virtual bool DrawItem(const DRAWITEMSTRUCT& item) {
    (void)item;
    return false;
  }
  // A message to a control given to ListenTo (dropped files, a key): its answer, or
  // nothing for the control's own procedure.
  virtual std::optional<LRESULT> ControlMessage(OptionControl id, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)id;
    (void)message;
    (void)wParam;
    (void)lParam;
    return std::nullopt;
  }
  // The control takes dropped files, and its messages come to ControlMessage first.
  // Asked once the control is filled: the subclass costs every message something (under
  // Wine a look-up in the server), which a list filled entry by entry would pay each time.
  void ListenTo(OptionControl id);

  bool Checked(OptionControl id) const;
  void SetChecked(OptionControl id, bool checked);
  void Enable(OptionControl id, bool enabled);
  std::wstring TextOf(OptionControl id) const;
  void SetText(OptionControl id, const std::wstring& text);
  // A drop-down list of choices whose index is the stored value: filled in the language of
  // the interface with `selected` chosen, and the index chosen now.
  void FillChoices(OptionControl id, std::span<const Text> choices, int selected);
  std::int32_t Choice(OptionControl id) const;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  OptionFrame& frame_;
  Application& app_;

 private:
  static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);

  int index_;
  std::span<const OptionControlEntry> entries_;
  std::vector<HWND> controls_;  // in the order of entries_
  std::vector<std::pair<HWND, UINT_PTR>> listened_;
};

// The pages that the dialog knows only as pages, each in its own file (the main window's and
// the dummy window's pages have headers: the dialog asks them for their swatches and list).
std::unique_ptr<OptionPage> MakeMousePage(OptionFrame& frame);   // mouse_page.cpp
std::unique_ptr<OptionPage> MakeReturnPage(OptionFrame& frame);  // return_page.cpp
std::unique_ptr<OptionPage> MakeExtrasPage(OptionFrame& frame);  // extras_page.cpp

// The control identifiers of the table, from this number on; OK and Cancel are IDOK and
// IDCANCEL.
inline constexpr int kOptionControlIdBase = 1000;

}  // namespace mirel
