#include "src_letters.h"

#include <algorithm>
#include <cstring>

namespace wk {
namespace {

bool isVowel(char c) {
  c = static_cast<char>(c | 0x20);
  return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y';
}

int slot(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a';
  if (c >= 'A' && c <= 'Z') return c - 'A';
  return -1;
}

}  // namespace

void SrcLetters::addLetters(std::string_view text) {
  for (char c : text) {
    const int i = slot(c);
    if (i < 0) continue;
    if (isVowel(c)) ++vowels_;
    if (counts_[i] == kUnlimited) continue;
    if (c >= 'A' && c <= 'Z') {
      counts_[i] = kUnlimited;
      total_ = kUnlimited;
    } else if (counts_[i] < kUnlimited - 1) {
      ++counts_[i];
      if (total_ != kUnlimited) ++total_;
    }
  }
}

void SrcLetters::set(std::string_view text) {
  *this = SrcLetters();
  addLetters(text);
}

int SrcLetters::take(const char* word, char terminator) {
  // A fixed-size memcpy is inlined; this runs once for every word a scan checks.
  std::memcpy(working_, counts_, sizeof counts_);
  workingVowels_ = vowels_;
  workingTotal_ = total_;
  int taken = 0;
  for (const char* p = word; *p && *p != terminator; ++p) {
    const int i = slot(*p);
    if (i < 0 || working_[i] == 0) return static_cast<int>(p - word) + 1;
    if (working_[i] != -1) --working_[i];
    if (isVowel(*p) && workingVowels_ != -1) --workingVowels_;
    ++taken;
  }
  if (workingTotal_ != -1) workingTotal_ -= taken;
  return 0;
}

int SrcLetters::countOf(char letter) const {
  const int i = slot(letter);
  return i < 0 ? 0 : counts_[i];
}

SrcLetters SrcLetters::leftOver() const {
  SrcLetters rest;
  std::copy(std::begin(working_), std::end(working_), std::begin(rest.counts_));
  rest.vowels_ = workingVowels_;
  rest.total_ = workingTotal_;
  return rest;
}

bool SrcLetters::operator==(const SrcLetters& other) const {
  return total_ == other.total_ && vowels_ == other.vowels_ &&
         std::equal(std::begin(counts_), std::end(counts_), std::begin(other.counts_));
}

}  // namespace wk
