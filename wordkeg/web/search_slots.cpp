#include "search_slots.h"

#include <algorithm>
#include <thread>

namespace wk::web {

int SearchSlots::defaultCapacity() {
  return std::max(4, 2 * static_cast<int>(std::thread::hardware_concurrency()));
}

std::shared_ptr<void> SearchSlots::take() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (free_ == 0) return nullptr;
  --free_;
  return std::shared_ptr<void>(this, [](SearchSlots* slots) {
    std::lock_guard<std::mutex> lock(slots->mutex_);
    ++slots->free_;
  });
}

}  // namespace wk::web
