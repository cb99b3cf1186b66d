// The bytes of compiled dictionaries: worked examples, index entries and round trips.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/base/clock.h"
#include "engine/base/wordkeg_exception.h"
#include "engine/dict/compress_dictionary.h"
#include "engine/dict/dictionary.h"
#include "engine/dict/dictionary_header.h"
#include "engine/dict/word_order.h"
#include "test_home.h"

namespace wk::test {
namespace {

class DictionaryFormatTest : public HomeTest {
 protected:
  // The stream bytes after the header.
  std::vector<unsigned char> stream(const std::string& path) {
    auto bytes = readBytes(path);
    return std::vector<unsigned char>(bytes.begin() + dict::kStreamStart, bytes.end());
  }
  int32_t entry(const std::string& path, int length, char letter) {
    auto bytes = readBytes(path);
    return readInt32(bytes.data() + 4 * dict::indexSlot(length, letter));
  }
};

using Bytes = std::vector<unsigned char>;
constexpr int kStream = dict::kStreamStart;  // where the word stream starts

TEST_F(DictionaryFormatTest, WorkedRecordExamples) {
  EXPECT_EQ(stream(makeDictionary("rat", {"rat"})), (Bytes{0xFE, 0xFE, 0x00, 0x7E, 0xF4}));
  EXPECT_EQ(stream(makeDictionary("xray", {"x-ray"})),
            (Bytes{0xFE, 0xFE, 0xFE, 0x01, 0x01, 0xF8, 0x7E, 0xF9}));
  EXPECT_EQ(stream(makeDictionary("apple", {"Apple"})),
            (Bytes{0xFE, 0xFE, 0xFE, 0xFE, 0x02, 0x11, 0xF0, 0x40}));
}

TEST_F(DictionaryFormatTest, ThreeWordDictionaryBytesAndIndex) {
  setClockForTest([] { return 1000; });
  const std::string path = makeDictionary("abb", {"at", "be", "bee"});
  setClockForTest(nullptr);
  EXPECT_EQ(stream(path), (Bytes{0xFE, 0x00, 0x07, 0x00, 0xE2, 0xE5, 0xFE, 0x00, 0xE2, 0x16}));
  EXPECT_EQ(readBytes(path).size(), kStream + 10u);
  EXPECT_EQ(entry(path, 1, 'q'), kStream);
  EXPECT_EQ(entry(path, 2, 'a'), kStream + 1);
  EXPECT_EQ(entry(path, 2, 'b'), kStream + 3);
  EXPECT_EQ(entry(path, 2, 'c'), kStream + 6);
  EXPECT_EQ(entry(path, 2, 'z'), kStream + 6);
  EXPECT_EQ(entry(path, 3, 'a'), kStream + 7);
  EXPECT_EQ(entry(path, 3, 'b'), kStream + 7);
  EXPECT_EQ(entry(path, 3, 'c'), kStream + 10);
  EXPECT_EQ(entry(path, 20, 'z'), kStream + 10);
  auto bytes = readBytes(path);
  const auto header = DictionaryHeader::decode(bytes.data() + dict::kHeaderOffset);
  EXPECT_EQ(header.wordCount, 3);
  EXPECT_EQ(header.created, 1000);
  EXPECT_EQ(header.modified, 0);
  EXPECT_EQ(header.magic, 22961);
  EXPECT_EQ(header.selected, 0);
}

TEST_F(DictionaryFormatTest, EmptyDictionaryIsIndexAndHeaderOnly) {
  const std::string path = makeDictionary("empty", {});
  EXPECT_EQ(readBytes(path).size(), size_t{kStream});
  for (int l = 1; l <= dict::kMaxLength; ++l) EXPECT_EQ(entry(path, l, 'm'), kStream);
  EXPECT_TRUE(wordsOf(path).empty());
  CompressDictionary::createEmpty(lexPath("bare"));
  EXPECT_EQ(readBytes(lexPath("bare")).size(), size_t{kStream});
  EXPECT_TRUE(wordsOf(lexPath("bare")).empty());
}

TEST_F(DictionaryFormatTest, CapitalBeforeLowerTwinRestartsPrefix) {
  const auto s = stream(makeDictionary("twins", {"Apple", "apple"}));
  // Second record: prefix 0 because the previous word as written starts with 'A'.
  EXPECT_EQ(s[8], 0x00);
  EXPECT_EQ(wordsOf(lexPath("twins")), (std::vector<std::string>{"Apple", "apple"}));
}

TEST_F(DictionaryFormatTest, HyphenatedTwinTakesWholePrefix) {
  const auto s = stream(makeDictionary("xr", {"xray", "x-ray"}));
  const Bytes second(s.end() - 2, s.end());
  EXPECT_EQ(second, (Bytes{0x11, 0x01}));  // prefix 4, hyphenated, hyphen at 1, no codes
  EXPECT_EQ(wordsOf(lexPath("xr")), (std::vector<std::string>{"xray", "x-ray"}));
}

TEST_F(DictionaryFormatTest, RoundTripKeepsEveryWordAsWritten) {
  const std::vector<std::string> words = {
      "a",   "I",    "ab",   "ox",      "Zu",      "cat",       "co-op",     "Dog",
      "dog", "Jazz", "jazz", "quizzes", "x-rayed", "zzzzzzzzz", "aaaaaaaaa", "Paris"};
  std::vector<std::string> sorted = words;
  std::sort(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return compareWords(a, b) < 0; });
  const std::string path = makeDictionary("mixed", sorted);
  EXPECT_EQ(wordsOf(path), sorted);
}

TEST_F(DictionaryFormatTest, WriterDropsRepeatAndCountsOnce) {
  CompressDictionary writer(lexPath("rep"));
  writer.addWord("dog");
  writer.addWord("dog");
  EXPECT_EQ(writer.wordCount(), 1);
  writer.finish();
  EXPECT_EQ(wordsOf(lexPath("rep")), (std::vector<std::string>{"dog"}));
}

TEST_F(DictionaryFormatTest, WriterDestroyedUnfinishedStillWritesCompleteFile) {
  {
    CompressDictionary writer(lexPath("open"));
    writer.addWord("cat");
    writer.addWord("dog");
  }
  EXPECT_EQ(wordsOf(lexPath("open")), (std::vector<std::string>{"cat", "dog"}));
}

TEST_F(DictionaryFormatTest, WriterRefusesWordsThatWouldCorruptTheFile) {
  CompressDictionary writer(lexPath("bad"));
  writer.addWord("dog");
  EXPECT_THROW(writer.addWord("cat"), WordkegException);   // out of order
  EXPECT_THROW(writer.addWord("dOgs"), WordkegException);  // capital inside
  EXPECT_THROW(writer.addWord("do-"), WordkegException);   // trailing hyphen
  EXPECT_THROW(writer.addWord("d1g"), WordkegException);
  writer.addWord("dogs");
  writer.finish();
  EXPECT_EQ(wordsOf(lexPath("bad")), (std::vector<std::string>{"dog", "dogs"}));
}

TEST_F(DictionaryFormatTest, WriteFailureIsReportedNotSilent) {
  FileSizeLimit full(4000);
  if (!full.active()) GTEST_SKIP() << "no file size limit on this platform";
  CompressDictionary writer(lexPath("x"));
  for (char a = 'a'; a <= 'z'; ++a)
    for (char b = 'a'; b <= 'z'; ++b)
      for (char c = 'a'; c <= 'z'; ++c) writer.addWord(std::string{a, b, c});
  EXPECT_THROW(writer.finish(), WordkegException);
}

}  // namespace
}  // namespace wk::test
