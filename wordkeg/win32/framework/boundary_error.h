#pragma once
// What wordkeg32 shows for an exception that reached a window boundary or the entry point: its
// text under "Wordkeg Exception", unless it was shown where it was raised.
#include <exception>

namespace wkw {

// The reporter the program installs in the window framework.
void reportBoundaryError(const std::exception& e);

}  // namespace wkw
