#pragma once
// Reads a word list line by line, up to and excluding each line feed. A line is one line however
// long: cut into pieces, its tail would pass for a word of its own ("anism" of
// "antidisestablishmentarianism"). Leading blanks are passed over; of the rest only the first
// kLongestKept characters are kept, far more than any word. A carriage return before the line feed is dropped, also when the line feed
// starts the next block, so CRLF lists read alike everywhere. A UTF-8 byte-order mark at the
// start of the list is skipped.
#include <cstdint>
#include <cstdio>
#include <string>

namespace wk {

class LineReader {
 public:
  static constexpr size_t kLongestKept = 256;

  // Reads `file` from its current position in large blocks; the file must outlive the reader.
  explicit LineReader(std::FILE* file) : file_(file) {}
  // The next line (its first kLongestKept characters); after the last line, one empty line with
  // atEnd() set.
  std::string next();
  // True once a read has met the end of the file.
  bool atEnd() const { return atEnd_; }
  int64_t position() const { return position_; }

 private:
  bool refill();
  bool available();  // a byte is ready at blockPos_, refilling when needed
  void skipByteOrderMark();

  std::FILE* file_;
  char block_[65536];
  size_t blockSize_ = 0;
  size_t blockPos_ = 0;
  bool atEnd_ = false;
  bool started_ = false;
  int64_t position_ = 0;
};

}  // namespace wk
