#include "line_reader.h"

namespace wk {

std::string LineReader::next() {
  std::string piece;
  while (piece.size() < kPiece) {
    const int c = std::fgetc(file_);
    if (c == EOF) {
      atEnd_ = true;
      break;
    }
    ++position_;
    if (c == '\n') {
      if (!piece.empty() && piece.back() == '\r') piece.pop_back();
      break;
    }
    piece += static_cast<char>(c);
  }
  return piece;
}

}  // namespace wk
