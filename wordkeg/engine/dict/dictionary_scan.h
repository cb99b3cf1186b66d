#pragma once
// DictionaryScan: yields, one at a time, the words of one open dictionary that fit a word
// pattern ("?" one letter, "*" any run of letters) and can be made from an optional letter pool.
// It reaches groups through the index and skips a group as soon as it cannot hold a match.
#include <string>
#include <string_view>
#include <vector>

#include "shared_dictionary.h"
#include "src_letters.h"

namespace wk {

class Dictionary;

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
  // The scan's own copy of the pool; after a match its working part holds what the match left.
  const SrcLetters& pool() const { return pool_; }

 private:
  // `word` holds `length` letters and then the blank the pattern ends with.
  bool matches(const char* word, int length) const;
  bool matchTokens(const char* word, const char* end) const;  // `end`: past the blank
  int skipGroup();  // kMatch to go on reading, kExhausted when nothing is left
  // next() over a reader in memory mode: the same steps on the decoded words, the pool tested
  // by letter mask before its counts, the checked count and the cancel checks in batches.
  int nextDecoded(std::string& out);
  // nextDecoded() when only words of exactly the pool's letters can match (every letter used,
  // any letters allowed): whole groups are counted as read without stepping through them, and
  // the matches are found through the dictionary's anagram index.
  int nextAnagram(std::string& out);

  Dictionary& reader_;
  int longest_;
  std::string pattern_;  // the pattern, first letter lower-cased, then one blank
  std::vector<std::string> tokens_;
  bool hasStar_ = false;
  bool matchAll_ = false;
  bool firstIsLetter_ = false;
  int fixedLength_ = 0;
  bool hasPool_ = false;
  SrcLetters pool_;
  uint32_t missingMask_ = 0;  // the letters the pool lacks
  LetterCounts poolCounts_;
  bool anagramsOnly_ = false;
  // nextAnagram(): the pool's exact anagrams not yet passed, in dictionary order.
  const SharedDictionary::Anagram* anagram_ = nullptr;
  const SharedDictionary::Anagram* anagramsEnd_ = nullptr;
};

}  // namespace wk
