#include "src_letters.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace wk {
namespace {

// a, e, i, o, u and y by their slots.
constexpr uint32_t kVowelSlots = 1u << 0 | 1u << 4 | 1u << 8 | 1u << 14 | 1u << 20 | 1u << 24;

int slot(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a';
  if (c >= 'A' && c <= 'Z') return c - 'A';
  return -1;
}

bool isVowelSlot(int i) {
  return (kVowelSlots >> i & 1u) != 0;
}

}  // namespace

bool SrcLetters::addLetters(std::string_view text) {
  bool added = false;
  for (char c : text) {
    const int i = slot(c);
    if (i < 0) continue;
    added = true;
    if (isVowelSlot(i)) ++vowels_;
    if (counts_[i] == kUnlimited) continue;
    if (c >= 'A' && c <= 'Z') {
      counts_[i] = kUnlimited;
      total_ = kUnlimited;
    } else if (counts_[i] < kUnlimited - 1) {
      ++counts_[i];
      if (total_ != kUnlimited) ++total_;
    }
  }
  // A search adds each level's word, most often "*": no letter, nothing to summarise again.
  if (added) summarise();
  return added;
}

void SrcLetters::set(std::string_view text) {
  *this = SrcLetters();
  addLetters(text);
}

void SrcLetters::addBlanks(int count) {
  if (count <= 0) return;
  blanks_ += count;
  if (total_ != kUnlimited) total_ = std::min(total_ + count, kUnlimited - 1);
  summarise();
}

int SrcLetters::takeExactly(const char* word, char terminator) {
  std::memcpy(working_, counts_, sizeof counts_);
  workingPackedOnly_ = false;
  uint32_t missing = missing_;
  LetterCounts packed = packed_;
  int vowels = vowels_;
  const char* p = word;
  for (; *p && *p != terminator; ++p) {
    const auto i = static_cast<unsigned>((*p | 0x20) - 'a');  // either case; others fail
    if (i >= 26 || working_[i] == 0) return static_cast<int>(p - word) + 1;
    if (--working_[i] == 0) missing |= 1u << i;
    (i < 16 ? packed.lo : packed.hi) -= uint64_t{1} << ((i & 15) * 4);
    vowels -= static_cast<int>(kVowelSlots >> i & 1u);
  }
  workingMissing_ = missing;
  workingPacked_ = packed;
  workingVowels_ = vowels;
  workingBlanks_ = 0;
  workingTotal_ = total_ - static_cast<int>(p - word);
  return 0;
}

void SrcLetters::takeFitting(const LetterCounts& word, int length, uint32_t letters) {
  workingPacked_.lo = packed_.lo - word.lo;
  workingPacked_.hi = packed_.hi - word.hi;
  workingPackedOnly_ = true;
  fittedLetters_ = letters;
  workingVowels_ = vowels_ - word.vowels();
  workingBlanks_ = 0;
  workingTotal_ = total_ - length;
}

int SrcLetters::take(const char* word, char terminator) {
  // Counted letters of lower case only, the common case, take the short way.
  if (exact_ && blanks_ == 0) return takeExactly(word, terminator);
  // A fixed-size memcpy is inlined; this runs once for every word a scan checks.
  std::memcpy(working_, counts_, sizeof counts_);
  workingPackedOnly_ = false;
  workingVowels_ = vowels_;
  workingTotal_ = total_;
  workingMissing_ = missing_;
  workingPacked_ = packed_;
  workingBlanks_ = blanks_;
  int taken = 0;
  for (const char* p = word; *p && *p != terminator; ++p) {
    const int i = slot(*p);
    if (i < 0) return static_cast<int>(p - word) + 1;
    if (working_[i] == 0) {
      if (workingBlanks_ == 0) return static_cast<int>(p - word) + 1;
      --workingBlanks_;  // letters the pool holds are used first: a blank fits anywhere
      ++taken;
      continue;
    }
    if (working_[i] != -1) --working_[i];
    if (exact_) {
      (i < 16 ? workingPacked_.lo : workingPacked_.hi) -= uint64_t{1} << ((i & 15) * 4);
      if (working_[i] == 0) workingMissing_ |= 1u << i;
    }
    if (isVowelSlot(i) && workingVowels_ != -1) --workingVowels_;
    ++taken;
  }
  if (workingTotal_ != -1) workingTotal_ -= taken;
  return 0;
}

int SrcLetters::countOf(char letter) const {
  const int i = slot(letter);
  return i < 0 ? 0 : counts_[i];
}

bool LetterCounts::setFrom(const char* stored, int length) {
  lo = hi = 0;
  for (int i = 0; i < length; ++i) {
    const int s = slot(stored[i]);
    if (s < 0) continue;
    uint64_t& half = s < 16 ? lo : hi;
    const int shift = (s & 15) * 4;
    if (((half >> shift) & 0xF) == 7) return false;
    half += uint64_t{1} << shift;
  }
  return true;
}

uint32_t SrcLetters::fittedMissing() const {
  // The letters the word used up: those held once, and any held more often that it holds as
  // often.
  uint32_t missing = missing_ | (fittedLetters_ & single_);
  for (uint32_t bits = fittedLetters_ & ~single_; bits; bits &= bits - 1) {
    const int i = std::countr_zero(bits);
    const uint64_t half = i < 16 ? workingPacked_.lo : workingPacked_.hi;
    if ((half >> ((i & 15) * 4) & 0xF) == 0) missing |= 1u << i;
  }
  return missing;
}

void SrcLetters::markSingles() {
  single_ = 0;
  for (int i = 0; i < 26; ++i)
    if (counts_[i] == 1) single_ |= 1u << i;
}

void SrcLetters::summarise() {
  markSingles();
  missing_ = 0;
  exact_ = total_ < kUnlimited;
  uint64_t halves[2] = {};
  for (int i = 0; i < 26; ++i) {
    const int count = counts_[i];
    if (count == 0) missing_ |= 1u << i;
    if (count < 0 || count > 7) exact_ = false;
    const uint64_t value = static_cast<uint64_t>(count > 7 ? 7 : (count < 0 ? 0 : count));
    halves[i >> 4] |= value << ((i & 15) * 4);
  }
  packed_.lo = halves[0];
  packed_.hi = halves[1];
  if (blanks_ > 0) {
    // Any letter may be made: none is missing, and every count passes the packed test.
    missing_ = 0;
    packed_.lo = 0x7777777777777777ull;
    packed_.hi = 0x0000007777777777ull;
    exact_ = false;
  }
}

SrcLetters SrcLetters::leftOver() const {
  SrcLetters rest;
  if (workingPackedOnly_) {
    for (int i = 0; i < 26; ++i)
      rest.counts_[i] = static_cast<int8_t>(
          (i < 16 ? workingPacked_.lo : workingPacked_.hi) >> ((i & 15) * 4) & 0xF);
  } else {
    std::copy(std::begin(working_), std::end(working_), std::begin(rest.counts_));
  }
  rest.vowels_ = workingVowels_;
  rest.total_ = workingTotal_;
  rest.blanks_ = workingBlanks_;
  if (exact_) {
    rest.missing_ = leftOverMissing();
    rest.markSingles();
    rest.packed_ = workingPacked_;
    rest.exact_ = true;
  } else {
    rest.summarise();
  }
  return rest;
}

bool SrcLetters::operator==(const SrcLetters& other) const {
  return total_ == other.total_ && vowels_ == other.vowels_ && blanks_ == other.blanks_ &&
         std::equal(std::begin(counts_), std::end(counts_), std::begin(other.counts_));
}

}  // namespace wk
