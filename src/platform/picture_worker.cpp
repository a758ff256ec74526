#include "platform/picture_worker.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>

namespace mirel {

namespace {
// What exit waits for a decode in progress: one stuck on a file that does not answer ends
// with the process.
constexpr DWORD kExitWaitMilliseconds = 200;

bool Known(PictureWorker::Use use) {
  return use >= 0 && use < PictureWorker::kUses;
}
}  // namespace

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
  bool yielding = false;  // stopped for the cover's request, and asked again after it
};

PictureWorker::PictureWorker() : shared_(std::make_shared<Shared>()) {}

void PictureWorker::StartThread() {
  // At the first request, not at start-up: the main window shows sooner. The thread holds
  // the shared state too, so that a decode left hanging at exit never touches freed memory.
  if (thread_) return;
  auto* held = new std::shared_ptr<Shared>(shared_);
  thread_.reset(CreateThread(nullptr, 0, &PictureWorker::Run, held, 0, nullptr));
  if (!thread_)
    delete held;
  else  // the windows' thread first: a decode never slows a click or the cover
    SetThreadPriority(thread_.get(), THREAD_PRIORITY_BELOW_NORMAL);
}

PictureWorker::~PictureWorker() {
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
    shared_->cancelRunning = true;
  }
  shared_->wake.notify_all();
  if (thread_) WaitForSingleObject(thread_.get(), kExitWaitMilliseconds);
}

std::uint32_t PictureWorker::Request(Use use, PictureRequest request, HWND window, UINT message) {
  if (!Known(use)) return 0;
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
    if (shared_->runningUse == use) {
      shared_->cancelRunning = true;
    } else if (use == kCover && shared_->runningUse > kCover) {
      // The cover shows its colour until its picture comes: a main-window or next-cover
      // decode, however slow, gives way.
      shared_->yielding = true;
      shared_->cancelRunning = true;
    }
  }
  shared_->wake.notify_all();
  return ticket;
}

void PictureWorker::Cancel(Use use) {
  if (!Known(use)) return;
  const std::lock_guard lock(shared_->mutex);
  auto& slot = shared_->slots[use];
  slot.ticket = 0;
  slot.waiting.reset();
  slot.done.reset();
  if (shared_->runningUse == use) shared_->cancelRunning = true;
}

std::optional<PictureWorker::Result> PictureWorker::Take(Use use, std::uint32_t ticket) {
  if (!Known(use)) return std::nullopt;
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
    PictureRequest request = std::move(*next->waiting);
    next->waiting.reset();
    const std::uint32_t ticket = next->ticket;
    shared.runningUse = use;
    shared.runningTicket = ticket;
    shared.cancelRunning = false;
    shared.yielding = false;
    lock.unlock();

    Result result;
    try {
      result.load = PreparePictureFile(request, result.picture, &shared.cancelRunning);
    } catch (...) {
      // Out of memory for a huge picture, or any other failure: this picture cannot be
      // shown, as a damaged file cannot, and the next request is served all the same.
      result.load = PictureLoad::kUndecodable;
      result.picture = PreparedPicture();
    }

    lock.lock();
    shared.runningUse = -1;
    if (shared.stopping) return 0;
    Shared::Slot& slot = shared.slots[use];
    if (slot.ticket != ticket) continue;  // replaced or given up meanwhile
    if (shared.yielding && result.load == PictureLoad::kUndecodable) {
      if (!slot.waiting) slot.waiting = std::move(request);  // stopped for the cover: again after it
      continue;
    }
    slot.done = std::move(result);
    PostMessageW(slot.window, slot.message, static_cast<WPARAM>(use), static_cast<LPARAM>(ticket));
  }
}

}  // namespace mirel
