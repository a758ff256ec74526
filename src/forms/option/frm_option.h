// The options dialog: five pages behind a tab strip. This file declares the frame (tabs,
// OK and Cancel, help: frm_option.cpp, option_help.cpp), each page has a file of its own
// (main_page, dummy_page with list_editor, mouse_page, return_page, extras_page) and the
// control helpers theirs (option_controls.cpp). Every change waits in the controls;
// OK applies and stores the four pages, Cancel, Esc and the close box drop them.
// Modal; a fresh one for every opening.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/option/option_layout.h"
#include "platform/dialog.h"
#include "platform/handles.h"
#include "platform/window.h"
#include "settings/dummy_list.h"
#include "settings/settings.h"

namespace mirel {

class Application;

class frmOption : public Dialog {
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

  // Enabling rules.
  void chkNonTitleBar_Click();
  void chkCheckMouse_Click();
  void chkPassword_Click();

  void cmdMainRef_Click();
  void txtMainLoadFile_OLEDragDrop(const std::vector<std::wstring>& files);
  void cmdMainBackColor_Click();
  void lblViewBackColor_Click();

  // The dummy image list editor.
  void lstViewList_Click();
  void lstViewList_KeyDown(UINT key);
  void lstViewList_OLEDragDrop(const std::vector<std::wstring>& files);
  void cmdViewAdd_Click();
  void cmdViewDelete_Click();
  // 0: up, 1: down.
  void cmdViewMove_Click(int index);
  void cmdViewClear_Click();

  // The context-help topic of the control at a screen point: the '?' button's pick.
  void ShowContextHelpAt(POINT screen);

  HWND control(OptionControl id) const { return controls_[static_cast<std::size_t>(id)]; }
  HWND page(int index) const { return pages_[static_cast<std::size_t>(index)]->hwnd(); }
  HWND tabStrip() const { return tabOption_; }
  HWND okButton() const { return cmdOK_; }
  HWND cancelButton() const { return cmdCancel_; }
  int selectedTab() const;
  std::uint32_t mainSwatch() const { return mainSwatch_; }
  std::uint32_t viewSwatch() const { return viewSwatch_; }
  bool highContrast() const { return highContrast_; }
  std::vector<std::wstring> ListEntries() const;
  bool closed() const { return closed_; }
  // False when MIREL.DAT could not be read this opening: its page cannot be edited.
  bool listReadable() const { return listReadable_; }

 protected:
  void OnInitDialog() override;
  void OnDpiChanged(unsigned dpi) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // A page: a plain child window holding its controls; their notifications go on to the dialog.
  class Page : public Window {
   public:
    explicit Page(frmOption& owner) : owner_(owner) {}
    bool Create(HWND parent, int index, unsigned dpi);

   protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

   private:
    frmOption& owner_;
  };

  void LoadMainWindowPage();
  void LoadDummyWindowPage();
  void LoadMousePage();
  void LoadReturnPage();
  // What OK takes from each page into the settings to come. False from the main window's
  // page when its picture path was refused: the picture stays as it is.
  bool SaveMainWindowPage(Settings& after);
  void SaveDummyWindowPage(Settings& after);
  void SaveMousePage(Settings& after);
  void SaveReturnPage(Settings& after);
  void LoadExtrasPage();
  void SaveExtrasPage(Settings& after);
  void StoreStartWithWindows();

  void CreateControls();
  // Labels, check boxes and option buttons as wide as their captions need in the font.
  void WidenCaptions();
  void PlaceAtDesignedPlace();
  void Command(int id, int code, HWND from);
  bool Checked(OptionControl id) const;
  void SetChecked(OptionControl id, bool checked);
  void Enable(OptionControl id, bool enabled);
  std::wstring Text(OptionControl id) const;
  void SetText(OptionControl id, const std::wstring& text);
  void SetSwatch(std::uint32_t& swatch, UniqueBrush& brush, OptionControl id, std::uint32_t color);
  void ApplyListButtons(int selected);
  void UpdateReturnTabStop();
  void WarnIfListUnreadable();
  void AppendListEntry(const std::wstring& path);
  // The sideways scroll grows to the widest of these entries (at least 300 pixels).
  void UpdateListExtent(const std::vector<std::wstring>& entries);
  // Why a file cannot join the list (full, no bitmap, a path MIREL.DAT cannot hold), or nothing.
  std::optional<std::wstring> ListEntryRefusal(const std::wstring& path) const;
  void RunContextHelpPick();
  bool PreTranslate(MSG& msg);
  static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
  // A message for one of the subclassed controls; nothing when the control's own
  // procedure is to handle it.
  std::optional<LRESULT> ControlMessage(OptionControl id, HWND control, UINT message, WPARAM wParam, LPARAM lParam);

  Application& app_;
  HWND owner_;
  std::array<std::unique_ptr<Page>, kOptionPageCount> pages_;
  std::array<HWND, static_cast<std::size_t>(OptionControl::kCount)> controls_{};
  HWND tabOption_ = nullptr;
  HWND cmdOK_ = nullptr;
  HWND cmdCancel_ = nullptr;
  HWND tooltip_ = nullptr;
  std::uint32_t mainSwatch_ = 0;
  std::uint32_t viewSwatch_ = 0;
  UniqueBrush mainSwatchBrush_;
  UniqueBrush viewSwatchBrush_;
  std::int16_t mPrevTab = 1;
  int listExtent_ = 0;
  bool listReadable_ = true;
  bool highContrast_ = false;       // as the system said at the opening or its last change
  bool startsWithWindows_ = false;  // as the Run key said when the dialog opened
  KeptLines offlineLines_;          // lines of MIREL.DAT on a drive that is not there
  bool closed_ = false;
  bool unloaded_ = false;
};

// Control identifiers: the table's index from here on; OK and Cancel are IDOK and IDCANCEL.
inline constexpr int kOptionControlIdBase = 1000;
inline constexpr int kOptionTabId = 999;
// The Ctrl+Tab page switches, as commands.
inline constexpr int kOptionNextTab = 997;
inline constexpr int kOptionPreviousTab = 998;

}  // namespace mirel
