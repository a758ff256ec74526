// Work that may wait on a disk or a network, done away from the windows' thread, with its
// answer handed back on the thread that asked.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/handles.h"

namespace mirel {

class BackgroundTask : NonCopyable {
 public:
  // What the work gives back: run on the asking thread when the work is done.
  using Answer = std::function<void()>;

  BackgroundTask();
  // Work still running is left to end on its own; its answer goes nowhere.
  ~BackgroundTask();

  // Runs `work` on a thread of its own. Only the answer of the latest Start is run; an
  // earlier one still running is left to end and its answer dropped. Must be called on a
  // thread that runs its messages.
  void Start(std::function<Answer()> work);
  // Drops the answer of the work in progress, if any.
  void Cancel();
  // True from Start until its answer has run or been dropped.
  bool Busy() const;

 private:
  struct Shared;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::shared_ptr<Shared> shared_;
  HWND window_ = nullptr;  // message-only: where the answers arrive
};

}  // namespace mirel
