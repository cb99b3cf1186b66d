#include "boundary.h"

#include <windows.h>

#include <stdexcept>

namespace wf {
namespace {

void plainBox(const std::exception& e) {
  MessageBoxA(nullptr, e.what(), nullptr, MB_ICONSTOP | MB_OK | MB_TASKMODAL);
}

ErrorReporter reporter = plainBox;

}  // namespace

void setErrorReporter(ErrorReporter newReporter) {
  reporter = newReporter ? newReporter : plainBox;
}

void reportCurrentException() noexcept {
  try {
    try {
      throw;
    } catch (const std::exception& e) {
      reporter(e);
    } catch (...) {
      reporter(std::runtime_error("An exception of unknown type reached a window."));
    }
  } catch (...) {
    // The reporter itself failed (out of memory, say): nothing is left to show it with.
  }
}

}  // namespace wf
