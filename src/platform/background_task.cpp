#include "platform/background_task.h"

#include <mutex>
#include <thread>
#include <utility>

namespace mirel {

namespace {

constexpr UINT kAnswerMessage = WM_APP + 1;
constexpr const wchar_t* kClassName = L"Kalv.Mirel.BackgroundTask";

}  // namespace

struct BackgroundTask::Shared {
  std::mutex lock;
  HWND window = nullptr;  // null once the task is gone
  unsigned latest = 0;    // the Start whose answer counts
  bool busy = false;
  Answer answer;  // the latest work's, waiting for its message
};

BackgroundTask::BackgroundTask() : shared_(std::make_shared<Shared>()) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // already there for a second task: that is fine
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  shared_->window = window_;
}

BackgroundTask::~BackgroundTask() {
  {
    const std::lock_guard<std::mutex> hold(shared_->lock);
    shared_->window = nullptr;
    shared_->answer = nullptr;
  }
  if (window_) DestroyWindow(window_);
}

void BackgroundTask::Start(std::function<Answer()> work) {
  unsigned ticket = 0;
  {
    const std::lock_guard<std::mutex> hold(shared_->lock);
    ticket = ++shared_->latest;
    shared_->busy = true;
    shared_->answer = nullptr;
  }
  // Detached: a thread that waits on a share that does not answer must not hold up the
  // program's end. It owns what it touches (its work and the shared part).
  std::thread([shared = shared_, ticket, work = std::move(work)] {
    Answer answer;
    try {
      answer = work();
    } catch (...) {  // out of memory, say: no answer, and the program goes on
    }
    if (!answer) answer = [] {};
    const std::lock_guard<std::mutex> hold(shared->lock);
    if (!shared->window || shared->latest != ticket) return;
    shared->answer = std::move(answer);
    PostMessageW(shared->window, kAnswerMessage, ticket, 0);
  }).detach();
}

void BackgroundTask::Cancel() {
  const std::lock_guard<std::mutex> hold(shared_->lock);
  ++shared_->latest;
  shared_->busy = false;
  shared_->answer = nullptr;
}

bool BackgroundTask::Busy() const {
  const std::lock_guard<std::mutex> hold(shared_->lock);
  return shared_->busy;
}

LRESULT CALLBACK BackgroundTask::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* task = reinterpret_cast<BackgroundTask*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message != kAnswerMessage || !task) return DefWindowProcW(window, message, wParam, lParam);
  Answer answer;
  {
    const std::lock_guard<std::mutex> hold(task->shared_->lock);
    // Only the latest work's answer, once: another program may post this message too.
    if (wParam != task->shared_->latest || !task->shared_->answer) return 0;
    answer = std::move(task->shared_->answer);
    task->shared_->answer = nullptr;
    task->shared_->busy = false;
  }
  answer();
  return 0;
}

}  // namespace mirel
