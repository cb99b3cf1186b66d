#pragma once
// The worker threads of the dialogs: a worker touches no window; it reports its end by posting
// one message to the window that waits for it.
#include <windows.h>

#include <functional>
#include <thread>

namespace wkw {

// Starts `work` on `thread`, which posts `doneMessage` to `target` when `work` returns. False,
// with `thread` untouched, when no thread could be started.
bool startWorkerThread(std::thread& thread, std::function<void()> work, HWND target,
                       UINT doneMessage);

}  // namespace wkw
