#include "platform/window_events.h"

#include <algorithm>
#include <utility>

namespace mirel {

namespace {

struct Listener {
  HWINEVENTHOOK hook;
  HWND target;
  UINT message;
};

// The hooks of this thread and whom they tell: the system calls back with the hook alone.
// Out-of-context hooks call back on the thread that set them, so one list per thread.
thread_local std::vector<Listener> listeners;

void CALLBACK Told(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  // Windows only, not their parts (a caret, a scroll bar) or their child windows.
  if (!window || object != OBJID_WINDOW || child != CHILDID_SELF) return;
  if (event != EVENT_OBJECT_REORDER && GetAncestor(window, GA_ROOT) != window) return;
  for (const Listener& l : listeners)
    if (l.hook == hook) PostMessageW(l.target, l.message, event, reinterpret_cast<LPARAM>(window));
}

}  // namespace

bool WindowEventWatch::Start(HWND target, UINT message) {
  Stop();
  // One hook per event: the ranges between them (a window's every move, its name) would
  // wake the program for nothing.
  for (const DWORD event : {DWORD{EVENT_SYSTEM_FOREGROUND}, DWORD{EVENT_SYSTEM_MINIMIZESTART}, DWORD{EVENT_OBJECT_SHOW},
                            DWORD{EVENT_OBJECT_REORDER}}) {
    const HWINEVENTHOOK hook = SetWinEventHook(event, event, nullptr, Told, 0, 0, WINEVENT_OUTOFCONTEXT);
    if (!hook) continue;
    hooks_.push_back(hook);
    listeners.push_back({hook, target, message});
  }
  return watching();
}

void WindowEventWatch::Stop() {
  for (const HWINEVENTHOOK hook : hooks_) {
    UnhookWinEvent(hook);
    std::erase_if(listeners, [hook](const Listener& l) { return l.hook == hook; });
  }
  hooks_.clear();
}

}  // namespace mirel
