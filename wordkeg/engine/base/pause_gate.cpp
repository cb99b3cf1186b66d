#include "pause_gate.h"

#include <chrono>
#include <thread>

namespace wk {

void PauseGate::waitForRelease() const {
  while (held_) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace wk
