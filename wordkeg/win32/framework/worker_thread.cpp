#include "worker_thread.h"

#include <system_error>

namespace wkw {

bool startWorkerThread(std::thread& thread, std::function<void()> work, HWND target,
                       UINT doneMessage) {
  try {
    thread = std::thread([work = std::move(work), target, doneMessage] {
      work();
      PostMessageA(target, doneMessage, 0, 0);
    });
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

}  // namespace wkw
