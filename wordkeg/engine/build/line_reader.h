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

  explicit LineReader(std::FILE* file) : file_(file) {}
  // The next piece; after the last line, one empty piece with atEnd() set.
  std::string next();
  // True once a read has met the end of the file.
  bool atEnd() const { return atEnd_; }
  int64_t position() const { return position_; }

 private:
  std::FILE* file_;
  bool atEnd_ = false;
  int64_t position_ = 0;
};

}  // namespace wk
