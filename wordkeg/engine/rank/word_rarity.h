#pragma once
// WordRarity: where a ranking reads how rare each word is (Commonness, from the word lists;
// RankFiles, from the dictionaries' side files). Lower is more common: the tier of the word's
// level * 100, plus 0 ... 99 within the tier.
#include <string_view>

namespace wk {

class WordRarity {
 public:
  virtual ~WordRarity() = default;
  virtual int rarity(std::string_view word) const = 0;
  // The word lists' level of the word (10 ... 95, or 100 unlisted), as shown beside a result.
  virtual int level(std::string_view word) const = 0;
};

}  // namespace wk
