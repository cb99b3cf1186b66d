#pragma once
// The run record, the 12-byte unit of the external sort's run files:
//   byte 0      bits 0-6: 10 - L (L = characters including the hyphen); bit 7: has a hyphen
//   bytes 1-10  the word right-aligned, padded on the left with blanks
//   byte 11     0
#include <string>
#include <string_view>

namespace wk::run_record {

constexpr int kSize = 12;
constexpr int kField = 10;
constexpr unsigned char kHyphenBit = 0x80;

// REQUIRES: 1 <= word.size() <= 10.
void make(std::string_view word, unsigned char out[kSize]);
// The word of a record; a damaged header yields an empty word, never a read outside it.
std::string_view word(const unsigned char* record);
// Dictionary order of the two records' words.
int compare(const unsigned char* a, const unsigned char* b);

}  // namespace wk::run_record
