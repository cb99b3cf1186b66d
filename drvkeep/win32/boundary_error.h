#pragma once
// What drvkeep shows for an exception that reached one of its windows: the exception's text in
// a stop box under the program's caption.
#include <exception>

namespace dk {

// The reporter the program installs in the window framework.
void reportBoundaryError(const std::exception& e);

}  // namespace dk
