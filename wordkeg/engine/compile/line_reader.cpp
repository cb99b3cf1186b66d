#include "line_reader.h"

#include <algorithm>
#include <cstring>

namespace wk {

bool LineReader::refill() {
  blockSize_ = std::fread(block_, 1, sizeof block_, file_);
  blockPos_ = 0;
  return blockSize_ > 0;
}

bool LineReader::available() {
  return blockPos_ < blockSize_ || refill();
}

void LineReader::skipByteOrderMark() {
  static const char kMark[] = "\xEF\xBB\xBF";
  if (available() && blockSize_ >= 3 && std::memcmp(block_, kMark, 3) == 0) {
    blockPos_ = 3;
    position_ = 3;
  }
}

std::string LineReader::next() {
  if (!started_) {
    started_ = true;
    skipByteOrderMark();
  }
  std::string line;
  bool cut = false;
  for (;;) {
    if (!available()) {
      atEnd_ = true;
      break;
    }
    const char* start = block_ + blockPos_;
    const size_t size = blockSize_ - blockPos_;
    const auto* lineFeed = static_cast<const char*>(std::memchr(start, '\n', size));
    const size_t length = lineFeed ? static_cast<size_t>(lineFeed - start) : size;
    // Leading blanks are no part of a word: they are passed over, however many.
    size_t blanks = 0;
    while (line.empty() && blanks < length && start[blanks] == ' ') ++blanks;
    const size_t kept = std::min(length - blanks, kLongestKept - line.size());
    line.append(start + blanks, kept);
    cut = cut || blanks + kept < length;
    const size_t consumed = length + (lineFeed ? 1 : 0);
    blockPos_ += consumed;
    position_ += static_cast<int64_t>(consumed);
    if (lineFeed) break;
  }
  if (!cut && !line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace wk
