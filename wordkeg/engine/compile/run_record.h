#pragma once
// The run record, the fixed-size unit of the external sort's run files:
//   byte 0           bits 0-6: F - L (L = characters including the hyphen); bit 7: has a hyphen
//   bytes 1 .. F     the word right-aligned, padded on the left with blanks
//   byte F + 1       0
// F, the field, is 10 for words of up to nine letters (12-byte records) and 21 for the long
// words of up to twenty letters a home may take (23-byte records): a home without them sorts
// the small records it always has.
#include <string>
#include <string_view>

namespace wk::run_record {

using Compare = int (*)(const unsigned char*, const unsigned char*);

struct Layout {
  int field;        // characters of the word field
  int size;         // bytes of a record
  Compare compare;  // dictionary order of two records of this layout
};
extern const Layout kShortWords;  // up to nine letters and a hyphen
extern const Layout kLongWords;   // up to twenty letters and a hyphen
constexpr int kLargestSize = 23;  // bytes of the long layout's record
// The layout of a home whose longest word has `longest` letters.
const Layout& layoutFor(int longest);

// REQUIRES: 1 <= word.size() <= layout.field; `out` holds layout.size bytes.
void make(std::string_view word, unsigned char* out, const Layout& layout);
// The word of a record; a damaged header yields an empty word, never a read outside it.
std::string_view word(const unsigned char* record, const Layout& layout);

// The short layout's, by the names its callers know.
constexpr int kSize = 12;
constexpr int kField = 10;
constexpr unsigned char kHyphenBit = 0x80;
void make(std::string_view word, unsigned char out[kSize]);
std::string_view word(const unsigned char* record);
int compare(const unsigned char* a, const unsigned char* b);

}  // namespace wk::run_record
