// Search results along the one search path, cross-checked against independent means: a
// regular-expression filter for single words and a brute-force enumeration for word sequences.
#include "app/search_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "../engine/dictionary_model.h"
#include "../engine/test_home.h"
#include "app/process_home.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dict_format.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/word_order.h"
#include "engine/search/subset_builder.h"

namespace wk::test {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

Words sorted(Words words) {
  std::sort(words.begin(), words.end(), [](auto& a, auto& b) { return compareWords(a, b) < 0; });
  words.erase(std::unique(words.begin(), words.end()), words.end());
  return words;
}

std::string stored(std::string w) {
  w.erase(std::remove(w.begin(), w.end(), '-'), w.end());
  w[0] = static_cast<char>(std::tolower(w[0]));
  return w;
}

std::map<char, int> letters(const std::string& text) {
  std::map<char, int> m;
  for (char c : text) ++m[c];
  return m;
}

// Pools count blank tiles under '?': each covers one letter the pool lacks.
constexpr char kBlank = '?';

bool within(const std::map<char, int>& need, const std::map<char, int>& have) {
  int short_ = 0;
  for (auto [c, n] : need) {
    auto it = have.find(c);
    short_ += std::max(0, n - (it == have.end() ? 0 : it->second));
  }
  auto blanks = have.find(kBlank);
  return short_ <= (blanks == have.end() ? 0 : blanks->second);
}

// What is left of `pool` after `word`: its letters first, blanks for the rest.
std::map<char, int> without(std::map<char, int> pool, const std::string& word) {
  for (char c : word) {
    const char used = pool.count(c) ? c : kBlank;
    if (--pool[used] == 0) pool.erase(used);
  }
  return pool;
}

// A blank may stand for a vowel.
int vowels(const std::map<char, int>& pool) {
  int n = 0;
  for (auto [c, k] : pool) n += std::string("aeiouy?").find(c) != std::string::npos ? k : 0;
  return n;
}

class SearchRunTest : public HomeTest {
 protected:
  uint32_t lastChecked = 0;
  bool memory = true;  // off: the searches read their files as streams  // the Checked count of the
                       // last search
  // The command line's options for the next searches.
  struct Options {
    int minLength = 0, maxLength = 0, limit = 0, blanks = 0;
    bool distinct = false;
  } options;

  Words search(const std::string& find, const std::string& from, bool useAll, bool suppress = false,
               const std::string& include = "", const std::string& exclude = "") {
    DictionaryNames& catalogue = app::processCatalogue();
    app::SearchRun run(catalogue);
    run.request().blanks = options.blanks;
    if (!run.checks().validate(SearchFields{find, from, include, exclude, useAll, suppress}))
      return {"refused"};
    run.request().minWordLength = options.minLength;
    run.request().maxWordLength = options.maxLength;
    run.store().setLimit(options.limit);
    run.store().setDistinct(options.distinct);
    std::vector<const DictionaryName*> all;
    for (size_t i = 0; i < catalogue.count(); ++i) all.push_back(&catalogue.entry(i));
    if (!run.prepare(all, [](SubsetBuilder& builder) { return builder.run(); })) return {};
    run.worker()->context().allowMemory(memory);
    run.worker()->run();
    run.finished();
    lastChecked = run.checked(false);
    ResultStore& store = run.store();
    Words found;
    for (int i = 0; i < store.entryCount(); ++i) found.push_back(store.entry(i));
    return found;
  }

  // Word sequences of `count` words from `dictionary` made from `from`, by brute force.
  void enumerate(const Words& dictionary, std::map<char, int> pool, int count, bool useAll,
                 bool suppress, const std::string& prefix, int minLength, char minFirst,
                 std::set<std::string>& out) {
    if (count == 0) {
      int left = 0;
      for (auto [c, n] : pool) left += n;
      if (!useAll || left == 0) out.insert(prefix.substr(0, prefix.size() - 1));
      return;
    }
    int total = 0;
    for (auto [c, n] : pool) total += n;
    if (total == 0 || vowels(pool) == 0) return;
    for (const auto& w : dictionary) {
      const std::string s = stored(w);
      const int length = static_cast<int>(s.size());
      if (suppress && (length < minLength || (length == minLength && s[0] < minFirst))) continue;
      if (useAll && count == 1 && length != total) continue;
      if (!within(letters(s), pool)) continue;
      enumerate(dictionary, without(pool, s), count - 1, useAll, suppress, prefix + w + " ",
                length, s[0], out);
    }
  }
};

Words randomWords(int count, unsigned seed) {
  std::mt19937 random(seed);
  const std::string common = "aeiourstlnc";
  Words words;
  for (int i = 0; i < count; ++i) {
    std::string w;
    const int length = 1 + static_cast<int>(random() % 7);
    for (int k = 0; k < length; ++k)
      w += random() % 3 ? common[random() % common.size()] : static_cast<char>('a' + random() % 26);
    if (random() % 9 == 0) w[0] = static_cast<char>(std::toupper(w[0]));
    if (length > 2 && random() % 11 == 0) w.insert(1 + random() % (length - 1), 1, '-');
    words.push_back(w);
  }
  return sorted(words);
}

TEST_F(SearchRunTest, SingleWordPatternsEqualRegularExpressionFilter) {
  const Words words = randomWords(3000, 11);
  makeDictionary("one", words);
  for (const std::string pattern : {"c?t", "c*t", "?a*", "*", "*ing", "s*e*", "??", "a*a*a",
                                    "?????????", "*e", "*st", "*ate", "*sta", "*aaaaaaa"}) {
    std::string regex;
    for (char c : pattern)
      regex += c == '?'   ? std::string("[a-z]")
               : c == '*' ? std::string("[a-z]*")
                          : std::string(1, c);
    const std::regex matcher(regex);
    Words expected;
    for (const auto& w : words)
      if (std::regex_match(stored(w), matcher)) expected.push_back(w);
    EXPECT_EQ(search(pattern, "", false), expected) << pattern;
    // Ends of words of every length, the word itself included ("st"): enough to tell.
    if (pattern == "*st") {
      EXPECT_GT(expected.size(), 8u);
    }
  }
}

TEST_F(SearchRunTest, SingleWordPoolUseAllIncludeExclude) {
  const Words words = randomWords(3000, 5);
  makeDictionary("one", words);
  const std::string from = "tacsoe";
  for (bool useAll : {false, true}) {
    Words expected;
    for (const auto& w : words) {
      const std::string s = stored(w);
      if (!within(letters(s), letters(from)) || (useAll && s.size() != from.size())) continue;
      if (s.find('t') == std::string::npos || s.find('e') != std::string::npos) continue;
      expected.push_back(w);
    }
    EXPECT_EQ(search("*", from, useAll, false, "t", "e"), expected) << useAll;
  }
}

TEST_F(SearchRunTest, IncludeNeedsRepeatedLetters) {
  makeDictionary("one", sorted({"banana", "bat", "cab", "abba", "bee"}));
  EXPECT_EQ(search("*", "", false, false, "aa"), (Words{"abba", "banana"}));
  EXPECT_EQ(search("*", "", false, false, "", "e"), (Words{"bat", "cab", "abba", "banana"}));
  EXPECT_EQ(search("???", "tcab", true), Words{});  // use all: three letters cannot use four
}

TEST_F(SearchRunTest, WordSequencesEqualBruteForce) {
  Words words = randomWords(400, 3);
  makeDictionary("one", Words(words.begin(), words.begin() + 200));
  makeDictionary("two", Words(words.begin() + 150, words.end()));
  const Words all = sorted(words);
  for (const std::string from : {"tacos", "lentils", "ruse"}) {
    for (bool useAll : {false, true}) {
      for (bool suppress : {false, true}) {
        for (int count : {2, 3}) {
          const std::string find = count == 2 ? "* *" : "* * *";
          std::set<std::string> expected;
          enumerate(all, letters(from), count, useAll, suppress, "", 0, 0, expected);
          const Words got = search(find, from, useAll, suppress);
          EXPECT_EQ(std::set<std::string>(got.begin(), got.end()), expected)
              << find << " from " << from << " useAll " << useAll << " suppress " << suppress;
          EXPECT_EQ(std::set<std::string>(got.begin(), got.end()).size(), got.size());
        }
      }
    }
  }
}

// A subset held in memory is searched by the fast path (letter masks, counts packed into words,
// the anagram index for a last word that must use every letter); read as a stream it takes the
// plain scan. Both must give the same sequences in the same order and the same Checked count.
TEST_F(SearchRunTest, FastPathEqualsThePlainScan) {
  std::mt19937 random(17);
  const Words finds = {"* *", "* * *", "* * * *", "?? * *", "*t* *", "* !", "s* !", "* 4 *"};
  for (unsigned round = 0; round < 6; ++round) {
    std::string name = "d";  // appended: GCC 12 warns falsely (-Wrestrict) on "d" + string
    name += std::to_string(round);
    makeDictionary(name, randomWords(200, 100 + round));
    for (int trial = 0; trial < 12; ++trial) {
      std::string from;
      const int length = 6 + static_cast<int>(random() % 4);
      for (int k = 0; k < length; ++k) from += "aeioustlrncpdm"[random() % 14];
      if (random() % 7 == 0) from[0] = 'E';  // a letter without limit
      const std::string find = finds[random() % finds.size()];
      // Without Use All only two words: more would give millions of sequences.
      const bool useAll = find != "* *" || random() % 2 == 0;
      const bool suppress = random() % 2 == 0;
      memory = true;
      const Words fast = search(find, from, useAll, suppress);
      const uint32_t fastChecked = lastChecked;
      memory = false;
      const Words plain = search(find, from, useAll, suppress);
      EXPECT_EQ(fast, plain) << find << " from " << from << " useAll " << useAll << " suppress "
                             << suppress;
      EXPECT_EQ(fastChecked, lastChecked) << find << " from " << from;
    }
  }
}

// The levels of "*" count what they pass group by group and take their words from the level
// above's list: with gaps among the groups (letters no word starts with, lengths missing), the
// command line's bounds and a result limit that stops the search midway, every sequence, its
// place and the Checked count stay the plain scan's, also with long words.
TEST_F(SearchRunTest, CountedLevelsEqualThePlainScan) {
  std::mt19937 random(29);
  const Words finds = {"* * *", "* * * *", "* * !", "* *", "* ?* *"};
  size_t found = 0;
  int limited = 0;
  for (unsigned round = 0; round < 4; ++round) {
    if (round == 3) useLongWords();
    std::string name = "g";
    name += std::to_string(round);
    // Words of few first letters leave most groups empty.
    Words words = round == 3 ? test::randomWords(400, 14, 7) : randomWords(300, 200 + round);
    Words gappy;
    for (const auto& w : words)
      if (round == 3 || std::string("bdfhjmqvwxz").find(stored(w)[0]) == std::string::npos)
        gappy.push_back(w);
    makeDictionary(name, gappy);
    for (int trial = 0; trial < 16; ++trial) {
      std::string from;
      const std::string find = finds[random() % finds.size()];
      // Four words from many letters give millions of sequences.
      const int length = (round == 3 ? 10 : 6) + static_cast<int>(random() % 3) -
                         (find == "* * * *" ? 1 : 0);
      for (int k = 0; k < length; ++k) from += "aeioustlrncpdmg"[random() % 15];
      const bool useAll = find != "* *" || random() % 2 == 0;
      const bool suppress = random() % 3 != 0;
      options.minLength = static_cast<int>(random() % 3);
      options.maxLength = random() % 3 == 0 ? 4 + static_cast<int>(random() % 3) : 0;
      options.limit = random() % 3 == 0 ? 1 + static_cast<int>(random() % 40) : 0;
      const std::string what = find + " from " + from + " useAll " + std::to_string(useAll) +
                               " suppress " + std::to_string(suppress) + " min " +
                               std::to_string(options.minLength) + " max " +
                               std::to_string(options.maxLength) + " limit " +
                               std::to_string(options.limit);
      memory = true;
      const Words fast = search(find, from, useAll, suppress);
      const uint32_t fastChecked = lastChecked;
      memory = false;
      const Words plain = search(find, from, useAll, suppress);
      EXPECT_EQ(fast, plain) << what;
      EXPECT_EQ(fastChecked, lastChecked) << what;
      found += fast.size();
      limited += options.limit > 0 && static_cast<int>(fast.size()) == options.limit;
    }
    options = Options();
  }
  EXPECT_GT(found, 1000u);  // the trials find enough to tell the two apart
  EXPECT_GT(limited, 2);
}

TEST_F(SearchRunTest, DamagedDictionaryIsReportedAndLeftOutOfTheSubset) {
  makeDictionary("good", sorted({"cat", "dog"}));
  const std::string bad = makeDictionary("bad", sorted({"act", "god"}));
  auto bytes = readBytes(bad);
  std::fill(bytes.begin() + dict::kStreamStart, bytes.end(), 0xFF);
  writeBytes(bad, bytes);
  EXPECT_EQ(search("* *", "catdog", true), (Words{"cat dog", "dog cat"}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "This dictionary is damaged and cannot be read: " + bad);
}

TEST_F(SearchRunTest, DamagedDictionaryIsReportedAndLeftOutOfASingleWordSearch) {
  const std::string bad = makeDictionary("bad", sorted({"act", "god"}));
  makeDictionary("good", sorted({"cat", "dog"}));
  auto bytes = readBytes(bad);
  std::fill(bytes.begin() + dict::kStreamStart, bytes.end(), 0xFF);
  writeBytes(bad, bytes);
  messages.expect("This dictionary is damaged and cannot be read: " + bad, mb::kIdOk, "Warning");
  EXPECT_EQ(search("???", "", false), (Words{"cat", "dog"}));
}

TEST_F(SearchRunTest, SuppressWithoutUseAllKeepsSequences) {
  makeDictionary("one", sorted({"cat", "dog"}));
  EXPECT_EQ(search("* *", "catdogae", false, true), (Words{"cat dog"}));
}

TEST_F(SearchRunTest, BangUsesUpEveryLetter) {
  // "cat do" would leave a g, and a pool without a vowel is a dead end.
  makeDictionary("one", sorted({"cat", "dog", "god", "do"}));
  EXPECT_EQ(search("cat !", "catdog", false), (Words{"cat dog", "cat god"}));
  // Nothing is left after the letters before "!": no empty sequence.
  EXPECT_EQ(search("cat!", "cat", false), Words{});
}

TEST_F(SearchRunTest, SequencesComeDepthFirstInDictionaryOrder) {
  makeDictionary("one", sorted({"a", "at", "ta", "tat"}));
  EXPECT_EQ(search("* *", "atta", true),
            (Words{"a tat", "at at", "at ta", "ta at", "ta ta", "tat a"}));
  EXPECT_EQ(search("* *", "atta", true, true), (Words{"a tat", "at at", "at ta", "ta ta"}));
}

// Every word of a result within the bounds, by letter count.
Words withinLengths(const Words& results, int minLength, int maxLength) {
  Words kept;
  for (const auto& result : results) {
    bool fits = true;
    std::istringstream words(result);
    for (std::string w; words >> w;) {
      const int n = static_cast<int>(stored(w).size());
      fits = fits && n >= minLength && (maxLength == 0 || n <= maxLength);
    }
    if (fits) kept.push_back(result);
  }
  return kept;
}

TEST_F(SearchRunTest, LengthBoundsGiveThePlainResultsFilteredInTheSameOrder) {
  makeDictionary("one", randomWords(300, 21));
  makeDictionary("two", randomWords(300, 22));
  const std::vector<std::pair<std::string, std::string>> searches = {
      {"*", ""}, {"c*", ""}, {"*", "tacosle"}, {"* *", "lentils"}, {"* * *", "tacos"},
      {"* !", "reins"}, {"a* *", "atones"}};
  for (const auto& [find, from] : searches) {
    for (bool suppress : {false, true}) {
      for (auto [low, high] : {std::pair{3, 0}, std::pair{0, 4}, std::pair{2, 5}, std::pair{4, 4}}) {
        const bool useAll = find.find(' ') != std::string::npos;
        options = {};
        const Words plain = search(find, from, useAll, suppress);
        options.minLength = low;
        options.maxLength = high;
        EXPECT_EQ(search(find, from, useAll, suppress), withinLengths(plain, low, high))
            << find << " from " << from << " suppress " << suppress << " " << low << "-" << high;
      }
    }
  }
}

TEST_F(SearchRunTest, LimitKeepsTheFirstResultsAndStopsTheSearch) {
  makeDictionary("one", randomWords(2000, 31));
  const Words plain = search("* *", "tacosnie", false);
  ASSERT_GT(plain.size(), 20u);
  const uint32_t plainChecked = lastChecked;
  options.limit = 7;
  EXPECT_EQ(search("* *", "tacosnie", false), Words(plain.begin(), plain.begin() + 7));
  EXPECT_LT(lastChecked, plainChecked) << "the search went on after the seventh result";
  EXPECT_EQ(search("c*", "", false), search("c*", "", false));  // fewer than the limit
  options.limit = static_cast<int>(plain.size());
  EXPECT_EQ(search("* *", "tacosnie", false), plain);
}

TEST_F(SearchRunTest, DistinctKeepsTheFirstOfEachResultWhateverItsCase) {
  makeDictionary("one", sorted({"Cat", "act", "tac", "dog"}));
  makeDictionary("two", sorted({"cat", "act", "god"}));
  EXPECT_EQ(search("???", "", false), (Words{"act", "Cat", "dog", "tac", "act", "cat", "god"}));
  options.distinct = true;
  EXPECT_EQ(search("???", "", false), (Words{"act", "Cat", "dog", "tac", "god"}));
  EXPECT_EQ(search("* *", "catdog", true, true), search("* *", "catdog", true, true));
}

// Blank tiles against brute force: a word of the letters with up to N of them missing, every
// tile used with Use All, a blank standing for a vowel where a word needs one.
TEST_F(SearchRunTest, BlanksEqualBruteForce) {
  const Words words = randomWords(300, 41);
  makeDictionary("one", words);
  const Words all = sorted(words);
  for (int blanks : {1, 2}) {
    options.blanks = blanks;
    for (const std::string from : {"tacos", "lntrs", "ruse"}) {
      auto pool = letters(from);
      pool[kBlank] = blanks;
      for (bool useAll : {false, true}) {
        Words expected;
        for (const auto& w : all) {
          const std::string s = stored(w);
          const int tiles = static_cast<int>(from.size()) + blanks;
          if (within(letters(s), pool) && (!useAll || static_cast<int>(s.size()) == tiles))
            expected.push_back(w);
        }
        EXPECT_EQ(search("*", from, useAll), expected) << from << " blanks " << blanks;
        for (bool suppress : {false, true}) {
          std::set<std::string> sequences;
          enumerate(all, pool, 2, true, suppress, "", 0, 0, sequences);
          const Words got = search("* *", from, true, suppress);
          EXPECT_EQ(std::set<std::string>(got.begin(), got.end()), sequences)
              << "* * from " << from << " blanks " << blanks << " suppress " << suppress;
          EXPECT_EQ(sequences.size(), got.size());
        }
      }
    }
  }
}

TEST_F(SearchRunTest, ABlankTakesALetterFromLacks) {
  makeDictionary("one", sorted({"at", "zo", "oat", "zoa", "taco"}));
  EXPECT_EQ(search("z*", "oa", true), Words{"refused"});  // no z without a blank
  options.blanks = 1;
  EXPECT_EQ(search("*", "at", false), (Words{"at", "oat"}));
  EXPECT_EQ(search("*", "at", true), Words{"oat"});  // every tile, the blank included
  EXPECT_EQ(search("z*", "oa", true), Words{"zoa"});
  EXPECT_EQ(search("????", "at", true), Words{"refused"});  // four letters of three tiles
}

std::string regexOf(const std::string& pattern) {
  std::string regex;
  for (char c : pattern)
    regex += c == '?' ? std::string("[a-z]") : c == '*' ? std::string("[a-z]*") : std::string(1, c);
  return regex;
}

// Words of up to twenty letters: every pattern as the regular expression finds them in a home
// with long words; a home without sees the words of up to nine letters and refuses longer FIND
// words.
TEST_F(SearchRunTest, LongWordPatternsEqualRegularExpressionFilter) {
  const Words words = test::randomWords(3000, 20, 51);
  makeDictionary("one", words);
  const Words patterns = {"*",          "c*",        "*s",         "??????????*",
                          "*?????????????",          "a*e*i*o",    "???????????????????",
                          "?*?*?*?*?*?*?*?*?*?*?*?", "s*t*r*a*n*g*e*r*s*e*t*s", "10*", "e*19", "e*20"};
  for (bool longWords : {false, true}) {
    if (longWords) useLongWords();
    const size_t longest = longWords ? 20 : 9;
    for (const auto& pattern : patterns) {
      const std::string find = normaliseFind(pattern, 40).find;
      const size_t letters = find.size() - std::count(find.begin(), find.end(), '*');
      if (letters > longest) {
        EXPECT_EQ(search(pattern, "", false), Words{"refused"}) << pattern;
        EXPECT_EQ(messages.shown.back().text, str(kPatternTooLong));
        continue;
      }
      const std::regex matcher(regexOf(find));
      Words expected;
      for (const auto& w : words)
        if (stored(w).size() <= longest && std::regex_match(stored(w), matcher))
          expected.push_back(w);
      EXPECT_EQ(search(pattern, "", false), expected) << pattern << " long words " << longWords;
    }
  }
}

// Sequences of long words against brute force, from letters that surely make some; the fast
// path and the plain scan agree on them and on the Checked count.
TEST_F(SearchRunTest, LongWordSequencesEqualBruteForce) {
  const Words words = test::randomWords(300, 14, 61);
  makeDictionary("one", words);
  Words longOnes, shortOnes;
  for (const auto& w : words) {
    const size_t n = stored(w).size();
    if (n >= 10 && n <= 12) longOnes.push_back(w);
    if (n >= 3 && n <= 4 && vowels(letters(stored(w))) > 0) shortOnes.push_back(w);
  }
  ASSERT_GE(longOnes.size(), 3u);
  ASSERT_GE(shortOnes.size(), 3u);
  useLongWords();
  for (size_t i = 0; i < 3; ++i) {
    const std::string from = stored(longOnes[i]) + stored(shortOnes[i]);
    for (bool suppress : {false, true}) {
      std::set<std::string> expected;
      enumerate(words, letters(from), 2, true, suppress, "", 0, 0, expected);
      memory = true;
      const Words fast = search("* *", from, true, suppress);
      const uint32_t fastChecked = lastChecked;
      EXPECT_EQ(std::set<std::string>(fast.begin(), fast.end()), expected) << from;
      EXPECT_TRUE(expected.count(longOnes[i] + " " + shortOnes[i]) || suppress) << from;
      EXPECT_EQ(expected.size(), fast.size());
      memory = false;
      EXPECT_EQ(search("* *", from, true, suppress), fast) << from;
      EXPECT_EQ(lastChecked, fastChecked) << from;
    }
    memory = true;
    // One word of every letter: the anagrams of the long word.
    Words anagrams;
    for (const auto& w : words)
      if (letters(stored(w)) == letters(stored(longOnes[i]))) anagrams.push_back(w);
    EXPECT_EQ(search("*", stored(longOnes[i]), true), anagrams) << longOnes[i];
  }
}

// What one search gave: its results in order, its Checked count, whether it ran to its end.
struct Outcome {
  Words words;
  uint64_t checked = 0;
  bool completed = false;
};

// A search of every dictionary on its own SearchRun, as a server thread runs one; with
// `stopAtFirst` it cancels itself when its first result is kept.
Outcome searchAlone(DictionaryNames& catalogue, const std::string& find, const std::string& from,
                    bool memory, bool stopAtFirst = false) {
  app::SearchRun run(catalogue);
  if (!run.checks().validate(SearchFields{find, from, "", "", false, false})) return {};
  std::vector<const DictionaryName*> all;
  for (size_t i = 0; i < catalogue.count(); ++i) all.push_back(&catalogue.entry(i));
  if (!run.prepare(all, [](SubsetBuilder& builder) { return builder.run(); })) return {};
  SearchWorker& worker = *run.worker();
  worker.context().allowMemory(memory);
  if (stopAtFirst) run.store().setListener([&worker](std::string_view) { worker.cancel(); });
  Outcome outcome;
  outcome.completed = worker.run();
  run.finished();
  outcome.checked = run.checked(false);
  for (int i = 0; i < run.store().entryCount(); ++i) outcome.words.push_back(run.store().entry(i));
  return outcome;
}

// Searches side by side in one process keep apart: on two threads each gives exactly the
// results, order and Checked count it gives alone, and one that cancels leaves the other running.
TEST_F(SearchRunTest, SearchesOnTwoThreadsGiveWhatEachGivesAlone) {
  makeDictionary("one", randomWords(1000, 71));
  makeDictionary("two", randomWords(1000, 72));
  DictionaryNames& names = catalogue();
  struct Case {
    std::string find, from;
    bool memory;
  };
  const Case a{"* *", "aeiostrlnc", true}, b{"* * *", "eaiourtn", false};
  const Outcome aloneA = searchAlone(names, a.find, a.from, a.memory);
  const Outcome aloneB = searchAlone(names, b.find, b.from, b.memory);
  ASSERT_TRUE(aloneA.completed && aloneB.completed);
  ASSERT_FALSE(aloneA.words.empty() || aloneB.words.empty());
  Outcome sideA, sideB, stopped;
  std::thread first([&] { sideA = searchAlone(names, a.find, a.from, a.memory); });
  std::thread second([&] { sideB = searchAlone(names, b.find, b.from, b.memory); });
  first.join();
  second.join();
  EXPECT_TRUE(sideA.completed && sideB.completed);
  EXPECT_EQ(sideA.words, aloneA.words);
  EXPECT_EQ(sideA.checked, aloneA.checked);
  EXPECT_EQ(sideB.words, aloneB.words);
  EXPECT_EQ(sideB.checked, aloneB.checked);
  // A cancel stops its own search only.
  std::thread cancelled([&] { stopped = searchAlone(names, b.find, b.from, true, true); });
  std::thread running([&] { sideB = searchAlone(names, b.find, b.from, b.memory); });
  cancelled.join();
  running.join();
  EXPECT_FALSE(stopped.completed);
  EXPECT_LT(stopped.words.size(), aloneB.words.size());
  EXPECT_TRUE(sideB.completed);
  EXPECT_EQ(sideB.words, aloneB.words);
  // A second home, named by its path (not the working directory), searched beside the first.
  const fs::path other = fs::current_path() / "other";
  fs::create_directories(other / "lexicons");
  fs::copy(lexPath("one"), other / "lexicons" / "one.lex");
  fs::copy(lexPath("two"), other / "lexicons" / "two.lex");
  std::unique_ptr<DictionaryNames> otherNames;
  {
    const ConfigData otherConfig(other.string());
    otherNames = DictionaryNames::open(otherConfig);
    std::thread there([&] { sideA = searchAlone(*otherNames, a.find, a.from, a.memory); });
    std::thread here([&] { sideB = searchAlone(names, b.find, b.from, b.memory); });
    there.join();
    here.join();
    otherNames.reset();
  }
  EXPECT_EQ(sideA.words, aloneA.words);
  EXPECT_EQ(sideA.checked, aloneA.checked);
  EXPECT_EQ(sideB.words, aloneB.words);
  EXPECT_TRUE(fs::is_regular_file(other / "wordkeg.ini"));
  EXPECT_TRUE(fs::is_empty(other / "temp"));
}

}  // namespace
}  // namespace wk::test
