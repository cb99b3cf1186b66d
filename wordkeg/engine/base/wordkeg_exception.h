#pragma once
// The program's exception: one message text, shown to the user by whoever catches it at the
// boundary of an operation (caption "Wordkeg Exception"), unless the thrower has shown it
// already: one failure, one box.
#include <stdexcept>
#include <string>

namespace wk {

class WordkegException : public std::runtime_error {
 public:
  explicit WordkegException(const std::string& text, bool shown = false)
      : std::runtime_error(text), shown_(shown) {}
  std::string text() const { return what(); }
  bool shown() const { return shown_; }

 private:
  bool shown_;
};

// One damaged or vanished dictionary must not stop the work on the others: its failure is told
// as a warning (unless the thrower told it) and the dictionary is left out.
void warnLeftOut(const WordkegException& e);

}  // namespace wk
