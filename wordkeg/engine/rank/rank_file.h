#pragma once
// A dictionary's side file NAME.rnk beside NAME.lex: the commonness of each of its words, so
// that a ranked search reads a few megabytes instead of the word lists. The .lex file is not
// touched, and the Windows program neither reads nor writes the side file. Its first line names
// the dictionary it was made from (creation and change times, word count, size), so that one a
// change made out of date is known as such; its last line counts the words, so that a cut one
// is known as damaged. Lines between: "word<TAB>level<TAB>rarity", in byte order.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "../dict/dictionary_header.h"
#include "word_rarity.h"

namespace wk {

class Commonness;
class OperationContext;

std::string rankFilePath(const std::string& lexPath);

// Writes the side file of the dictionary at `lexPath` with `header` from `table` (beside it,
// then renamed over the old one), which the word lists `lists` (a signature: see add) made.
// False, with nothing left half-written, when it cannot.
bool writeRankFile(OperationContext& context, const std::string& lexPath,
                   const DictionaryHeader& header, const Commonness& table,
                   const std::string& lists = {});

// The side files of a search's dictionaries, read. Not to be shared between threads (a word
// looked up once is remembered).
class RankFiles : public WordRarity {
 public:
  enum class State { kRead, kMissing, kOutOfDate, kDamaged };
  RankFiles();
  ~RankFiles() override;
  // Reads the side file of the dictionary at `lexPath`, whose header is `header`; out of date
  // too when `lists`, the signature of the word lists there are now, is not that of the lists
  // it was made from (empty: no lists to compare with, any serve).
  State add(const std::string& lexPath, const DictionaryHeader& header,
            const std::string& lists = {});

  // Where a side file could not be made (a folder that cannot be written): the words no file
  // holds are looked up in `lists` itself.
  void useLists(std::unique_ptr<Commonness> lists);

  int rarity(std::string_view word) const override;
  int level(std::string_view word) const override;

 private:
  std::unique_ptr<Commonness> lists_;
  struct Figure {
    int level, rarity;
  };
  // `figure` filled from the files; null when none holds the word.
  const Figure* find(std::string_view word, Figure& figure) const;

  std::deque<std::string> texts_;        // each file's text (a deque: they never move)
  std::vector<std::string_view> lines_;  // each file's word lines, searched as they are
  // Looked up by the words of result lines as they are, without a copy of each.
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  mutable std::unordered_map<std::string, Figure, TextHash, std::equal_to<>> seen_;
};

}  // namespace wk
