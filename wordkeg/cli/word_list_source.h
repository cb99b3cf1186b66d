#pragma once
// The word list of "dict make" as a file the make can read twice and measure: a regular file as
// it is; standard input ("-"), a pipe or a device copied first into a temporary file that goes
// when this object does. A directory or an empty input is refused with a message that says so.
#include <string>

#include "engine/base/scoped_files.h"

namespace wk::cli {

class WordListSource {
 public:
  // A copy goes into `tempDirectory`.
  WordListSource(const std::string& given, const std::string& tempDirectory);
  // False after the user was told why the input cannot be read.
  bool ready() const { return ready_; }
  const std::string& path() const { return path_; }

 private:
  bool spool(const std::string& given);

  std::string path_;
  ScopedFile spooled_;
  bool ready_ = false;
};

}  // namespace wk::cli
