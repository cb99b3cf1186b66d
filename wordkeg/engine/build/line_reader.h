#pragma once
// Reads a word list in pieces of at most 23 characters, up to and excluding each line feed; a
// carriage return before the line feed is dropped, so CRLF lists read alike everywhere.
#include <cstdint>
#include <cstdio>
#include <string>

namespace wk {

class LineReader {
 public:
  static constexpr size_t kPiece = 23;

  // Reads `file` from its current position in large blocks; the file must outlive the reader.
  explicit LineReader(std::FILE* file) : file_(file) {}
  // The next piece; after the last line, one empty piece with atEnd() set.
  std::string next();
  // True once a read has met the end of the file.
  bool atEnd() const { return atEnd_; }
  int64_t position() const { return position_; }

 private:
  bool refill();

  std::FILE* file_;
  char block_[65536];
  size_t blockSize_ = 0;
  size_t blockPos_ = 0;
  bool atEnd_ = false;
  int64_t position_ = 0;
};

}  // namespace wk
