#include "pause_gate.h"

#include <chrono>
#include <thread>

namespace wk {

void PauseGate::pass() const {
  while (held_) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

PauseGate& pauseGate() {
  static PauseGate gate;
  return gate;
}

}  // namespace wk
