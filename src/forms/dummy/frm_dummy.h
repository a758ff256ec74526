// The dummy screen: a borderless topmost window over the whole primary screen that shows
// one picture over the background colour until the user clicks (or double clicks) it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/screen_box.h"
#include "forms/dummy/cover_hold.h"
#include "platform/handles.h"
#include "platform/picture.h"
#include "platform/window.h"
#include "settings/settings.h"

namespace mirel {

class Application;

class frmDummy : public Window {
 public:
  explicit frmDummy(Application& app);
  ~frmDummy() override { Destroy(); }

  void Form_Load();
  void Unload();
  void Form_Click();
  void Form_DblClick();

  // Attaches the picture of the given path: the prepared one at once, any other as soon as
  // it is decoded (the background colour meanwhile). An empty path, or one that cannot be
  // loaded, leaves the background colour alone.
  void SetPicture(const std::wstring& path);
  // Has the picture the next switch will show decoded ahead of time, so that the switch
  // itself only paints.
  void PreparePicture(const std::wstring& path);
  // The screens changed: a cover that is up places its picture again.
  void ScreensChanged();
  // Asks for the next picture to be prepared once the queue is idle.
  void PrepareSoon();
  void SetBackColor(std::uint32_t stored);
  // Covers the primary screen and paints at once.
  void ShowCover();

  const std::wstring& picturePath() const { return picturePath_; }
  bool hasPicture() const { return !picture_.empty(); }
  const PreparedPicture& picture() const { return picture_; }
  // True while the cover waits for its picture to be decoded.
  bool waitingForPicture() const { return coverTicket_ != 0 || coverTakesNext_; }
  // True while the next cover's picture is being decoded.
  bool preparing() const { return nextTicket_ != 0; }
  // What the cover covers: every monitor, or the primary one alone.
  RECT CoverArea() const { return hold_.CoverArea(); }
  std::uint32_t backColor() const { return backColor_; }
  // True while the cover is up (from its coming up until the return).
  bool up() const { return hold_.up(); }
  // When the last paint was complete (performance counter), for measuring the switch.
  std::int64_t lastPaintTicks() const { return lastPaintTicks_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ReturnFromDummyScreen(bool doubleClick);
  void Paint();

  // What a prepared picture was made for besides its file: the placement, the screens and
  // the colour under its transparency.
  struct Look {
    DummyFit fit = DummyFit::kNatural;
    bool everyMonitor = false;
    std::vector<ScreenRect> monitors;  // the primary first
    ScreenRect desktop;
    std::uint32_t background = 0;
    bool operator==(const Look&) const = default;
  };
  Look CurrentLook() const;
  static PictureRequest RequestFor(const std::wstring& path, const Look& look);
  void AskForCoverPicture(PictureRequest request);
  void PictureReady(WPARAM use, LPARAM ticket);
  void ShowNow(PreparedPicture picture);
  void StopWaitingForPictures();

  Application& app_;
  PreparedPicture picture_;
  std::wstring picturePath_;
  // The next cover's picture, decoded or on its way.
  PreparedPicture prepared_;
  std::wstring preparedPath_;
  Look preparedLook_;
  std::uint32_t nextTicket_ = 0;  // the next cover's decode in progress
  std::wstring nextPath_;
  Look nextLook_;
  std::uint32_t coverTicket_ = 0;  // the cover's own decode in progress
  bool coverTakesNext_ = false;    // the cover shows the next cover's decode when it is done
  std::uint32_t backColor_ = settings::kViewBackColor.fallback;
  UniqueBrush backBrush_;
  HWND previousForeground_ = nullptr;  // where the user was before the cover came up
  std::int64_t lastPaintTicks_ = 0;
  bool pressed_ = false;
  bool returning_ = false;
  CoverHold hold_;  // keeps the cover on top while it is up
};

}  // namespace mirel
