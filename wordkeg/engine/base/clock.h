#pragma once
// The time source for header stamps and temporary names: C-library seconds since 1970 as a
// signed 32-bit value. Tests fix it with setClockForTest.
#include <cstdint>
#include <functional>

namespace wk {

int32_t nowTime();

// Replaces the time source; an empty function restores the system clock.
void setClockForTest(std::function<int32_t()> source);

}  // namespace wk
