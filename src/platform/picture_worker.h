// Pictures decoded away from the windows' thread: a file on a share that does not answer,
// a sleeping disk or a 100-megapixel photo never holds up a click, a key or a cover.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/handles.h"
#include "platform/picture.h"

namespace mirel {

class PictureWorker {
 public:
  // What a request is for; one request per use at a time, the earlier ones first.
  enum Use : int { kCover = 0, kMainWindow = 1, kNextCover = 2, kUses = 3 };

  PictureWorker();
  // Waits at most 200 ms for a decode in progress; one that hangs on a file is left to end
  // with the process.
  ~PictureWorker();
  PictureWorker(const PictureWorker&) = delete;
  PictureWorker& operator=(const PictureWorker&) = delete;

  // Queues `request` for `use` instead of whatever that use asked before (a decode of the
  // earlier request in progress is stopped at its next step and its result dropped). The
  // cover's request goes first: another use's decode in progress stops at its next step and
  // is begun again after it. A request that cannot be decoded, for whatever reason, is
  // answered kUndecodable. When it is done, `message` is posted to `window` with the use as
  // wParam and the returned ticket as lParam.
  std::uint32_t Request(Use use, PictureRequest request, HWND window, UINT message);
  // Forgets what `use` asked for: nothing of it is ever delivered.
  void Cancel(Use use);

  struct Result {
    PictureLoad load = PictureLoad::kMissing;
    PreparedPicture picture;
  };
  // The result of `use`'s latest request, when `ticket` is that request's and it is done;
  // handed out once.
  std::optional<Result> Take(Use use, std::uint32_t ticket);

 private:
  struct Shared;
  static DWORD WINAPI Run(void* shared);
  void StartThread();
  std::shared_ptr<Shared> shared_;
  UniqueHandle thread_;
};

}  // namespace mirel
