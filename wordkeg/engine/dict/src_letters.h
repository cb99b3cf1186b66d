#pragma once
// SrcLetters: the letter pool of a search's FROM letters. 26 per-letter counts (100 = without
// limit), blank tiles that stand for any letter, a vowel count and a tile total, with a working
// copy that `take` fills.
#include <cstdint>
#include <string_view>

namespace wk {

// Letter counts packed four bits a letter (lo: a-p, hi: q-z), three for the count and one spare,
// so one subtraction compares all 26 counts: fits() is true when every count of `word` is at
// most the pool's.
struct LetterCounts {
  static constexpr uint64_t kGuardLo = 0x8888888888888888ull;
  static constexpr uint64_t kGuardHi = 0x0000008888888888ull;
  uint64_t lo = 0, hi = 0;

  // False when a count of the stored word exceeds 7: then the form cannot hold it.
  bool setFrom(const char* stored, int length);
  bool fits(const LetterCounts& word) const {
    return (((lo | kGuardLo) - word.lo) & kGuardLo) == kGuardLo &&
           (((hi | kGuardHi) - word.hi) & kGuardHi) == kGuardHi;
  }
  // The counts of a, e, i, o (low half), u and y (high half): the vowels.
  static constexpr uint64_t kVowelsLo = 0x0F00000F000F000Full;
  static constexpr uint64_t kVowelsHi = 0x0000000F000F0000ull;
  int vowels() const {
    return static_cast<int>((lo & 0xF) + (lo >> 16 & 0xF) + (lo >> 32 & 0xF) + (lo >> 56 & 0xF) +
                            (hi >> 16 & 0xF) + (hi >> 32 & 0xF));
  }
  bool hasVowel() const { return ((lo & kVowelsLo) | (hi & kVowelsHi)) != 0; }
};

class SrcLetters {
 public:
  static constexpr int kUnlimited = 100;

  // Lower-case letters add one each; an upper-case letter makes that letter unlimited and the
  // total 100. Every a, e, i, o, u, y counts as a vowel, counted or not.
  // Returns whether `text` held a letter.
  bool addLetters(std::string_view text);
  void set(std::string_view text);
  // Adds `count` blanks: each stands for one letter the pool lacks, and counts in the total and,
  // since it may stand for one, among the vowels. A pool with blanks gives up the letter
  // summaries (every letter may be made), so scans decide by take() alone.
  void addBlanks(int count);
  int blanks() const { return blanks_; }
  // Takes the letters of `word` up to `terminator` from a working copy, a blank for each letter
  // the copy has run out of: 0 when all were available, else the 1-based position of the first
  // letter that was not.
  int take(const char* word, char terminator);
  // The 1-based position in `word` (up to `terminator`) of the first letter of which the pool
  // holds none, or of the first character that is no letter; 0 when there is none. take() would
  // fail at that position or before, and at 1 exactly when this gives 1. No working copy.
  int firstLacking(const char* word, char terminator) const {
    for (const char* p = word; *p && *p != terminator; ++p) {
      const auto i = static_cast<unsigned>((*p | 0x20) - 'a');
      if (i >= 26 || (missing_ >> i & 1u)) return static_cast<int>(p - word) + 1;
    }
    return 0;
  }
  // take() of a stored word (`length` letters a-z) known to fit a pool that packsExactly(), with
  // its counts and its letters (bit 0 'a' ... bit 25 'z'): the same working copy, without the
  // checks of a word that may not fit, and without a step per letter (the counts left are
  // unpacked by leftOver(), if it is asked).
  void takeFitting(const LetterCounts& word, int length, uint32_t letters);
  int countOf(char letter) const;
  // The letters of which the pool holds none (bit 0 'a' ... bit 25 'z').
  uint32_t missingMask() const { return missing_; }
  // The counts in LetterCounts form, each capped at 7 (more never decides for a word whose
  // counts fit the form).
  const LetterCounts& packed() const { return packed_; }
  // True when packed() holds the counts exactly: none above 7, none without limit.
  bool packsExactly() const { return exact_; }
  // A pool holding what the last take left, and its letter total.
  SrcLetters leftOver() const;
  int leftOverTotal() const { return workingTotal_; }
  int leftOverVowels() const { return workingVowels_ + workingBlanks_; }
  // What leftOver() would give as missingMask() and packed(), when the pool packsExactly().
  uint32_t leftOverMissing() const {
    return workingPackedOnly_ ? fittedMissing() : workingMissing_;
  }
  const LetterCounts& leftOverPacked() const { return workingPacked_; }
  int total() const { return total_; }
  int vowels() const { return vowels_ + blanks_; }
  bool operator==(const SrcLetters& other) const;

 private:
  void summarise();  // missing_, single_, packed_ and exact_ from counts_
  void markSingles();
  uint32_t fittedMissing() const;                      // leftOverMissing() after takeFitting()
  int takeExactly(const char* word, char terminator);  // take() when exact_ and no blanks

  int8_t counts_[26] = {};
  int8_t working_[26] = {};
  // Summaries of counts_ a scan asks for at every start, kept up to date by take() for the
  // pool it leaves (a multi-word search starts a scan with it for every word it finds).
  uint32_t missing_ = (1u << 26) - 1;
  uint32_t single_ = 0;  // the letters held once: a word that fits and holds one uses it up
  LetterCounts packed_;
  bool exact_ = true;
  uint32_t workingMissing_ = 0;
  LetterCounts workingPacked_;
  int32_t vowels_ = 0;
  int32_t total_ = 0;
  int32_t workingVowels_ = 0;
  int32_t workingTotal_ = 0;
  int32_t blanks_ = 0;
  int32_t workingBlanks_ = 0;
  // takeFitting() left working_ and workingMissing_ behind: workingPacked_ and the letters of the
  // word it took tell them, when asked.
  bool workingPackedOnly_ = false;
  uint32_t fittedLetters_ = 0;
};

}  // namespace wk
