#pragma once
// SearchControl: one word level of a search. The top level takes the first word of FIND; in a
// multi-word search each match starts the next level with the letters left over, depth first,
// and a level with nothing left to find appends the words chosen as a result.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "../dict/dictionary_scan.h"
#include "../dict/group_walk.h"
#include "../dict/src_letters.h"

namespace wk {

class Dictionary;
class DictionaryScan;
class ResultStore;
struct SearchData;

// What a search reads and where it reports; shared by all levels of one search.
struct SearchScope {
  const SearchData* request = nullptr;
  std::vector<std::string> dictionaries;  // single-word: the dictionaries to scan, in order
  std::string subsetPath;                 // multi-word: the subset dictionary
  ResultStore* store = nullptr;
  std::atomic<uint32_t>* finishedCount = nullptr;  // words checked by finished dictionaries
};

class SearchControl {
 public:
  // What the levels of one search share and keep from one descent to the next: by depth, the
  // subset reader, the words its last scan found (see ScanList) and FIND's word; the words
  // chosen so far; the last words' counts.
  struct Levels {
    std::vector<std::unique_ptr<Dictionary>> readers;
    std::vector<std::unique_ptr<ScanList>> lists;
    // The words chosen above the running level, each followed by a blank: a level appends its
    // word for the levels below and takes it off again, instead of copying the sequence.
    std::string chosen;
    // FIND's word for the level at each depth, read once.
    struct Step {
      const char* rest = nullptr;  // where the level's part of FIND starts
      std::string_view word;
      const char* after = nullptr;  // the rest of FIND after it
      bool bang = false;            // the word holds "!"
      bool onlyStarsAfter = false;  // every word after it is "*" (or "!")
    };
    std::vector<Step> steps;
    LengthMemo lastLengths;  // the subset's: for the last words' walks (appendAnagrams)
  };

  static constexpr int kCancelled = 3;

  // The top level: the request's source pool, no prefix; resets the checked counts.
  explicit SearchControl(const SearchScope& scope);
  ~SearchControl();
  // A level below: `rest` is what is left of FIND (it must outlive the level); `levels` is the
  // top level's.
  SearchControl(const SearchScope& scope, const char* rest, bool bangSeen, int minLength,
                char firstLetter, const SrcLetters& pool, Levels* levels, size_t depth);

  // Runs this level and those below; kCancelled when the search was cancelled, else 0.
  // A dictionary of a single-word search that cannot be read is reported and left out (what it
  // gave before stays); a subset dictionary that cannot be read throws WordkegException.
  int run();

 private:
  int scanDictionary(const std::string& path, std::string_view word, const SrcLetters& pool,
                     bool ordered);
  int scanWith(Dictionary& reader, std::string_view word, const SrcLetters& pool, bool ordered);
  // A level's scan when it can only find anagrams of `pool` (findsOnlyAnagrams): appends each
  // (it uses every letter left: a sequence's last word), counting what the scan from
  // (length, letter) would have read.
  int appendAnagrams(Dictionary& reader, const SrcLetters& pool, int length, char letter);
  using Step = Levels::Step;
  const Step& stepAt(const char* rest);
  Dictionary& levelReader();
  ScanList& levelList(size_t depth);
  int descend(const DictionaryScan& scan, const Dictionary& reader, const std::string& found,
              bool ordered);
  void acceptSingle(const std::string& found, const SrcLetters& pool);

  const SearchScope& scope_;
  const char* rest_;
  bool bangSeen_;
  int minLength_;
  char firstLetter_;
  SrcLetters pool_;
  bool useAll_ = false;
  std::unique_ptr<Levels> ownLevels_;  // the top level's
  Levels* levels_;
  size_t depth_;
  bool narrowed_ = false;  // the pool is what the level above left: its list holds our words
};

// Include / Exclude filter of single-word results: every Include letter (repeats need repeats)
// and no Exclude letter.
bool passesIncludeExclude(const std::string& word, const std::string& include,
                          const std::string& exclude);

}  // namespace wk
