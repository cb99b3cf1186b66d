// The dictionary order, as the words compare and as run records compare.
#include "engine/dict/word_order.h"

#include <gtest/gtest.h>

#include "engine/compile/run_record.h"

namespace wk {
namespace {

int sign(int v) {
  return (v > 0) - (v < 0);
}

int recordOrder(const std::string& a, const std::string& b) {
  unsigned char ra[run_record::kSize], rb[run_record::kSize];
  run_record::make(a, ra);
  run_record::make(b, rb);
  return run_record::compare(ra, rb);
}

struct Case {
  const char* a;
  const char* b;
  int expected;
};

TEST(WordOrder, FewerLettersFirstThenCaseBlindLettersCapitalFirst) {
  const Case cases[] = {
      {"ab", "cab", -1},     {"cab", "Cat", -1},   {"Cat", "cat", -1},     {"cab", "cat", -1},
      {"Zoo", "ant", 1},     {"Bat", "ant", 1},    {"apple", "Apply", -1}, {"coop", "co-op", -1},
      {"co-op", "coo-p", 0}, {"x-ray", "xray", 1}, {"a-b", "ab", 1},       {"ab", "a-bc", -1},
      {"dog", "dog", 0},     {"Dog", "Dog", 0},    {"Dog", "dogs", -1},    {"zz", "aaa", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sign(compareWords(c.a, c.b)), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(sign(compareWords(c.b, c.a)), -c.expected) << c.b << " vs " << c.a;
    EXPECT_EQ(sign(recordOrder(c.a, c.b)), c.expected) << "records " << c.a << " vs " << c.b;
  }
}

TEST(WordOrder, HyphenDoesNotCountAsALetter) {
  EXPECT_EQ(letterCount("well-known"), 9);
  EXPECT_LT(compareWords("well-known", "abcdefghij"), 0);
}

TEST(RunRecord, LayoutIsRightAlignedWithHyphenBit) {
  unsigned char r[run_record::kSize];
  run_record::make("co-op", r);
  EXPECT_EQ(r[0], 0x80 | 5);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(r) + 1, 10), "     co-op");
  EXPECT_EQ(r[11], 0);
  EXPECT_EQ(run_record::word(r), "co-op");
}

TEST(RunRecord, DamagedHeaderYieldsEmptyWordNotAnOverread) {
  unsigned char r[run_record::kSize] = {0x7F, 'a'};
  EXPECT_TRUE(run_record::word(r).empty());
}

}  // namespace
}  // namespace wk
