#pragma once
// The run record, the fixed-size unit of the external sort's run files. Two layouts:
//
// Words of up to nine letters (12 bytes; a home without long words, as it always sorted):
//   byte 0      bits 0-6: 10 - L (L = characters including the hyphen); bit 7: has a hyphen
//   bytes 1-10  the word right-aligned, padded on the left with blanks
//   byte 11     0
//
// Words of up to twenty letters (23 bytes), laid out so that their bytes 0-21 compare in
// dictionary order, a few machine words at a time:
//   byte 0      the letter count
//   bytes 1-20  the letters, the first lower-cased, no hyphen, padded with zeros
//   byte 21     bit 1: has a hyphen (after its twin without); bit 0: first letter lower case
//               (after its capitalised twin)
//   byte 22     where the hyphen stands in the word as written (0: none)
// Their lists are the big ones: their runs are ten times longer and merge sixteen at a time, so
// a list of a few hundred thousand words takes one merge pass and few files (about 2 MB).
#include <string>
#include <string_view>

namespace wk::run_record {

using Compare = int (*)(const unsigned char*, const unsigned char*);

struct Layout {
  int size;                                         // bytes of a record
  void (*make)(std::string_view, unsigned char*);   // REQUIRES: a word of the home's shape
  std::string (*word)(const unsigned char* record);  // as written; empty for a damaged record
  Compare compare;                                  // dictionary order of two records
  int runRecords;                                   // records of a sorted run
  int fanIn;                                        // runs merged at a time
};
extern const Layout kShortWords;
extern const Layout kLongWords;
constexpr int kLargestSize = 23;  // bytes of the long layout's record
// The layout of a home whose longest word has `longest` letters.
const Layout& layoutFor(int longest);

// The short layout's, by the names its callers know.
constexpr int kSize = 12;
constexpr int kField = 10;
constexpr unsigned char kHyphenBit = 0x80;
// REQUIRES: 1 <= word.size() <= 10.
void make(std::string_view word, unsigned char out[kSize]);
// The word of a record; a damaged header yields an empty word, never a read outside it.
std::string_view word(const unsigned char* record);
int compare(const unsigned char* a, const unsigned char* b);

}  // namespace wk::run_record
