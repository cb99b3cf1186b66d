#pragma once
// The tests' error reporter: it keeps what a window boundary would have shown, in order.
#include <exception>
#include <string>
#include <vector>

#include "winframe/boundary.h"

namespace wftest {

inline std::vector<std::string>& reported() {
  static std::vector<std::string> texts;
  return texts;
}

inline void record(const std::exception& e) {
  reported().push_back(e.what());
}

// Installs the recorder with nothing recorded yet.
inline void recordErrors() {
  reported().clear();
  wf::setErrorReporter(record);
}

}  // namespace wftest
