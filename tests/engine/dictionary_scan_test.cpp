// The dictionary scan: wildcard patterns, letter pools and group skips.
#include "engine/dict/dictionary_scan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/dict/dictionary.h"
#include "engine/dict/reader_state.h"
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
    Dictionary reader(path, false, 512);
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
  Dictionary reader(path, false, 512);
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
  Dictionary reader(path, false, 512);
  DictionaryScan scanner(reader, dict::kMaxSearchLength);
  std::string w;
  ASSERT_EQ(scanner.start("*", nullptr, 0, 0, w), DictionaryScan::kMatch);
  readerState().requestCancel();
  EXPECT_EQ(scanner.next(w), DictionaryScan::kCancelled);
  readerState().clearCancel();
}

TEST_F(DictionaryScanTest, WordsCheckedCountsEveryDecodedWord) {
  scan("*");
  EXPECT_EQ(readerState().wordsChecked(), 16u);
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

}  // namespace
}  // namespace wk::test
