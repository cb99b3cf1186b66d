#include "numbered_file.h"

#include <cstdio>

namespace wk {

numberedFile::numberedFile(std::string base, int start) : base_(std::move(base)), counter_(start) {
  if (base_.empty() || base_.back() != '.') base_ += '.';
}

std::string numberedFile::next() {
  ++counter_;
  return current();
}

std::string numberedFile::current() const {
  char number[16];
  std::snprintf(number, sizeof number, "%x", static_cast<unsigned>(counter_));
  return base_ + number;
}

}  // namespace wk
