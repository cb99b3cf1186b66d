#include "line_reader.h"

#include <algorithm>
#include <cstring>

namespace wk {

bool LineReader::refill() {
  blockSize_ = std::fread(block_, 1, sizeof block_, file_);
  blockPos_ = 0;
  return blockSize_ > 0;
}

std::string LineReader::next() {
  std::string piece;
  while (piece.size() < kPiece) {
    if (blockPos_ == blockSize_ && !refill()) {
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
      break;
    }
  }
  return piece;
}

}  // namespace wk
