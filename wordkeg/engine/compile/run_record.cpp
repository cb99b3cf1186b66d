#include "run_record.h"

#include <cstring>

#include "../dict/dict_format.h"
#include "../dict/word_order.h"

namespace wk::run_record {
namespace {

std::string_view wordIn(const unsigned char* record, int field) {
  const int pad = record[0] & 0x7F;
  if (pad > field) return {};
  const char* start = reinterpret_cast<const char*>(record) + 1 + pad;
  return std::string_view(start, static_cast<size_t>(field - pad));
}

template <int Field>
int compareIn(const unsigned char* a, const unsigned char* b) {
  // The header tells the letter count: the field's padding plus one for a hyphen.
  const int lettersA = Field - ((a[0] & 0x7F) + (a[0] >> 7));
  const int lettersB = Field - ((b[0] & 0x7F) + (b[0] >> 7));
  if (lettersA != lettersB) return lettersA - lettersB;
  // Without hyphens, words of one letter count are plain byte strings of one length; when their
  // first letters are both lower case, or the same, the order is their byte order.
  const int pad = a[0] & 0x7F;
  if (((a[0] | b[0]) & kHyphenBit) == 0 && pad <= Field) {
    const unsigned char fa = a[1 + pad], fb = b[1 + pad];
    if (fa == fb || (fa >= 'a' && fa <= 'z' && fb >= 'a' && fb <= 'z'))
      return std::memcmp(a + 1 + pad, b + 1 + pad, static_cast<size_t>(Field - pad));
  }
  return compareSameLength(wordIn(a, Field), wordIn(b, Field));
}

constexpr int kShortField = dict::kMaxSearchLength + 1;
constexpr int kLongField = dict::kMaxLength + 1;
static_assert(kShortField == kField && kLongField + 2 == kLargestSize);

}  // namespace

const Layout kShortWords{kShortField, kShortField + 2, compareIn<kShortField>};
const Layout kLongWords{kLongField, kLongField + 2, compareIn<kLongField>};

const Layout& layoutFor(int longest) {
  return longest > dict::kMaxSearchLength ? kLongWords : kShortWords;
}

void make(std::string_view word, unsigned char* out, const Layout& layout) {
  const size_t field = static_cast<size_t>(layout.field);
  const size_t length = word.size() > field ? field : word.size();
  const bool hyphen = word.find('-') != std::string_view::npos;
  out[0] = static_cast<unsigned char>((field - length) | (hyphen ? kHyphenBit : 0));
  std::memset(out + 1, ' ', field - length);
  std::memcpy(out + 1 + (field - length), word.data(), length);
  out[layout.size - 1] = 0;
}

std::string_view word(const unsigned char* record, const Layout& layout) {
  return wordIn(record, layout.field);
}

void make(std::string_view word, unsigned char out[kSize]) {
  make(word, out, kShortWords);
}

std::string_view word(const unsigned char* record) {
  return word(record, kShortWords);
}

int compare(const unsigned char* a, const unsigned char* b) {
  return compareIn<kShortField>(a, b);
}

}  // namespace wk::run_record
