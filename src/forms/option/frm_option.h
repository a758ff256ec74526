// The options dialog: five pages behind a tab strip. This file declares the frame (tabs,
// OK and Cancel, help: frm_option.cpp, option_help.cpp); each page is a class of its own
// (main_page, dummy_page with list_editor, mouse_page, return_page, extras_page) that
// the frame knows through OptionPage. Every change waits in the controls; OK takes the
// pages into the settings to come and hands them to Application::ApplyOptions; Cancel,
// Esc and the close box drop them. Modal; a fresh one for every opening.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/option/option_layout.h"
#include "forms/option/option_page.h"
#include "platform/dialog.h"

namespace mirel {

class Application;
class MainWindowPage;
class DummyWindowPage;

class frmOption : public Dialog, private OptionFrame {
 public:
  // Shows the dialog modally and returns once it has closed.
  static void ShowModal(Application& app, HWND owner);

  frmOption(Application& app, HWND owner);
  ~frmOption() override;

  void Form_Load();
  void Form_Unload();
  void RunModalLoop();

  void cmdOK_Click();
  void cmdCancel_Click();
  // The tab strip: the tab selected before the pick, then the pick itself.
  void tabOption_BeforeClick();
  void tabOption_Click();
  // Picks tab n (from 1) as the user would with the mouse or Ctrl+Tab.
  void PickTab(int tab);

  // The context-help topic of the control at a screen point: the '?' button's pick.
  void ShowContextHelpAt(POINT screen);

  HWND control(OptionControl id) const;
  HWND page(int index) const { return pages_[static_cast<std::size_t>(index)]->hwnd(); }
  HWND tabStrip() const { return tabOption_; }
  HWND okButton() const { return cmdOK_; }
  HWND cancelButton() const { return cmdCancel_; }
  int selectedTab() const;
  bool closed() const { return closed_; }
  bool highContrast() const override { return highContrast_; }
  // What two pages hold, for those who look at the dialog from outside.
  std::uint32_t mainSwatch() const;
  std::uint32_t viewSwatch() const;
  std::vector<std::wstring> ListEntries() const;
  bool listReadable() const;
  void lstViewList_Click();

 protected:
  void OnInitDialog() override;
  void OnDpiChanged(unsigned dpi) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // What the pages ask of the dialog.
  HWND dialog() const override { return hwnd(); }
  Application& app() const override { return app_; }
  HWND CreateControl(HWND page, const OptionControlEntry& entry) override;
  std::optional<LRESULT> PassOn(UINT message, WPARAM wParam, LPARAM lParam) override;

  void CreateControls();
  // Labels, check boxes and option buttons as wide as their captions need in the font.
  void WidenCaptions();
  void PlaceAtDesignedPlace();
  void RunContextHelpPick();
  bool PreTranslate(MSG& msg);

  Application& app_;
  HWND owner_;
  std::array<std::unique_ptr<OptionPage>, kOptionPageCount> pages_;
  MainWindowPage* mainPage_ = nullptr;
  DummyWindowPage* dummyPage_ = nullptr;
  HWND tabOption_ = nullptr;
  HWND cmdOK_ = nullptr;
  HWND cmdCancel_ = nullptr;
  HWND tooltip_ = nullptr;
  std::int16_t mPrevTab = 1;
  bool highContrast_ = false;  // as the system said at the opening or its last change
  bool closed_ = false;
  bool unloaded_ = false;
};

inline constexpr int kOptionTabId = 999;
// The Ctrl+Tab page switches, as commands.
inline constexpr int kOptionNextTab = 997;
inline constexpr int kOptionPreviousTab = 998;

}  // namespace mirel
