#pragma once
// numberedFile: names a series of files base + "." + counter in lower-case hexadecimal.
#include <string>

namespace wk {

class numberedFile {
 public:
  explicit numberedFile(std::string base, int start = 0);
  std::string next();           // increments, then names
  std::string current() const;  // names without incrementing

 private:
  std::string base_;
  int counter_;
};

}  // namespace wk
