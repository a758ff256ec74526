// Keeping the cover over everything while it is up: whatever another program does, the
// cover goes back on top at once, and takes the keyboard when it should. The hold goes by
// the system's window events, looks a few times a second besides them, and pauses against
// a program that fights the cover for the top. The cover passes its messages to the hold
// first; the hold knows nothing of pictures or of the return.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/session_news.h"
#include "platform/window.h"
#include "platform/window_events.h"

namespace mirel {

struct Settings;

class CoverHold {
 public:
  // `cover`: the window held. `state`: what it covers (every monitor, or the primary one
  // alone) and whether the keyboard is always taken (the password is on).
  CoverHold(const Window& cover, const Settings& settings);
  CoverHold(const CoverHold&) = delete;
  CoverHold& operator=(const CoverHold&) = delete;

  // The cover's window exists: the compositor is asked soon to leave it alone.
  void CoverMade();
  // Puts the cover over everything, painted before anything else happens, takes the
  // keyboard and holds it there until End.
  void Begin();
  // The return: the cover may go now.
  void End();
  // True while the cover is up (from Begin until End).
  bool up() const { return up_; }
  // What the cover covers: every monitor, or the primary one alone.
  RECT CoverArea() const;

  // The cover's messages that the hold answers: its answer, or nothing when the cover's
  // own handling follows (the hold may have acted on the message too).
  std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  HWND hwnd() const { return cover_.hwnd(); }
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

  const Window& cover_;
  const Settings& settings_;
  // The system's window events, what they told since the last look, and the pause against
  // a program that fights the cover for the top.
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
  unsigned long long upSince_ = 0;            // when this cover came up
  HWND foregroundAtUp_ = nullptr;             // who had the keyboard as it came up
  // The session's news, asked for at the first cover and given up as the window goes.
  struct SessionWatch {
    UniqueSessionNotification session;
    UniquePowerNotification display;
  };
  std::optional<SessionWatch> sessionWatch_;
  UINT taskbarCreated_ = 0;
};

}  // namespace mirel
