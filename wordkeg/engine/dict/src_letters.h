#pragma once
// SrcLetters: the letter pool of a search's FROM letters. 26 per-letter counts (100 = without
// limit), a vowel count and a letter total, with a working copy that `take` fills.
#include <cstdint>
#include <string_view>

namespace wk {

class SrcLetters {
 public:
  static constexpr int kUnlimited = 100;

  // Lower-case letters add one each; an upper-case letter makes that letter unlimited and the
  // total 100. Every a, e, i, o, u, y counts as a vowel, counted or not.
  void addLetters(std::string_view text);
  void set(std::string_view text);
  // Takes the letters of `word` up to `terminator` from a working copy: 0 when all were
  // available, else the 1-based position of the first letter that was not.
  int take(const char* word, char terminator);
  int countOf(char letter) const;
  // A pool holding what the last take left.
  SrcLetters leftOver() const;
  int total() const { return total_; }
  int vowels() const { return vowels_; }
  bool operator==(const SrcLetters& other) const;

 private:
  int8_t counts_[26] = {};
  int8_t working_[26] = {};
  int32_t vowels_ = 0;
  int32_t total_ = 0;
  int32_t workingVowels_ = 0;
  int32_t workingTotal_ = 0;
};

}  // namespace wk
