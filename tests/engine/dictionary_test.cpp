// The reader: process-wide limits, memory mode, and damaged files of every kind (read from
// memory, through the reader's byte source).
#include "engine/dict/dictionary.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "engine/base/wordkeg_exception.h"
#include "engine/dict/dictionary_scan.h"
#include "engine/dict/operation_context.h"
#include "engine/dict/shared_dictionary.h"
#include "engine/dict/word_order.h"
#include "test_home.h"

namespace wk::test {
namespace {

class DictionaryReaderTest : public HomeTest {};

using Bytes = std::vector<unsigned char>;

// Reads every word of `reader`, or throws for a damaged file; counts the words read.
int readAll(Dictionary& reader) {
  reader.seek(1, 'a');
  int n = 0;
  while (reader.readNext()) ++n;
  return n;
}

std::unique_ptr<ByteSource> inMemory(Bytes bytes) {
  return std::make_unique<MemorySource>(std::move(bytes));
}

int readAll(Bytes bytes, bool memory) {
  OperationContext context;
  Dictionary reader(context, inMemory(std::move(bytes)), "memory.lex", memory, 512);
  return readAll(reader);
}

// Offsets in a dictionary file.
constexpr int kStream = dict::kStreamStart;
constexpr int kMagicByte = dict::kHeaderOffset + dict::kMagicField;

TEST_F(DictionaryReaderTest, SixteenthReaderYieldsNothingAndOthersCarryOn) {
  const std::string path = makeDictionary("d", {"cat", "dog"});
  std::vector<std::unique_ptr<Dictionary>> readers;
  for (int i = 0; i < 15; ++i)
    readers.push_back(std::make_unique<Dictionary>(context, path, false, 512));
  Dictionary extra(context, path, false, 512);
  EXPECT_TRUE(extra.inert());
  EXPECT_TRUE(context.tooMany());
  std::string word;
  EXPECT_EQ(DictionaryScan(extra, dict::kMaxSearchLength).start("*", nullptr, 0, 0, word), DictionaryScan::kExhausted);
  EXPECT_FALSE(context.tooMany());
  EXPECT_EQ(DictionaryScan(*readers[3], dict::kMaxSearchLength).start("*", nullptr, 0, 0, word), DictionaryScan::kMatch);
  EXPECT_EQ(word, "cat");
}

TEST_F(DictionaryReaderTest, MemoryModeOnlyForFirstReaderOfSmallFile) {
  const std::string small = makeDictionary("small", {"cat", "dog"});
  {
    Dictionary first(context, small, true, 512);
    EXPECT_TRUE(context.memoryMode());
    Dictionary nested(context, small, true, 512);
    nested.seek(3, 'd');
    ASSERT_TRUE(nested.readNext());
    EXPECT_EQ(nested.asWritten(), "dog");
  }
  EXPECT_FALSE(context.memoryMode());
  {
    Dictionary first(context, small, false, 512);
    Dictionary second(context, small, true, 512);  // not the first: no effect
    EXPECT_FALSE(context.memoryMode());
  }
  // A file of exactly the limit is read as a stream.
  auto bytes = readBytes(small);
  const int32_t end = static_cast<int32_t>(bytes.size());
  bytes.resize(dict::kMemoryLimit, 0);
  for (int i = 0; i < dict::kIndexEntries; ++i)
    if (readInt32(bytes.data() + 4 * i) == end) writeInt32(bytes.data() + 4 * i, dict::kMemoryLimit);
  Dictionary big(context, inMemory(bytes), "limit.lex", true, 512);
  EXPECT_FALSE(context.memoryMode());
}

// Scans count the groups they pass from a table of them, used only when the index leads to each
// group as a seek does: a made dictionary always, a misleading index never.
TEST_F(DictionaryReaderTest, GroupTableOnlyWhereTheIndexAgrees) {
  const std::string path = makeDictionary("g", {"a", "ant", "Bee", "cat", "cow", "dog", "eagle"});
  auto bytes = readBytes(path);
  {
    Dictionary reader(context, inMemory(bytes), "g.lex", true, 512);
    const GroupTable& groups = reader.decoded()->groups;
    ASSERT_TRUE(groups.usable);
    EXPECT_EQ(groups.filled[3], 1u << 0 | 1u << 1 | 1u << 2 | 1u << 3);  // ant bee cat,cow dog
    EXPECT_EQ(groups.filled[5], 1u << 4);
    EXPECT_EQ(groups.begin[3][2], 3u);
    EXPECT_EQ(groups.size[3][2], 2u);
  }
  // Still ascending, but the seek to (3, 'd') would land on the c group.
  const int32_t c = readInt32(bytes.data() + 4 * dict::indexSlot(3, 'c'));
  writeInt32(bytes.data() + 4 * dict::indexSlot(3, 'd'), c);
  Dictionary reader(context, inMemory(bytes), "g.lex", true, 512);
  EXPECT_FALSE(reader.decoded()->groups.usable);
  EXPECT_EQ(readAll(reader), 7);
}

TEST_F(DictionaryReaderTest, MissingFileIsReportedAndThrown) {
  EXPECT_THROW(Dictionary(context, lexPath("nope"), false, 512), WordkegException);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Unable to open Dictionary: " + lexPath("nope"));
  EXPECT_EQ(messages.shown[0].caption, "File Error");
  EXPECT_EQ(context.openReaders(), 0);
}

TEST_F(DictionaryReaderTest, DamagedFilesThrowInsteadOfMisreading) {
  const std::string good = makeDictionary("good", {"at", "be", "bee"});
  const auto bytes = readBytes(good);
  ASSERT_EQ(readAll(bytes, false), 3);
  ASSERT_EQ(readAll(bytes, true), 3);
  auto damage = [&](auto change) {
    auto copy = bytes;
    change(copy);
    return copy;
  };
  const std::vector<Bytes> damaged = {
      damage([](auto& b) { b.resize(2000); }),
      damage([](auto& b) { b[kMagicByte] = 0; }),
      damage([](auto& b) { writeInt32(b.data() + 8, 99999); }),  // an index entry past the end
      damage([](auto& b) {  // index entries going backwards
        writeInt32(b.data() + 4 * 30, kStream + 1);
        writeInt32(b.data() + 4 * 29, kStream + 6);
      }),
      damage([](auto& b) { b[kStream + 2] = 0xFF; }),
      damage([](auto& b) { b[kStream + 1] = 0x7C; }),  // a prefix longer than the word before
      damage([](auto& b) { b.resize(b.size() - 1); }),
      damage([](auto& b) { b[kStream + 5] = 0x01; }),  // a record longer than its length
      damage([](auto& b) { b[kStream + 2] = 0xD5; }),  // a code that is neither pair nor letter
      damage([](auto& b) {  // more separators than lengths
        b.resize(kStream);
        b.insert(b.end(), 30, 0xFE);
      }),
  };
  for (size_t i = 0; i < damaged.size(); ++i) {
    EXPECT_THROW(readAll(damaged[i], false), WordkegException) << "damage " << i;
    EXPECT_THROW(readAll(damaged[i], true), WordkegException) << "damage " << i;
  }
  EXPECT_EQ(context.openReaders(), 0);
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
    for (bool memory : {false, true}) {
      try {
        Dictionary reader(context, inMemory(copy), "fuzz.lex", memory, 256);
        DictionaryScan scan(reader, dict::kMaxSearchLength);
        SrcLetters pool;
        pool.set("aprtnow");
        std::string w;
        for (int r = scan.start("?a*", &pool, 0, 0, w); r == DictionaryScan::kMatch;
             r = scan.next(w)) {
        }
        readAll(copy, memory);
      } catch (const WordkegException&) {
      }
    }
  }
  EXPECT_EQ(context.openReaders(), 0);
}

}  // namespace
}  // namespace wk::test
