#pragma once
// SharedDictionary: a whole dictionary file held in memory, checked and decoded once for all the
// readers of one operation that read it.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "dict_format.h"
#include "dictionary_header.h"
#include "src_letters.h"

namespace wk {

// One record of a dictionary decoded in advance: the stored form followed by a blank and a zero.
struct DecodedWord {
  char letters[dict::kMaxLength + 2];
  int8_t length;
  int8_t hyphen;  // -1 when none
  bool capital;
};

// The letters a stored word holds (bit 0 'a' ... bit 25 'z'): a pool that lacks one of them
// cannot make the word, whatever the counts.
uint32_t letterMask(const char* stored, int length);
// A bit beside a word's letter mask: its LetterCounts cannot hold its counts.
constexpr uint32_t kCountsTooHigh = 1u << 31;

// The (length, first letter) groups as the records lie, for scans that count the words they pass
// without reading them. Usable only when the groups follow in order and the index leads to each
// as a reader's seek does; otherwise scans read word by word.
struct GroupTable {
  bool usable = false;
  uint32_t filled[dict::kMaxLength + 2] = {};  // by length: bit c when group (length, c) has words
  uint32_t begin[dict::kMaxLength + 1][dict::kLetters] = {};  // its first word
  uint32_t size[dict::kMaxLength + 1][dict::kLetters] = {};
};

// A whole dictionary file held in memory (plus a final byte 255), checked and decoded once for
// all the readers that share it: nested readers then step through words, not bytes.
struct SharedDictionary {
  std::vector<unsigned char> bytes;
  int32_t index[dict::kIndexEntries] = {};
  DictionaryHeader header;
  std::vector<DecodedWord> words;
  std::vector<uint32_t> wordAt;  // for each file offset, the first word starting there or later
  // Beside each word, for scans: its letterMask, and the end of its group (the words of its
  // length and first letter), so what holds for a whole group is decided once.
  std::vector<uint32_t> masks;
  std::vector<uint32_t> groupEnd;
  std::vector<LetterCounts> counts;  // beside each word; kCountsTooHigh in its mask when unusable
  GroupTable groups;

  // Fills `groups` from the words, groupEnd, wordAt and index above.
  void tableGroups();

  // The words by their letter counts, then in order: the exact anagrams of a pool that follow a
  // position are one search away. Built on first use (a multi-word search's last word).
  struct Anagram {
    LetterCounts counts;
    uint32_t ordinal;
  };
  // The run of anagrams() with exactly `counts` that lie at or after word `from`.
  std::pair<const Anagram*, const Anagram*> anagramsOf(const LetterCounts& counts,
                                                       size_t from) const;

 private:
  // Where each set of counts starts and ends in anagrams_: an open-addressing table, probed
  // once for every last word of a multi-word search.
  struct Run {
    LetterCounts counts;
    uint32_t begin = 0, end = 0;  // end 0: an empty slot
  };
  const std::vector<Anagram>& anagrams() const;  // built on first use
  const Run* findRun(const LetterCounts& counts) const;

  mutable std::once_flag anagramsBuilt_;
  mutable std::atomic<bool> anagramsReady_{false};
  mutable std::vector<Anagram> anagrams_;
  mutable std::vector<Run> runs_;
  mutable std::vector<uint64_t> filter_;  // a bit for the counts of each run (and others)
};

}  // namespace wk
