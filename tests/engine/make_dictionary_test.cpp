// Making a dictionary from a word list: validation, order, runs, messages, cancel, clean-up.
#include "engine/compile/make_dictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "app/process_home.h"
#include "engine/base/file_ops.h"
#include "engine/base/paths.h"
#include "engine/base/wordkeg_exception.h"
#include "engine/compile/word_shape.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/word_order.h"
#include "test_home.h"

namespace wk::test {
namespace {

using Words = std::vector<std::string>;

class MakeDictionaryTest : public HomeTest {
 protected:
  bool make(const std::string& list, const std::string& name, bool unique = false) {
    MakeDictionaryFromFile operation(catalogue(), list, lexPath(name), unique);
    return operation.run() && operation.installed();
  }
  std::string numbered(int count, const char* lineEnd = "\n") {
    std::string text;
    for (int i = 0; i < count; ++i) {
      std::string w;
      for (int n = i; n || w.empty(); n /= 26) w += static_cast<char>('a' + n % 26);
      text += w + lineEnd;
    }
    return text;
  }
};

TEST(LineValidation, ShapeRulesOfTheWordList) {
  const std::pair<const char*, const char*> cases[] = {
      {"  Paris", "Paris"},    {"dog ", "dog"},
      {"DOG", "Dog"},          {"well-known", "well-known"},
      {"ab1", nullptr},        {"-ab", nullptr},
      {"ab-", nullptr},        {"a-b-c", nullptr},
      {"ab\t", nullptr},       {"abcdefghi", "abcdefghi"},
      {"abcdefghij", nullptr}, {"abcd-efghi", "abcd-efghi"},
      {"a b", nullptr},        {"   ", nullptr},
      {"caf\xE9", nullptr},
  };
  for (const auto& [line, expected] : cases) {
    std::string text = line;
    EXPECT_EQ(validateLine(text), expected != nullptr) << line;
    if (expected) {
      EXPECT_EQ(text, expected);
    }
  }
  // Why a line holds no word, as the make's summary counts it.
  const std::pair<const char*, LineVerdict> verdicts[] = {
      {"ab1", LineVerdict::kNotLetters},  {"ab\t", LineVerdict::kNotLetters},
      {"caf\xE9", LineVerdict::kNotLetters}, {"-ab", LineVerdict::kHyphens},
      {"ab-", LineVerdict::kHyphens},     {"a-b-c", LineVerdict::kHyphens},
      {"abcdefghij", LineVerdict::kTooLong}, {"abcd-efghij", LineVerdict::kTooLong},
      {"a b", LineVerdict::kSeveralWords}, {"   ", LineVerdict::kBlank},
      {"", LineVerdict::kBlank},          {" well-known ", LineVerdict::kWord},
  };
  for (const auto& [line, verdict] : verdicts) EXPECT_EQ(judgeLine(line), verdict) << line;
}

TEST_F(MakeDictionaryTest, ListIsValidatedSortedAndDeduplicated) {
  writeFile("list.txt", "  Paris\ndog \ndog\nDog\nwell-known\nab1\n");
  ASSERT_TRUE(make("list.txt", "d"));
  EXPECT_EQ(wordsOf(lexPath("d")), (Words{"Dog", "dog", "Paris", "well-known"}));
  DictionaryName* entry = app::processCatalogue().find(lexPath("d"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->header.wordCount, 4);
  EXPECT_EQ(entry->header.selected, 0);
}

TEST_F(MakeDictionaryTest, CrlfListAndLongLinesAsWholeLines) {
  // A long line is one line, too long: no piece of it passes for a word ("xyzabcd", "anism").
  writeFile("list.txt", "cat\r\ndog\r\nabcdefghijklmnopqrstuvwxyzabcd\r\n"
                        "antidisestablishmentarianism\n" + std::string(300, 'x') + "\n" +
                        std::string(40, ' ') + "emu\r\n");
  MakeDictionaryFromFile operation(catalogue(), "list.txt", lexPath("d"), false);
  ASSERT_TRUE(operation.run());
  EXPECT_EQ(wordsOf(lexPath("d")), (Words{"cat", "dog", "emu"}));
  EXPECT_EQ(operation.tally().words, 3);
  EXPECT_EQ(operation.tally().tooLong, 3);
  EXPECT_EQ(operation.tally().skipped(), 3);
}

TEST_F(MakeDictionaryTest, LineEndsAcrossPieceAndBlockBoundariesAndByteOrderMark) {
  // A CR LF split by the reader's 64 KiB block; a UTF-8 byte-order mark before the first word.
  std::string list = "\xEF\xBB\xBF" "ant\r\n" + std::string(19, ' ') + "cat\r\n";
  list += std::string(65536 - list.size() - 4, ' ') + "dog\r\nemu\r\n";
  ASSERT_EQ(list[65535], '\r');
  writeFile("list.txt", list);
  ASSERT_TRUE(make("list.txt", "d"));
  EXPECT_EQ(wordsOf(lexPath("d")), (Words{"ant", "cat", "dog", "emu"}));
}

TEST_F(MakeDictionaryTest, HyphenTwinsBetweenCopiesOfAWordKeepEachWordOnce) {
  // "co-op" and "coo-p" are equal in the dictionary order, so a sort may interleave them.
  writeFile("list.txt", "co-op\ncoo-p\nco-op\nc-oop\nco-op\ncoop\ncoo-p\n");
  ASSERT_TRUE(make("list.txt", "d"));
  Words words = wordsOf(lexPath("d"));
  std::sort(words.begin(), words.end());
  EXPECT_EQ(words, (Words{"c-oop", "co-op", "coo-p", "coop"}));
  EXPECT_EQ(app::processCatalogue().find(lexPath("d"))->header.wordCount, 4);
}

TEST_F(MakeDictionaryTest, ManyRunsMergeIntoOneSortedDictionary) {
  writeFile("list.txt", numbered(20000));
  ASSERT_TRUE(make("list.txt", "big"));
  const Words words = wordsOf(lexPath("big"));
  EXPECT_EQ(words.size(), 20000u);
  EXPECT_TRUE(std::is_sorted(words.begin(), words.end(),
                             [](auto& a, auto& b) { return compareWords(a, b) < 0; }));
  EXPECT_TRUE(tempFiles().empty());
}

TEST_F(MakeDictionaryTest, ExactlyThreeThousandWordsLeaveAnEmptySecondRun) {
  writeFile("list.txt", numbered(3000));
  ASSERT_TRUE(make("list.txt", "d"));
  EXPECT_EQ(wordsOf(lexPath("d")).size(), 3000u);
}

TEST_F(MakeDictionaryTest, NoValidWordsIsReportedAndNothingIsLeft) {
  writeFile("list.txt", "12\n-x\n\n");
  MakeDictionaryFromFile operation(catalogue(), "list.txt", lexPath("d"), false);
  messages.shown.clear();  // the catalogue's scan of an empty directory said so
  EXPECT_FALSE(operation.run());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Your word list contains no valid words. No Dictionary has been created.");
  EXPECT_EQ(messages.shown[0].caption, "Warning");
  EXPECT_FALSE(fileExists(lexPath("d")));
  EXPECT_TRUE(tempFiles().empty());
}

TEST_F(MakeDictionaryTest, OverwriteKeepsOldAsBackup) {
  writeFile("one.txt", "cat\n");
  writeFile("two.txt", "dog\n");
  ASSERT_TRUE(make("one.txt", "d"));
  app::processCatalogue().setSelected(lexPath("d"), true);
  ASSERT_TRUE(make("two.txt", "d"));
  EXPECT_EQ(wordsOf(lexPath("d")), (Words{"dog"}));
  EXPECT_EQ(wordsOf(replaceExtension(lexPath("d"), "lxb")), (Words{"cat"}));
  EXPECT_EQ(app::processCatalogue().find(lexPath("d"))->header.selected, 0);
}

TEST_F(MakeDictionaryTest, LeftoverRunFilesAreNotMergedIn) {
  writeBytes(tempPath("$$tmp{{{.7"),
             std::vector<unsigned char>{7, ' ', ' ', ' ', ' ', ' ', ' ', ' ', 'z', 'z', 'z', 0});
  writeFile("list.txt", "cat\n");
  ASSERT_TRUE(make("list.txt", "d"));
  EXPECT_EQ(wordsOf(lexPath("d")), (Words{"cat"}));
}

TEST_F(MakeDictionaryTest, CancelLeavesOldDictionaryAndNoTemporaryFile) {
  writeFile("one.txt", "cat\n");
  ASSERT_TRUE(make("one.txt", "d"));
  writeFile("list.txt", numbered(10000));
  MakeDictionaryFromFile operation(catalogue(), "list.txt", lexPath("d"), false);
  operation.cancel();
  operation.run();
  EXPECT_FALSE(operation.installed());
  EXPECT_EQ(wordsOf(lexPath("d")), (Words{"cat"}));
  EXPECT_TRUE(tempFiles().empty());
}

TEST_F(MakeDictionaryTest, MissingSourceThrowsOpenError) {
  MakeDictionaryFromFile operation(catalogue(), "absent.txt", lexPath("d"), false);
  EXPECT_THROW(operation.run(), WordkegException);
  EXPECT_TRUE(tempFiles().empty());
}

TEST_F(MakeDictionaryTest, UniqueOnlyDropsWordsOtherDictionariesHold) {
  makeDictionary("other", {"cat", "x-ray"});
  writeFile("list.txt", "Cat\ncow\nxray\n");
  ASSERT_TRUE(make("list.txt", "d", true));
  EXPECT_EQ(wordsOf(lexPath("d")), (Words{"cow"}));
}

TEST_F(MakeDictionaryTest, ProgressReportsPhaseText) {
  MakeDictionaryFromFile operation(catalogue(), "list.txt", lexPath("d"), false);
  EXPECT_EQ(operation.progress().text, "");
  EXPECT_EQ(operation.progress().percent, 0);
}

}  // namespace
}  // namespace wk::test
