#pragma once
// StringHandler: one run file as an input of MergeFile. The handlers of a pass write to its one
// Output, opened on the first record written in the pass.
#include <cstdio>
#include <string>
#include <vector>

#include "run_record.h"

namespace wk {

class PauseGate;

// The records' layout, the same for every input of a merge.
struct RunOptions {
  const run_record::Layout* layout = &run_record::kShortWords;
  PauseGate* pause = nullptr;  // the merging operation's, or null
};

class StringHandler {
 public:
  using Options = RunOptions;
  // The pass output collects records in a block of its own and writes them a block at a time.
  class Output {
   public:
    ~Output() { abandon(); }
    // Closes the pass output; throws WordkegException if its data could not be written.
    void close();
    // Closes the pass output without reporting (an abandoned merge).
    void abandon();

   private:
    friend class StringHandler;
    void flush();
    std::FILE* file_ = nullptr;
    std::string name_;
    std::vector<unsigned char> pending_;
    bool failed_ = false;
  };

  // Opens `input` and reads its first record; throws WordkegException "Unable to Open File: ".
  StringHandler(const std::string& input, const std::string& output, Options options, Output& pass);
  ~StringHandler();
  StringHandler(const StringHandler&) = delete;
  StringHandler& operator=(const StringHandler&) = delete;

  bool readNext();  // false at the end of the input
  bool hasItem() const { return hasItem_; }
  // Appends the current record to the pass output, opening it first when needed. Throws
  // WordkegException when the output cannot be opened or written.
  void write();
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
  Output& pass_;
  // Records are read a block at a time: one library call per record would dominate the merge.
  std::vector<unsigned char> block_;
  size_t blockRecords_ = 0;
  size_t next_ = 0;
  const unsigned char* record_ = nullptr;
  bool hasItem_ = false;
};

}  // namespace wk
