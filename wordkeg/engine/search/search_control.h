#pragma once
// SearchControl: one word level of a search. The top level takes the first word of FIND; in a
// multi-word search each match starts the next level with the letters left over, depth first,
// and a level with nothing left to find appends the words chosen as a result.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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
  static constexpr int kCancelled = 3;

  // The top level: the request's source pool, no prefix; resets the checked counts.
  explicit SearchControl(const SearchScope& scope);
  ~SearchControl();
  // A level below: `rest` is what is left of FIND (it must outlive the level). `readers` holds
  // the subset readers of the levels, one per depth, reused by every descent to that depth.
  SearchControl(const SearchScope& scope, const char* rest, std::string prefix, bool bangSeen,
                int minLength, char firstLetter, const SrcLetters& pool,
                std::vector<std::unique_ptr<Dictionary>>* readers, size_t depth);

  // Runs this level and those below; kCancelled when the search was cancelled, else 0.
  // A dictionary of a single-word search that cannot be read is reported and left out (what it
  // gave before stays); a subset dictionary that cannot be read throws WordkegException.
  int run();

 private:
  int scanDictionary(const std::string& path, const std::string& word, const SrcLetters& pool,
                     bool ordered);
  int scanWith(Dictionary& reader, const std::string& word, const SrcLetters& pool, bool ordered);
  Dictionary& levelReader();
  int descend(const DictionaryScan& scan, const Dictionary& reader, const std::string& found,
              bool ordered);
  void acceptSingle(const std::string& found, const SrcLetters& pool);

  const SearchScope& scope_;
  const char* rest_;
  std::string prefix_;
  bool bangSeen_;
  int minLength_;
  char firstLetter_;
  SrcLetters pool_;
  bool useAll_ = false;
  std::vector<std::unique_ptr<Dictionary>> ownReaders_;  // the top level's: one per depth
  std::vector<std::unique_ptr<Dictionary>>* readers_;
  size_t depth_;
};

// Include / Exclude filter of single-word results: every Include letter (repeats need repeats)
// and no Exclude letter.
bool passesIncludeExclude(const std::string& word, const std::string& include,
                          const std::string& exclude);

}  // namespace wk
