#pragma once
// The pause gate: while a front end asks "cancel?", the worker of a long operation waits at its
// next cancel check instead of being frozen wherever it is (a thread suspended inside the heap
// or stdio would hang the window that asks). Each operation has its own (OperationContext), so
// a question about one leaves the others running.
#include <atomic>

namespace wk {

class PauseGate {
 public:
  // User-interface thread: workers stop at their next pass() until release().
  void hold() { held_ = true; }
  void release() { held_ = false; }
  bool held() const { return held_; }
  // Worker thread: returns at once unless held; otherwise waits until released. Inline: scans
  // pass for every word they find.
  void pass() const {
    if (held_) waitForRelease();
  }

 private:
  void waitForRelease() const;
  std::atomic<bool> held_{false};
};

// Holds `gate` (none: nothing) for the life of a question box.
class ScopedPause {
 public:
  explicit ScopedPause(PauseGate* gate) : gate_(gate) {
    if (gate_) gate_->hold();
  }
  ~ScopedPause() {
    if (gate_) gate_->release();
  }
  ScopedPause(const ScopedPause&) = delete;
  ScopedPause& operator=(const ScopedPause&) = delete;

 private:
  PauseGate* gate_;
};

}  // namespace wk
