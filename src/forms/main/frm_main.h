// The main window: a picture, a menu bar, drag to move while borderless, a dropped bitmap
// becomes the picture, and its unload ends the program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/menu_commands.h"
#include "platform/handles.h"
#include "platform/picture.h"
#include "platform/window.h"
#include "settings/settings.h"

namespace mirel {

class Application;

class frmMain : public Window {
 public:
  explicit frmMain(Application& app);
  ~frmMain() override;

  void Form_Load();
  void Form_Unload();
  // Unloads the window and ends the program (close box, exit commands).
  void Unload();

  void picMain_MouseDown(int button, POINT screen);
  void picMain_MouseMove(int button, POINT screen);
  void picMain_MouseUp(int button);
  void picMain_OLEDragDrop(const std::vector<std::wstring>& files);

  void mnuFileDeleteRegistry_Click();
  void mnuFileExit_Click();
  void mnuViewHideWindow_Click();
  void mnuViewHideTitleBar_Click();
  // 0: the active window, 1: the whole desktop.
  void mnuViewCapture_Click(int index);
  void mnuViewOption_Click();
  void mnuHelpContents_Click();
  void mnuHelpSearchTopic_Click();
  void mnuHelpAbout_Click();

  void SetVisible(bool visible);
  // The picture (empty: none) of the file `path`, laid over `background` (0x00BBGGRR)
  // where it is `transparent`, and the background colour, as the options set them.
  void SetPicture(Picture picture, const std::wstring& path = {}, std::uint32_t background = 0,
                  bool transparent = false);
  void SetBackColor(std::uint32_t stored);
  // A picture file for the window, decoded away from this thread.
  struct PictureOrder {
    explicit PictureOrder(std::wstring file = {}, bool warnIfNot = false, bool fitWindow = false, bool keep = false)
        : path(std::move(file)), warn(warnIfNot), fit(fitWindow), store(keep) {}
    std::wstring path;
    bool warn;  // say so when it cannot be shown
    bool fit;   // the window fits it once shown (without title bar, with auto adjust)
    // The path becomes the setting once shown: a picture dropped on the window.
    bool store;
    std::uint32_t background = 0;  // what its transparency is laid over (0x00BBGGRR)
  };
  // Shows the picture once it is decoded, as the order says, the picture shown until then
  // staying. Replaces any order still on its way.
  void RequestPicture(PictureOrder order);
  // The window's outer size becomes the picture box's size.
  void FitWindowToPicture();
  // Brings the window wholly into the work area of the nearest monitor when it is not:
  // a stored place from another monitor layout, or a display that changed.
  void KeepOnScreen();
  // The three top-level menus are shown and hidden together: the menu bar itself.
  void SetMenusVisible(bool visible);
  bool MenusVisible() const;
  HMENU menuBar() const { return menuBar_.get(); }

  HICON icon() const { return smallIcon_.get(); }
  HICON largeIcon() const { return largeIcon_.get(); }
  const Picture& picture() const { return picture_; }
  HWND pictureBox() const { return picMain_.hwnd(); }
  std::uint32_t backColor() const { return backColor_; }
  bool unloaded() const { return unloaded_; }
  // True while the window's picture is being decoded.
  bool pictureOnItsWay() const { return pictureTicket_ != 0; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildMenus();
  // True when a close for an installer's sake must wait: the cover is up.
  bool KeepsTheCover(LPARAM endSession);
  void LayoutPicture();
  void ShowPictureWarning(const wchar_t* reason, const std::wstring& path);
  void PictureReady(LPARAM ticket);
  void Paint(HWND target);
  bool MouseMessage(UINT message, WPARAM wParam);
  // What the window and its picture box do alike: paint, and hand the mouse to picMain's handlers.
  std::optional<LRESULT> PictureMessage(HWND target, UINT message, WPARAM wParam);

  Application& app_;
  OwnerDrawnChild picMain_;  // sized to its picture
  Picture picture_;
  std::wstring picturePath_;
  std::uint32_t pictureBackground_ = 0;  // what its transparency lies over
  bool pictureTransparent_ = false;
  std::uint32_t pictureTicket_ = 0;  // a decode on its way
  PictureOrder order_;               // what it is for
  UniqueMenu menuBar_;
  UniqueIcon largeIcon_;
  UniqueIcon smallIcon_;
  UniqueBrush backBrush_;
  std::uint32_t backColor_ = settings::kMainBackColor.fallback;
  bool mDragged = false;
  POINT pressPoint_{};
  bool unloaded_ = false;
};

// The main window's picture, decoded: wParam the worker's use, lParam its ticket.
inline constexpr UINT kMainPictureMessage = WM_APP + 3;

}  // namespace mirel
