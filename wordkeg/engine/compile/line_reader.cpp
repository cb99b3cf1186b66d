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
  std::string piece;
  while (piece.size() < kPiece) {
    if (!available()) {
      atEnd_ = true;
      break;
    }
    const char* start = block_ + blockPos_;
    const size_t take = std::min(kPiece - piece.size(), blockSize_ - blockPos_);
    const auto* lineFeed = static_cast<const char*>(std::memchr(start, '\n', take));
    const size_t length = lineFeed ? static_cast<size_t>(lineFeed - start) : take;
    piece.append(start, length);
    const size_t consumed = length + (lineFeed ? 1 : 0);
    blockPos_ += consumed;
    position_ += static_cast<int64_t>(consumed);
    if (lineFeed) {
      if (!piece.empty() && piece.back() == '\r') piece.pop_back();
      return piece;
    }
  }
  if (!piece.empty() && piece.back() == '\r' && available() && block_[blockPos_] == '\n') {
    piece.pop_back();
    ++blockPos_;
    ++position_;
  }
  return piece;
}

}  // namespace wk
