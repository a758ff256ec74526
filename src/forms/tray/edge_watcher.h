// The mouse-edge watch as it runs: a timer at the interval, or raw mouse input for
// instant edges, and a dwell timer while the pointer rests at an edge. The rules it
// applies are in edge_watch.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/edge_watch.h"
#include "platform/handles.h"

namespace mirel {

class Application;

class EdgeWatcher : NonCopyable {
 public:
  explicit EdgeWatcher(Application& app) : app_(app) {}
  // Raw mouse input goes with the watch that asked for it.
  ~EdgeWatcher();
  // The window whose timers and raw input drive the watch.
  void Attach(HWND window, UINT_PTR watchTimer, UINT_PTR dwellTimer);

  void SetEnabled(bool enabled);
  bool enabled() const { return enabled_; }
  std::uint32_t interval() const { return interval_; }
  // A new interval takes effect at once when the watch is running.
  void SetInterval(std::uint32_t interval);
  bool instant() const { return rawInput_; }
  // The edges to watch: the primary screen of this size alone, or every monitor's outer edges.
  void UpdateScreens(int primaryWidth, int primaryHeight);
  // After a return: no cover until the pointer has left every watched edge.
  void Disarm() { touch_.Disarm(); }

  // One look at the pointer: the cover comes up when it touches a watched edge (and has
  // stayed there long enough).
  void Tick();
  // The watch's timers; true when the message was one of them.
  bool HandleTimer(UINT_PTR timer);
  // A game, a presentation or a video has the whole screen.
  static bool FullScreenProgramRunning();

 private:
  // Raw mouse input to the window (instant edges) on or off; false when the system refused.
  bool ListenToRawMouse(bool on);

  Application& app_;
  HWND window_ = nullptr;
  UINT_PTR watchTimer_ = 0;
  UINT_PTR dwellTimer_ = 0;
  bool enabled_ = false;
  EdgeTouch touch_;
  std::uint32_t interval_ = 100;
  std::vector<MonitorArea> monitors_;
  std::int64_t dwellSince_ = -1;
  bool rawInput_ = false;
};

}  // namespace mirel
