// The reader: process-wide limits, memory mode, and damaged files of every kind.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "engine/base/wordkeg_exception.h"
#include "engine/dict/dictionary.h"
#include "engine/dict/dictionary_scan.h"
#include "engine/dict/reader_state.h"
#include "engine/dict/word_order.h"
#include "test_home.h"

namespace wk::test {
namespace {

class DictionaryReaderTest : public HomeTest {};

// Reads every word, or throws for a damaged file; counts the words read.
int readAll(const std::string& path, bool memory) {
  Dictionary reader(path, memory, 512);
  reader.seek(1, 'a');
  int n = 0;
  while (reader.readNext()) ++n;
  return n;
}

TEST_F(DictionaryReaderTest, SixteenthReaderYieldsNothingAndOthersCarryOn) {
  const std::string path = makeDictionary("d", {"cat", "dog"});
  std::vector<std::unique_ptr<Dictionary>> readers;
  for (int i = 0; i < 15; ++i) readers.push_back(std::make_unique<Dictionary>(path, false, 512));
  Dictionary extra(path, false, 512);
  EXPECT_TRUE(extra.inert());
  EXPECT_TRUE(readerState().tooMany);
  std::string word;
  EXPECT_EQ(DictionaryScan(extra).start("*", nullptr, 0, 0, word), DictionaryScan::kExhausted);
  EXPECT_FALSE(readerState().tooMany);
  EXPECT_EQ(DictionaryScan(*readers[3]).start("*", nullptr, 0, 0, word), DictionaryScan::kMatch);
  EXPECT_EQ(word, "cat");
}

TEST_F(DictionaryReaderTest, MemoryModeOnlyForFirstReaderOfSmallFile) {
  const std::string small = makeDictionary("small", {"cat", "dog"});
  {
    Dictionary first(small, true, 512);
    EXPECT_TRUE(readerState().memoryMode());
    Dictionary nested(small, true, 512);
    nested.seek(3, 'd');
    ASSERT_TRUE(nested.readNext());
    EXPECT_EQ(nested.asWritten(), "dog");
  }
  EXPECT_FALSE(readerState().memoryMode());
  {
    Dictionary first(small, false, 512);
    Dictionary second(small, true, 512);  // not the first: no effect
    EXPECT_FALSE(readerState().memoryMode());
  }
  // A file of exactly the limit is read as a stream.
  auto bytes = readBytes(small);
  bytes.resize(dict::kMemoryLimit, 0);
  for (int i = 0; i < dict::kIndexEntries; ++i)
    if (readInt32(bytes.data() + 4 * i) == 2106)
      writeInt32(bytes.data() + 4 * i, dict::kMemoryLimit);
  writeBytes(lexPath("limit"), bytes);
  Dictionary big(lexPath("limit"), true, 512);
  EXPECT_FALSE(readerState().memoryMode());
}

TEST_F(DictionaryReaderTest, MissingFileIsReportedAndThrown) {
  EXPECT_THROW(Dictionary(lexPath("nope"), false, 512), WordkegException);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Unable to open Dictionary: " + lexPath("nope"));
  EXPECT_EQ(messages.shown[0].caption, "File Error");
  EXPECT_EQ(readerState().openReaders, 0);
}

TEST_F(DictionaryReaderTest, DamagedFilesThrowInsteadOfMisreading) {
  const std::string good = makeDictionary("good", {"at", "be", "bee"});
  const auto bytes = readBytes(good);
  auto damage = [&](const char* name, auto change) {
    auto copy = bytes;
    change(copy);
    writeBytes(lexPath(name), copy);
    return lexPath(name);
  };
  const std::vector<std::string> damaged = {
      damage("short", [](auto& b) { b.resize(2000); }),
      damage("magic", [](auto& b) { b[2092] = 0; }),
      damage("index", [](auto& b) { writeInt32(b.data() + 8, 99999); }),
      damage("backward",
             [](auto& b) {
               writeInt32(b.data() + 4 * 30, 2097);
               writeInt32(b.data() + 4 * 29, 2102);
             }),
      damage("ff", [](auto& b) { b[2098] = 0xFF; }),
      damage("prefix", [](auto& b) { b[2097] = 0x7C; }),
      damage("truncated", [](auto& b) { b.pop_back(); }),
      damage("overlong", [](auto& b) { b[2101] = 0x01; }),
      damage("badcode", [](auto& b) { b[2098] = 0xD5; }),
      damage("toolong",
             [](auto& b) {
               b.resize(2096);
               b.insert(b.end(), 30, 0xFE);
             }),
  };
  for (const auto& path : damaged) {
    EXPECT_THROW(readAll(path, false), WordkegException) << path;
    EXPECT_THROW(readAll(path, true), WordkegException) << path;
  }
  EXPECT_EQ(readerState().openReaders, 0);
}

TEST_F(DictionaryReaderTest, RandomCorruptionNeverCrashesOrHangs) {
  std::vector<std::string> words;
  for (char a = 'a'; a <= 'z'; ++a)
    for (const char* rest : {"", "a", "nt", "pple", "rrow"})
      words.push_back(std::string(1, a) + rest);
  std::sort(words.begin(), words.end(), [](auto& x, auto& y) { return compareWords(x, y) < 0; });
  const auto bytes = readBytes(makeDictionary("base", words));
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    auto copy = bytes;
    for (int k = 0; k < 1 + round % 6; ++k)
      copy[random() % copy.size()] = static_cast<unsigned char>(random());
    if (round % 7 == 0) copy.resize(copy.size() - random() % 40);
    writeBytes(lexPath("fuzz"), copy);
    for (bool memory : {false, true}) {
      try {
        Dictionary reader(lexPath("fuzz"), memory, 256);
        DictionaryScan scan(reader);
        SrcLetters pool;
        pool.set("aprtnow");
        std::string w;
        for (int r = scan.start("?a*", &pool, 0, 0, w); r == DictionaryScan::kMatch;
             r = scan.next(w)) {
        }
        readAll(lexPath("fuzz"), memory);
      } catch (const WordkegException&) {
      }
    }
  }
  EXPECT_EQ(readerState().openReaders, 0);
}

}  // namespace
}  // namespace wk::test
