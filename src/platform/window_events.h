// The system's news of other programs' windows (one activated, shown, put in another place
// of the z-order, minimised), told to a window of ours as a posted message. Out of
// context: nothing of ours runs inside other programs, and the news comes on the thread
// that asked for it while it waits for its messages, so an idle program costs nothing.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/handles.h"

namespace mirel {

class WindowEventWatch : NonCopyable {
 public:
  ~WindowEventWatch() { Stop(); }

  // Posts `message` to `target` for each event: wParam the event (EVENT_SYSTEM_FOREGROUND,
  // EVENT_OBJECT_SHOW, EVENT_OBJECT_REORDER, EVENT_SYSTEM_MINIMIZESTART), lParam the window
  // it concerns. False when the system gives no such news (then nothing is posted).
  bool Start(HWND target, UINT message);
  void Stop();
  bool watching() const { return !hooks_.empty(); }

 private:
  std::vector<HWINEVENTHOOK> hooks_;
};

}  // namespace mirel
