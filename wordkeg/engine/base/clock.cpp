#include "clock.h"

#include <ctime>
#include <mutex>

namespace wk {
namespace {
std::mutex clockMutex;
std::function<int32_t()> fixedSource;
}  // namespace

int32_t nowTime() {
  std::lock_guard<std::mutex> lock(clockMutex);
  if (fixedSource) return fixedSource();
  return static_cast<int32_t>(std::time(nullptr));
}

void setClockForTest(std::function<int32_t()> source) {
  std::lock_guard<std::mutex> lock(clockMutex);
  fixedSource = std::move(source);
}

}  // namespace wk
