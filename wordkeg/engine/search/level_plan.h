#pragma once
// LevelPlan: what one word level of a search does, decided before it reads a word, from FIND's
// word for it, the order the level above leaves it and the totals of its pool. A level's run
// and a descent that settles the level below without building it decide by these same rules.
#include <string_view>

namespace wk {

struct SearchData;

// FIND's word for the level at one depth.
struct FindStep {
  const char* rest = nullptr;  // where the level's part of FIND starts
  std::string_view word;
  const char* after = nullptr;  // the rest of FIND after it
  bool bang = false;            // the word holds "!"
  bool onlyStarsAfter = false;  // every word after it is "*" (or "!")

  // Reads the word at `from`, the rest of a FIND that outlives the step.
  void read(const char* from);
};

struct LevelPlan {
  // kSequence: the words chosen above are a result as they stand (the caller appends them when
  // there are any); kNothing: no word can follow them.
  enum Action { kScan, kNothing, kSequence };
  Action action = kScan;
  std::string_view word;  // the pattern the level scans for: "*" once a "!" was seen
  bool bangSeen = false;
  bool useAll = false;
  bool last = false;     // no level follows this one
  bool ordered = false;  // the levels below follow the order of this one's words
  // Where the scan starts: the shortest length and, within it, the first letter (0: the
  // pattern's own).
  int minLength = 0;
  char firstLetter = 0;
  // The level scans "*" from its pool's own length or beyond, in a multi-word search with a
  // pool: it can find no word but the pool's anagrams (none from beyond).
  bool onlyAnagrams = false;
  int stars = 0;  // the word's "*"s, and its other characters: the letters it fixes
  int fixed = 0;

  // The length the scan starts from: minLength, at least 1.
  int startLength() const { return minLength > 1 ? minLength : 1; }
  // The pool's part, once the pool holds the word's letters (it has `total` letters, `vowels`
  // of them vowels); `orderLength` and `orderLetter` are the order the level above left it.
  void decide(const SearchData& request, int total, int vowels, int orderLength, char orderLetter);
};

// The word's part: the plan of the level at `step`, below levels that saw a "!" when
// `bangSeen`.
LevelPlan planLevel(const SearchData& request, const FindStep& step, bool bangSeen);

}  // namespace wk
