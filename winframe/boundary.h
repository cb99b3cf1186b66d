#pragma once
// The exception boundary of every window procedure of the framework: an exception never leaves
// a handler through Windows (it would unwind through the system's frames). It is shown by the
// program's reporter instead and the message counts as handled.
#include <exception>

namespace wf {

// Shows an exception that reached a window procedure. Must not throw.
using ErrorReporter = void (*)(const std::exception& e);

// Installs the program's reporter, at start, before its first window. Without one the text is
// shown in a plain task-modal stop box.
void setErrorReporter(ErrorReporter reporter);

// Shows the exception being handled (call only inside a catch block) through the reporter. An
// exception of no std::exception type is reported as one that says so.
void reportCurrentException() noexcept;

// Calls `handler` behind the boundary: its result, or `failed` once the exception is reported.
template <typename Result, typename Handler>
Result guarded(Result failed, Handler&& handler) noexcept {
  try {
    return handler();
  } catch (...) {
    reportCurrentException();
    return failed;
  }
}

}  // namespace wf
