#pragma once
// Guards that delete temporary files when a scope ends, however it ends (success, cancel or an
// exception).
#include <string>

#include "file_ops.h"

namespace wk {

class ScopedFile {
 public:
  explicit ScopedFile(std::string path) : path_(std::move(path)) {}
  ~ScopedFile() {
    if (fileExists(path_)) removeFile(path_);
  }
  ScopedFile(const ScopedFile&) = delete;
  ScopedFile& operator=(const ScopedFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class ScopedPattern {
 public:
  explicit ScopedPattern(std::string pattern) : pattern_(std::move(pattern)) {}
  ~ScopedPattern() { deleteMatching(pattern_); }
  ScopedPattern(const ScopedPattern&) = delete;
  ScopedPattern& operator=(const ScopedPattern&) = delete;

 private:
  std::string pattern_;
};

}  // namespace wk
