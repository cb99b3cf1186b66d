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
  // The header tells the letter count: the field's padding plus one for a hyphen.
  const int lettersA = kField - ((a[0] & 0x7F) + (a[0] >> 7));
  const int lettersB = kField - ((b[0] & 0x7F) + (b[0] >> 7));
  if (lettersA != lettersB) return lettersA - lettersB;
  // Without hyphens, words of one letter count are plain byte strings of one length; when their
  // first letters are both lower case, or the same, the order is their byte order.
  const int pad = a[0] & 0x7F;
  if (((a[0] | b[0]) & kHyphenBit) == 0 && pad <= kField) {
    const unsigned char fa = a[1 + pad], fb = b[1 + pad];
    if (fa == fb || (fa >= 'a' && fa <= 'z' && fb >= 'a' && fb <= 'z'))
      return std::memcmp(a + 1 + pad, b + 1 + pad, static_cast<size_t>(kField - pad));
  }
  return compareSameLength(word(a), word(b));
}

}  // namespace wk::run_record
