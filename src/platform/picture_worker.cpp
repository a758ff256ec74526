#include "platform/picture_worker.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>

namespace mirel {

struct PictureWorker::Shared {
  struct Slot {
    std::uint32_t ticket = 0;               // of the latest request; 0: none
    std::optional<PictureRequest> waiting;  // not begun yet
    std::optional<Result> done;
    HWND window = nullptr;
    UINT message = 0;
  };
  std::mutex mutex;
  std::condition_variable wake;
  std::array<Slot, kUses> slots;
  std::uint32_t lastTicket = 0;
  bool stopping = false;
  // The decode in progress: its use and ticket, and its stop flag.
  int runningUse = -1;
  std::uint32_t runningTicket = 0;
  std::atomic<bool> cancelRunning{false};
};

PictureWorker::PictureWorker() : shared_(std::make_shared<Shared>()) {}

void PictureWorker::StartThread() {
  // At the first request, not at start-up: the main window shows sooner. The thread holds
  // the shared state too, so that a decode left hanging at exit never touches freed memory.
  if (thread_) return;
  auto* held = new std::shared_ptr<Shared>(shared_);
  thread_ = CreateThread(nullptr, 0, &PictureWorker::Run, held, 0, nullptr);
  if (!thread_)
    delete held;
  else  // the windows' thread first: a decode never slows a click or the cover
    SetThreadPriority(thread_, THREAD_PRIORITY_BELOW_NORMAL);
}

PictureWorker::~PictureWorker() {
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
    shared_->cancelRunning = true;
  }
  shared_->wake.notify_all();
  if (thread_) {
    WaitForSingleObject(thread_, 2000);
    CloseHandle(thread_);
  }
}

std::uint32_t PictureWorker::Request(Use use, PictureRequest request, HWND window, UINT message) {
  StartThread();
  std::uint32_t ticket = 0;
  {
    const std::lock_guard lock(shared_->mutex);
    auto& slot = shared_->slots[use];
    ticket = ++shared_->lastTicket;
    if (ticket == 0) ticket = ++shared_->lastTicket;  // 0 stands for none
    slot.ticket = ticket;
    slot.waiting = std::move(request);
    slot.done.reset();
    slot.window = window;
    slot.message = message;
    if (shared_->runningUse == use) shared_->cancelRunning = true;
  }
  shared_->wake.notify_all();
  return ticket;
}

void PictureWorker::Cancel(Use use) {
  const std::lock_guard lock(shared_->mutex);
  auto& slot = shared_->slots[use];
  slot.ticket = 0;
  slot.waiting.reset();
  slot.done.reset();
  if (shared_->runningUse == use) shared_->cancelRunning = true;
}

std::optional<PictureWorker::Result> PictureWorker::Take(Use use, std::uint32_t ticket) {
  const std::lock_guard lock(shared_->mutex);
  auto& slot = shared_->slots[use];
  if (ticket == 0 || slot.ticket != ticket || !slot.done) return std::nullopt;
  std::optional<Result> result = std::move(slot.done);
  slot.done.reset();
  return result;
}

DWORD WINAPI PictureWorker::Run(void* param) {
  const std::unique_ptr<std::shared_ptr<Shared>> held(static_cast<std::shared_ptr<Shared>*>(param));
  Shared& shared = **held;
  // An apartment of the thread's own: WIC's objects never cross to the windows' thread.
  EnsureComOnThisThread(true);
  std::unique_lock lock(shared.mutex);
  for (;;) {
    Shared::Slot* next = nullptr;
    int use = 0;
    shared.wake.wait(lock, [&] {
      if (shared.stopping) return true;
      for (use = 0; use < kUses; ++use) {
        if (shared.slots[use].waiting) {
          next = &shared.slots[use];
          return true;
        }
      }
      return false;
    });
    if (shared.stopping) return 0;
    const PictureRequest request = std::move(*next->waiting);
    next->waiting.reset();
    const std::uint32_t ticket = next->ticket;
    shared.runningUse = use;
    shared.runningTicket = ticket;
    shared.cancelRunning = false;
    lock.unlock();

    Result result;
    result.load = PreparePictureFile(request, result.picture, &shared.cancelRunning);

    lock.lock();
    shared.runningUse = -1;
    Shared::Slot& slot = shared.slots[use];
    if (slot.ticket == ticket && !shared.cancelRunning && !shared.stopping) {
      slot.done = std::move(result);
      PostMessageW(slot.window, slot.message, static_cast<WPARAM>(use), static_cast<LPARAM>(ticket));
    }
  }
}

}  // namespace mirel
