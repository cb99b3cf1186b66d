#pragma once
// The program's exception: one message text, shown to the user by whoever catches it at the
// boundary of an operation (caption "Wordkeg Exception").
#include <stdexcept>
#include <string>

namespace wk {

class WordkegException : public std::runtime_error {
 public:
  explicit WordkegException(const std::string& text) : std::runtime_error(text) {}
  std::string text() const { return what(); }
};

}  // namespace wk
