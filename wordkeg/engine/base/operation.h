#pragma once
// A long operation that a front end runs on a worker thread behind a progress display.
#include <string>

namespace wk {

class PauseGate;

// How a long operation ended, as its front end reports it.
enum class RunOutcome { kCompleted, kCancelled, kFailed };

struct Progress {
  std::string text;
  int percent = 0;
};

class Operation {
 public:
  virtual ~Operation() = default;
  // Runs on the worker thread. True when the operation completed; false when it was cancelled
  // or failed after telling the user. Throws WordkegException for the boundary to show.
  virtual bool run() = 0;
  // Called from another thread; takes effect at the operation's next check.
  virtual void cancel() = 0;
  // Called from another thread while run() works.
  virtual Progress progress() const = 0;
  // False for operations that cannot stop part way (a wait dialog hides its Cancel button).
  virtual bool cancellable() const { return true; }
  // The gate its worker waits at while a front end asks whether to cancel; null when the
  // operation has no such checks.
  virtual PauseGate* questionGate() { return nullptr; }
};

}  // namespace wk
