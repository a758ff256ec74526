// The dummy screen: a borderless topmost window over the whole primary screen that shows
// one picture over the background colour until the user clicks (or double clicks) it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/screen_box.h"
#include "platform/handles.h"
#include "platform/picture.h"
#include "platform/window.h"
#include "platform/window_events.h"
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
  RECT CoverArea() const;
  std::uint32_t backColor() const { return backColor_; }
  // True while the cover is up (from its coming up until the return).
  bool up() const { return up_; }
  // When the last paint was complete (performance counter), for measuring the switch.
  std::int64_t lastPaintTicks() const { return lastPaintTicks_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ReturnFromDummyScreen(bool doubleClick);
  void Paint();
  // Keeping the cover over everything while it is up: whatever another program does, the
  // cover goes back on top at once, and takes the keyboard when it should.
  void HoldOnTop();
  void StartHolding();
  void StopHolding();
  void WindowEvent(HWND window);
  // The cover back on top, at once or (against a program that keeps putting its own window
  // over it, unless `atOnce`) after a pause; `covered` (screen coordinates) is what is
  // painted again.
  void RaiseSoon(std::vector<RECT> covered, bool atOnce);
  void Raise(const std::vector<RECT>& covered);
  void Raise();
  bool HeldByUs(HWND window) const;
  // The part of the cover that the window hides, if it is one the user can see over it.
  bool Hides(HWND window, const RECT& cover, RECT* piece) const;
  // What windows of other programs hide of the cover (screen coordinates).
  std::vector<RECT> WhatIsCovered();
  void WatchClosely();
  void TakeKeyboardWhenFree();
  void TakeKeyboardThrough(HWND answered);
  void StayStillUnderTheCompositor();
  void WatchTheSession();

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
  // The hold: the system's window events, what they told since the last look, and the pause
  // against a program that fights the cover for the top.
  WindowEventWatch windowEvents_;
  struct SeenWindow {
    HWND window;
    ULONGLONG since;  // first seen; 0: there before the cover
  };
  std::vector<SeenWindow> seen_;
  bool lookedBefore_ = false;
  bool lookPosted_ = false;
  bool watchingClosely_ = false;
  ULONGLONG lastRaise_ = 0;
  int quickRaises_ = 0;
  std::vector<RECT> owed_;  // covered while the cover paused
  bool raiseOwed_ = false;
  HWND keyboardAsked_ = nullptr;    // the foreground window asked whether its program answers
  HWND compositorAsked_ = nullptr;  // the window that asked for no animations
  bool up_ = false;                 // between the cover's coming up and the return
  bool raising_ = false;            // the cover's own move out of the topmost band and back
  bool wantsKeyboard_ = false;      // the keyboard is taken once no modifier key is held
  HWND lastForeground_ = nullptr;
  unsigned long long keyboardWaitSince_ = 0;  // since when a held modifier key holds back the keyboard
  HPOWERNOTIFY displayNotify_ = nullptr;
  UINT taskbarCreated_ = 0;
  bool watchingSession_ = false;
};

}  // namespace mirel
