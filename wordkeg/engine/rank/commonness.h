#pragma once
// Commonness: how common a word is, from two kept word lists. SCOWL (Debian's scowl package,
// /usr/share/dict/scowl) puts each word at a size level, 10 the most common to 95 the rarest;
// SUBTLEX-US counts words in film and television subtitles and orders the everyday words within
// a level. A word's figure is its rarity: lower is more common. (Tried on 22 well-known
// anagrams, bench/rank_quality.sh: these rules put 17 in the top 20 of their searches.)
//
// Rules: a word in lower case takes the level of the words lists; a capitalised or upper-case
// word takes that of the proper-name and upper lists only ("Moor" is not "moor"); a word listed
// only as an abbreviation, and a word of one letter, are put back among the rare ones, so that
// they do not crowd the top of a multi-word search; a word in neither ranks after every listed
// word.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "word_rarity.h"

namespace wk {

class Commonness : public WordRarity {
 public:
  static constexpr int kUnlistedLevel = 100;
  // The rarity of a word in no list and never counted: after every other.
  static constexpr int kUnlistedRarity = 899;

  // The lists of the English, British and American spellings in `scowlFolder` and the counts
  // of `subtlex` (lines "word<TAB>count"). Without a SCOWL list found, empty(): no ranking.
  static Commonness load(const std::string& scowlFolder, std::string_view subtlex);
  // The counts kept in the program (SUBTLEX-US, ISC licence).
  static std::string_view builtInCounts();
  // Where Debian installs SCOWL.
  static constexpr const char* kScowlFolder = "/usr/share/dict/scowl";

  bool empty() const { return levels_.empty(); }
  // The level a word ranks at: 10 ... 95, or kUnlistedLevel (after the penalties above).
  int level(std::string_view word) const override;
  // The tier of the word's level (1: levels 10 and 20 ... 8: unlisted) * 100, plus 0 ... 99
  // within the tier, the more frequent first (counts past a few thousand all count the same).
  int rarity(std::string_view word) const override;

 private:
  enum Kind : uint8_t { kWords, kNames, kAbbreviations };
  struct Entry {
    uint8_t words = 0, names = 0, abbreviations = 0;  // the lowest level in each kind; 0: none
  };
  void add(const std::string& word, Kind kind, int level);

  std::unordered_map<std::string, Entry> levels_;
  std::unordered_map<std::string, uint32_t> counts_;
};

}  // namespace wk
