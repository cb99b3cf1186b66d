#pragma once
// StringHandler: one run file as an input of MergeFile. All handlers of the process write to
// one shared pass output, opened on the first record written in a pass.
#include <cstdio>
#include <string>
#include <vector>

#include "run_record.h"

namespace wk {

// The records' layout, the same for every input of a merge.
struct RunOptions {
  const run_record::Layout* layout = &run_record::kShortWords;
};

class StringHandler {
 public:
  using Options = RunOptions;

  // Opens `input` and reads its first record; throws WordkegException "Unable to Open File: ".
  StringHandler(const std::string& input, const std::string& output, Options options = {});
  ~StringHandler();
  StringHandler(const StringHandler&) = delete;
  StringHandler& operator=(const StringHandler&) = delete;

  bool readNext();  // false at the end of the input
  bool hasItem() const { return hasItem_; }
  // Appends the current record to the pass output, opening it first when needed. Throws
  // WordkegException when the output cannot be opened or written.
  void write();
  // Closes the shared pass output; throws WordkegException if its data could not be written.
  static void closeOutput();
  // Closes the pass output without reporting (an abandoned merge).
  static void abandonOutput();
  // Makes an empty pass output at `path` (a pass whose inputs were all empty).
  static void createEmptyOutput(const std::string& path);
  bool operator<(const StringHandler& other) const {
    return layout_.compare(record_, other.record_) < 0;
  }

 private:
  static constexpr size_t kBufferedRecords = 1024;

  const run_record::Layout& layout_;
  std::FILE* input_ = nullptr;
  std::string output_;
  // Records are read a block at a time: one library call per record would dominate the merge.
  std::vector<unsigned char> block_;
  size_t blockRecords_ = 0;
  size_t next_ = 0;
  const unsigned char* record_ = nullptr;
  bool hasItem_ = false;
};

}  // namespace wk
