#include "run_record.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "../dict/dict_format.h"
#include "../dict/word_order.h"

namespace wk::run_record {
namespace {

// The 8 bytes at `p` as a number that orders as the bytes do.
uint64_t orderedLoad(const unsigned char* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
  return v;
}

// Byte order of the first `Size` bytes of two records, a machine word at a time (the last word
// overlaps the one before when the size is no multiple of eight: bytes found equal there do not
// change the answer).
template <int Size>
int compareBytes(const unsigned char* a, const unsigned char* b) {
  static_assert(Size >= 8);
  for (int at = 0;; at += 8) {
    if (at + 8 > Size) at = Size - 8;
    const uint64_t x = orderedLoad(a + at), y = orderedLoad(b + at);
    if (x != y) return x < y ? -1 : 1;
    if (at + 8 == Size) return 0;
  }
}

int compareShort(const unsigned char* a, const unsigned char* b) {
  // The header tells the letter count: the field's padding plus one for a hyphen.
  const int lettersA = kField - ((a[0] & 0x7F) + (a[0] >> 7));
  const int lettersB = kField - ((b[0] & 0x7F) + (b[0] >> 7));
  if (lettersA != lettersB) return lettersA - lettersB;
  // Without hyphens, words of one letter count are plain byte strings of one length; when their
  // first letters are both lower case, or the same, the order is their byte order (headers and
  // paddings are equal, so the whole records compare).
  const int pad = a[0] & 0x7F;
  if (((a[0] | b[0]) & kHyphenBit) == 0 && pad <= kField) {
    const unsigned char fa = a[1 + pad], fb = b[1 + pad];
    if (fa == fb || (fa >= 'a' && fa <= 'z' && fb >= 'a' && fb <= 'z'))
      return compareBytes<kSize>(a, b);
  }
  return compareSameLength(word(a), word(b));
}

std::string shortWord(const unsigned char* record) {
  return std::string(word(record));
}

constexpr int kLetters = dict::kMaxLength;
constexpr int kFlags = 1 + kLetters, kHyphenAt = kFlags + 1;
constexpr unsigned char kHasHyphen = 2, kLowerFirst = 1;
static_assert(kHyphenAt + 1 == kLargestSize);

void makeLong(std::string_view word, unsigned char* out) {
  std::memset(out, 0, kLargestSize);
  int n = 0;
  for (size_t i = 0; i < word.size() && n < kLetters; ++i) {
    if (word[i] == '-') {
      out[kHyphenAt] = static_cast<unsigned char>(i);
      out[kFlags] |= kHasHyphen;
      continue;
    }
    out[1 + n++] = static_cast<unsigned char>(word[i]);
  }
  out[0] = static_cast<unsigned char>(n);
  if (n > 0 && out[1] >= 'a' && out[1] <= 'z') {
    out[kFlags] |= kLowerFirst;
  } else if (n > 0 && out[1] >= 'A' && out[1] <= 'Z') {
    out[1] = static_cast<unsigned char>(out[1] - 'A' + 'a');
  }
}

std::string longWord(const unsigned char* record) {
  const int n = record[0];
  if (n < 1 || n > kLetters) return {};
  std::string w(reinterpret_cast<const char*>(record) + 1, static_cast<size_t>(n));
  if (!(record[kFlags] & kLowerFirst) && w[0] >= 'a' && w[0] <= 'z')
    w[0] = static_cast<char>(w[0] - 'a' + 'A');
  const size_t hyphen = record[kHyphenAt];
  if ((record[kFlags] & kHasHyphen) && hyphen >= 1 && hyphen <= w.size()) w.insert(hyphen, 1, '-');
  return w;
}

// Letter count, letters, hyphen, capital: bytes 0-21 in order are the dictionary's order.
int compareLong(const unsigned char* a, const unsigned char* b) {
  return compareBytes<kFlags + 1>(a, b);
}

}  // namespace

const Layout kShortWords{kSize, make, shortWord, compareShort, 3000, 5};
const Layout kLongWords{kLargestSize, makeLong, longWord, compareLong, 30000, 16};

const Layout& layoutFor(int longest) {
  return longest > dict::kMaxSearchLength ? kLongWords : kShortWords;
}

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
  return compareShort(a, b);
}

}  // namespace wk::run_record
