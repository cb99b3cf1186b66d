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
#include "level_plan.h"

namespace wk {

class OperationContext;

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
  std::atomic<uint64_t>* finishedCount = nullptr;  // words checked by finished dictionaries
  OperationContext* context = nullptr;  // the search's own (its worker's); REQUIRED to run
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
    std::vector<FindStep> steps;
    LengthMemo lastLengths;  // the subset's: for the last words' walks (appendAnagrams)
    // By depth: the leftover pools the level below refuses (SearchControl::refusedBelow).
    std::vector<std::unique_ptr<PoolRefusals>> refusals;
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
  int scanDictionary(const std::string& path, const SrcLetters& pool);
  int scanWith(Dictionary& reader, const SrcLetters& pool);
  // A level's scan when it can only find anagrams of its pool (findsOnlyAnagrams), given by its
  // missing letters, packed counts and total: appends each (it uses every letter left: a
  // sequence's last word), counting what the scan from (length, letter) would have read.
  int appendAnagrams(Dictionary& reader, uint32_t missing, const LetterCounts& packed, int total,
                     int length, char letter);
  const FindStep& stepAt(size_t depth, const char* rest);
  Dictionary& levelReader(size_t depth);
  ScanList& levelList(size_t depth);
  // Takes the reader's match, the word `scan` found, on to the level below.
  int descend(const DictionaryScan& scan, const Dictionary& reader);
  // Decides the level below a match that left `pool` (its working part), ordered from
  // (`length`, `letter`), into `below`: true when it is settled without a level of its own,
  // its word being "*" and its plan to scan nothing, to take the sequence as it stands or to
  // append the anagrams of what is left (appendAnagrams).
  bool settleBelow(const SrcLetters& pool, int length, char letter, LevelPlan& below);
  void planBelow();  // below_, belowReader_ and belowScansAll_, once
  // True when the level planned so, on `reader`, only appends the anagrams of its pool (one that
  // packs exactly when `exactPool`, of `total` letters).
  static bool appendsAnagrams(const LevelPlan& plan, const Dictionary& reader, bool exactPool,
                              int total);
  // The leftover pools the level below refuses outright, its word "*" (DictionaryScan::passOver).
  const PoolRefusals& refusedBelow();
  void acceptSingle(const std::string& found, const SrcLetters& pool);

  const SearchScope& scope_;
  const char* rest_;
  bool bangSeen_;
  int minLength_;
  char firstLetter_;
  SrcLetters pool_;
  LevelPlan plan_;
  // Once settleBelow() asks: the word's part of the plan of the level below, and its reader.
  LevelPlan below_;
  Dictionary* belowReader_ = nullptr;
  bool belowScansAll_ = false;         // its word is "*"
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
