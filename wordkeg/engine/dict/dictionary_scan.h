#pragma once
// DictionaryScan: yields, one at a time, the words of one open dictionary that fit a word
// pattern ("?" one letter, "*" any run of letters) and can be made from an optional letter pool.
// It reaches groups through the index and skips a group as soon as it cannot hold a match.
#include <string>
#include <string_view>
#include <vector>

#include "group_walk.h"
#include "shared_dictionary.h"
#include "src_letters.h"

namespace wk {

class Dictionary;

// A multi-word search's narrowing, in memory mode: the words one level's scan of "*" found its
// pool fits, in order from where it started. A level below whose pool is what one of them left
// finds all its words among them, so it reads these instead of the whole dictionary.
struct ScanList {
  std::vector<uint32_t> words;
  size_t from = 0;     // the ordinal the scan started at
  bool valid = false;  // false when the level's last scan read word by word
};

// Leftover pools a caller refuses outright, by their total and whether they hold a vowel; none
// of 128 letters or more.
struct PoolRefusals {
  uint64_t bits[2][2] = {};  // [holds a vowel][total / 64], bit total % 64
  void mark(int total, bool vowel) {
    if (total >= 0 && total < 128) bits[vowel ? 1 : 0][total >> 6] |= uint64_t{1} << (total & 63);
  }
  bool refuses(int total, bool vowel) const {
    if (total < 0 || total >= 128) return false;
    return (bits[vowel ? 1 : 0][total >> 6] >> (total & 63) & 1u) != 0;
  }
};

class DictionaryScan {
 public:
  enum Result { kMatch = 0, kExhausted = 2, kCancelled = 3, kEmptyPattern = 5 };

  // "*reader" must outlive the scan, which reads words of at most `longest` letters (the
  // home's limit for a search, the format's for a copy).
  DictionaryScan(Dictionary& reader, int longest) : reader_(reader), longest_(longest) {}

  // Starts a scan and gives its first result; on kMatch `out` holds the word as written.
  // `pool` may be null; `firstLetter` 0 starts at the pattern's own first letter.
  int start(std::string_view pattern, const SrcLetters* pool, int minLength, char firstLetter,
            std::string& out);
  // Continues the scan started last.
  int next(std::string& out);
  // True when a scan of "*" from `length` with `pool` goes by GroupWalk and the anagram index:
  // the reader in memory with its groups in order, an exact pool of at most `length` letters
  // (fewer: no word can match).
  static bool findsOnlyAnagrams(const Dictionary& reader, const SrcLetters& pool, int length) {
    return findsOnlyAnagrams(reader, pool.packsExactly(), pool.total(), length);
  }
  // The same of a pool known by whether it packsExactly() and its total.
  static bool findsOnlyAnagrams(const Dictionary& reader, bool exactPool, int total, int length);
  // Before start(): `own` receives the scan's matches when it lists them; `above`, when not null,
  // is the list of the level above, whose pool held this scan's.
  void setLists(const ScanList* above, ScanList* own) {
    above_ = above;
    own_ = own;
  }
  // From now on a scan that goes by GroupWalk passes over the matches whose leftover pool
  // `refused` refuses: it reads and counts them, but does not give them. For a caller whose
  // next level would refuse such a pool outright. `refused` must outlive the scan; null: none.
  void passOver(const PoolRefusals* refused) { refused_ = refused; }
  // From now on start() and next() leave `out` alone: the caller reads each match from the
  // reader, whose current word it is.
  void leaveMatchesInReader() { writesMatches_ = false; }
  // The scan's own copy of the pool; after a match its working part holds what the match left.
  const SrcLetters& pool() const { return pool_; }

 private:
  // `word` holds `length` letters and then the blank the pattern ends with.
  bool matches(const char* word, int length) const;
  bool endMatches(const char* word, int length) const;  // matches() of "*" and then letters
  bool fitsPattern(const char* word, int length) const {
    return suffixOnly_ ? endMatches(word, length) : matches(word, length);
  }
  bool matchTokens(const char* word, const char* end) const;  // `end`: past the blank
  int skipGroup();  // kMatch to go on reading, kExhausted when nothing is left
  // next() over a reader in memory mode: the same steps on the decoded words, the pool tested
  // by letter mask before its counts, the checked count and the cancel checks in batches.
  int nextDecoded(std::string& out);
  // A pool scan of "*" in memory mode whose groups are in order: its matches come from the
  // anagram index (a word of exactly the pool's letters) or from a list, and the GroupWalk
  // counts what the word-by-word scan would have read. Same matches, same order, same count.
  bool startCounted(int length, char letter);
  int nextCounted(std::string& out);
  int matched(std::string& out) const;  // kMatch, the reader's word written to `out` if asked
  void listMatches(size_t from);

  Dictionary& reader_;
  int longest_;
  std::string pattern_;  // the pattern, first letter lower-cased, then one blank
  std::vector<std::string> tokens_;
  bool hasStar_ = false;
  // A pattern of "*" and then letters only ("*ing"): how many, with the blank after them.
  size_t suffixOnly_ = 0;
  bool matchAll_ = false;
  bool firstIsLetter_ = false;
  int fixedLength_ = 0;
  bool hasPool_ = false;
  bool writesMatches_ = true;
  const PoolRefusals* refused_ = nullptr;  // see passOver()
  SrcLetters pool_;
  uint32_t missingMask_ = 0;  // the letters the pool lacks
  LetterCounts poolCounts_;
  // nextCounted() from the anagram index: the pool's exact anagrams not yet given, in order.
  const SharedDictionary::Anagram* anagram_ = nullptr;
  const SharedDictionary::Anagram* anagramsEnd_ = nullptr;
  bool counted_ = false;
  GroupWalk walk_;
  const ScanList* above_ = nullptr;
  ScanList* own_ = nullptr;
  const uint32_t* listed_ = nullptr;  // nextCounted() from a list: the matches not yet given
  const uint32_t* listedEnd_ = nullptr;
};

}  // namespace wk
