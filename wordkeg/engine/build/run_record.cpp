#include "run_record.h"

#include <cstring>

#include "../dict/word_order.h"

namespace wk::run_record {

void make(std::string_view word, unsigned char out[kSize]) {
  const size_t length = word.size() > kField ? kField : word.size();
  const bool hyphen = word.find('-') != std::string_view::npos;
  out[0] = static_cast<unsigned char>((kField - length) | (hyphen ? kHyphenBit : 0));
  std::memset(out + 1, ' ', kField - length);
  std::memcpy(out + 1 + (kField - length), word.data(), length);
  out[kSize - 1] = 0;
}

std::string_view word(const unsigned char* record) {
  const int pad = record[0] & 0x7F;
  if (pad > kField) return {};
  const char* start = reinterpret_cast<const char*>(record) + 1 + pad;
  return std::string_view(start, static_cast<size_t>(kField - pad));
}

int compare(const unsigned char* a, const unsigned char* b) {
  return compareWords(word(a), word(b));
}

}  // namespace wk::run_record
