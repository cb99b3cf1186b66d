#pragma once
// The pause gate: while a front end asks "cancel?", the worker of a long operation waits at its
// next cancel check instead of being frozen wherever it is (a thread suspended inside the heap
// or stdio would hang the window that asks). One gate serves the process: one long operation
// runs at a time.
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

inline PauseGate& pauseGate() {
  static PauseGate gate;
  return gate;
}

// Holds the gate for the life of a question box.
class ScopedPause {
 public:
  ScopedPause() { pauseGate().hold(); }
  ~ScopedPause() { pauseGate().release(); }
  ScopedPause(const ScopedPause&) = delete;
  ScopedPause& operator=(const ScopedPause&) = delete;
};

}  // namespace wk
