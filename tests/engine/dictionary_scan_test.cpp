// The dictionary scan: wildcard patterns, letter pools and group skips.
#include "engine/dict/dictionary_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/dict/dictionary.h"
#include "engine/dict/operation_context.h"
#include "engine/dict/word_order.h"
#include "test_home.h"

namespace wk::test {
namespace {

class DictionaryScanTest : public HomeTest {
 protected:
  void SetUp() override {
    HomeTest::SetUp();
    std::vector<std::string> words = {"a",     "act", "cat",       "coat", "cot", "cut",
                                      "eat",   "tea", "tee",       "ate",  "ban", "Bat",
                                      "x-ray", "zoo", "abcdefghi", "tac"};
    std::sort(words.begin(), words.end(), [](auto& x, auto& y) { return compareWords(x, y) < 0; });
    path = makeDictionary("s", words);
  }

  std::vector<std::string> scan(const std::string& pattern, const char* pool = nullptr,
                                int minLength = 0) {
    Dictionary reader(context, path, false, 512);
    DictionaryScan scanner(reader, dict::kMaxSearchLength);
    SrcLetters letters;
    if (pool) letters.set(pool);
    std::vector<std::string> found;
    std::string w;
    for (int r = scanner.start(pattern, pool ? &letters : nullptr, minLength, 0, w);
         r == DictionaryScan::kMatch; r = scanner.next(w))
      found.push_back(w);
    return found;
  }

  std::string path;
};

using Words = std::vector<std::string>;

TEST_F(DictionaryScanTest, WildcardsMatchLettersOnly) {
  EXPECT_EQ(scan("c?t"), (Words{"cat", "cot", "cut"}));
  EXPECT_EQ(scan("c*t"), (Words{"cat", "cot", "cut", "coat"}));
  EXPECT_EQ(scan("?a*"), (Words{"ban", "Bat", "cat", "eat", "tac"}));
  EXPECT_EQ(scan("*").size(), 16u - 0u);
  EXPECT_EQ(scan("*t"), (Words{"act", "Bat", "cat", "cot", "cut", "eat", "coat"}));
  EXPECT_EQ(scan("xray"), (Words{"x-ray"}));
  EXPECT_EQ(scan("Bat"), (Words{"Bat"}));
  EXPECT_EQ(scan("?????????"), (Words{"abcdefghi"}));
  EXPECT_EQ(scan("a*i"), (Words{"abcdefghi"}));
}

TEST_F(DictionaryScanTest, EmptyPatternIsReported) {
  Dictionary reader(context, path, false, 512);
  std::string w;
  EXPECT_EQ(DictionaryScan(reader, dict::kMaxSearchLength).start("", nullptr, 0, 0, w), DictionaryScan::kEmptyPattern);
}

TEST_F(DictionaryScanTest, PoolLimitsLettersAndUnlimitedCapital) {
  EXPECT_EQ(scan("???", "tca"), (Words{"act", "cat", "tac"}));
  EXPECT_EQ(scan("???", "Eat"), (Words{"ate", "eat", "tea", "tee"}));
  EXPECT_EQ(scan("a*", "a"), (Words{"a"}));
}

TEST_F(DictionaryScanTest, MinimumLengthAndCancel) {
  EXPECT_EQ(scan("*", nullptr, 4), (Words{"coat", "x-ray", "abcdefghi"}));
  Dictionary reader(context, path, false, 512);
  DictionaryScan scanner(reader, dict::kMaxSearchLength);
  std::string w;
  ASSERT_EQ(scanner.start("*", nullptr, 0, 0, w), DictionaryScan::kMatch);
  context.requestCancel();
  EXPECT_EQ(scanner.next(w), DictionaryScan::kCancelled);
  context.clearCancel();
}

TEST_F(DictionaryScanTest, WordsCheckedCountsEveryDecodedWord) {
  scan("*");
  EXPECT_EQ(context.wordsChecked(), 16u);
  // Long searches check billions: the count goes on past 32 bits.
  context.addChecked(UINT32_MAX);
  EXPECT_EQ(context.wordsChecked(), uint64_t{16} + UINT32_MAX);
  context.resetChecked();
}

TEST(SrcLetters, TakeReportsFirstMissingLetterAndLeavesRest) {
  SrcLetters pool;
  pool.set("aabT");
  EXPECT_EQ(pool.total(), 100);
  EXPECT_EQ(pool.vowels(), 2);
  EXPECT_EQ(pool.take("bat ", ' '), 0);
  EXPECT_EQ(pool.leftOver().countOf('a'), 1);
  EXPECT_EQ(pool.take("cab ", ' '), 1);
  EXPECT_EQ(pool.take("abba ", ' '), 3);
  SrcLetters same;
  same.set("abaT");
  EXPECT_TRUE(pool == same);
}

// A word taken by its packed counts leaves what a letter-by-letter take leaves: the same pool
// below, the same summaries of it (missing letters above all: the last word's count goes by them).
TEST(SrcLetters, TakeFittingLeavesWhatTakeLeaves) {
  std::mt19937 random(7);
  int emptied = 0;
  for (int round = 0; round < 2000; ++round) {
    std::string letters;
    const int size = 1 + static_cast<int>(random() % 20);
    for (int i = 0; i < size; ++i) letters += static_cast<char>('a' + random() % 26);
    SrcLetters pool;
    pool.set(letters);
    if (!pool.packsExactly()) continue;
    std::string word = letters;
    std::shuffle(word.begin(), word.end(), random);
    word.resize(1 + random() % word.size());
    LetterCounts counts;
    ASSERT_TRUE(counts.setFrom(word.c_str(), static_cast<int>(word.size())));
    ASSERT_EQ(pool.take((word + ' ').c_str(), ' '), 0);
    const SrcLetters byLetters = pool.leftOver();
    uint32_t held = 0;
    for (char c : word) held |= 1u << (c - 'a');
    pool.takeFitting(counts, static_cast<int>(word.size()), held);
    const SrcLetters byCounts = pool.leftOver();
    ASSERT_TRUE(byCounts == byLetters) << letters << " less " << word;
    EXPECT_EQ(byCounts.missingMask(), byLetters.missingMask()) << letters << " less " << word;
    EXPECT_EQ(pool.leftOverMissing(), byLetters.missingMask()) << letters << " less " << word;
    EXPECT_EQ(pool.leftOverPacked().lo, byLetters.packed().lo);
    EXPECT_EQ(pool.leftOverPacked().hi, byLetters.packed().hi);
    EXPECT_EQ(pool.leftOverVowels(), byLetters.vowels());
    emptied += byLetters.missingMask() != pool.missingMask();
  }
  EXPECT_GT(emptied, 500);  // takes that used a letter up, the case the summaries can get wrong
}

}  // namespace
}  // namespace wk::test
