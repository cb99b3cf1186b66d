// Word lookups and adding or removing one word.
#include "engine/dict/word_lookup.h"

#include <gtest/gtest.h>

#include "app/process_home.h"
#include "engine/base/clock.h"
#include "engine/base/file_ops.h"
#include "engine/base/paths.h"
#include "engine/base/wordkeg_exception.h"
#include "engine/compile/merge_dictionaries.h"
#include "engine/dict/dictionary.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/operation_context.h"
#include "test_home.h"

namespace wk::test {
namespace {

using Words = std::vector<std::string>;

class WordUpdateTest : public HomeTest {};

TEST_F(WordUpdateTest, AddCapitalBeforeItsLowerTwin) {
  makeDictionary("d", {"pear", "apple"});
  EXPECT_EQ(updateDictionary(catalogue(), lexPath("d"), "Apple", UpdateMode::kAdd), update_result::kDone);
  EXPECT_EQ(wordsOf(lexPath("d")), (Words{"pear", "Apple", "apple"}));
  EXPECT_EQ(updateDictionary(catalogue(), lexPath("d"), "Apple", UpdateMode::kAdd),
            update_result::kAlreadyPresent);
  EXPECT_EQ(wordsOf(replaceExtension(lexPath("d"), "lxb")), (Words{"pear", "apple"}));
  EXPECT_FALSE(fileExists(kUpdateFile));
}

TEST_F(WordUpdateTest, AddToMissingDictionaryCreatesAndCatalogues) {
  setClockForTest([] { return 5000; });
  EXPECT_EQ(updateDictionary(catalogue(), lexPath("new"), "zebra", UpdateMode::kAdd), update_result::kDone);
  setClockForTest(nullptr);
  EXPECT_EQ(wordsOf(lexPath("new")), (Words{"zebra"}));
  const DictionaryName* entry = app::processCatalogue().find(lexPath("new"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->header.wordCount, 1);
  EXPECT_EQ(entry->header.modified, 0);
  EXPECT_EQ(entry->header.created, 5000);
}

TEST_F(WordUpdateTest, UpdateKeepsCreatedAndSelectionAndStampsModified) {
  setClockForTest([] { return 100; });
  makeDictionary("d", {"cat"});
  app::processCatalogue().setSelected(lexPath("d"), true);
  setClockForTest([] { return 900; });
  EXPECT_EQ(updateDictionary(catalogue(), lexPath("d"), "zoo", UpdateMode::kAdd), update_result::kDone);
  setClockForTest(nullptr);
  const DictionaryName* entry = app::processCatalogue().find(lexPath("d"));
  EXPECT_EQ(entry->header.created, 100);
  EXPECT_EQ(entry->header.modified, 900);
  EXPECT_EQ(entry->header.selected, 1);
  EXPECT_EQ(wordsOf(lexPath("d")), (Words{"cat", "zoo"}));
  // Another copy deselects it while this one adds: the add keeps that change.
  {
    std::FILE* f = std::fopen(lexPath("d").c_str(), "r+b");
    ASSERT_NE(f, nullptr);
    std::fseek(f, dict::kHeaderOffset + dict::kSelectedField, SEEK_SET);
    std::fputc(0, f);
    std::fclose(f);
  }
  EXPECT_EQ(updateDictionary(catalogue(), lexPath("d"), "yak", UpdateMode::kAdd), update_result::kDone);
  EXPECT_EQ(app::processCatalogue().find(lexPath("d"))->header.selected, 0);
}

TEST_F(WordUpdateTest, RemoveOnlyWordLeavesEmptyDictionaryAndMissingWordIsReported) {
  makeDictionary("d", {"cat"});
  EXPECT_EQ(updateDictionary(catalogue(), lexPath("d"), "dog", UpdateMode::kRemove), update_result::kNotPresent);
  EXPECT_EQ(updateDictionary(catalogue(), lexPath("d"), "cat", UpdateMode::kRemove), update_result::kDone);
  EXPECT_TRUE(wordsOf(lexPath("d")).empty());
  EXPECT_EQ(app::processCatalogue().find(lexPath("d"))->header.wordCount, 0);
}

TEST_F(WordUpdateTest, CancelLeavesDictionaryAndNoTemporaryFile) {
  const std::string path = makeDictionary("d", {"cat", "dog", "emu"});
  const auto before = readBytes(path);
  // An open outer reader keeps the update's readers from clearing the raised flag.
  Dictionary outer(context, path, false, 512);
  context.requestCancel();
  EXPECT_EQ(updateDictionary(context, catalogue(), path, "fox", UpdateMode::kAdd),
            update_result::kCancelled);
  context.clearCancel();
  EXPECT_EQ(readBytes(path), before);
  EXPECT_FALSE(fileExists(kUpdateFile));
  EXPECT_FALSE(fileExists(replaceExtension(path, "lxb")));
}

TEST_F(WordUpdateTest, DamagedDictionaryThrowsAndLeavesNothingBehind) {
  const std::string path = makeDictionary("d", {"cat", "dog"});
  auto bytes = readBytes(path);
  bytes[bytes.size() - 1] = 0xD5;
  writeBytes(path, bytes);
  EXPECT_THROW(updateDictionary(catalogue(), path, "cow", UpdateMode::kAdd), WordkegException);
  EXPECT_FALSE(fileExists(kUpdateFile));
  EXPECT_EQ(readBytes(path), bytes);
}

TEST_F(WordUpdateTest, LookupsAcrossTheCatalogue) {
  makeDictionary("a", {"zoo", "x-ray"});
  makeDictionary("b", {"xray"});
  makeDictionary("c", {"cat"});
  EXPECT_EQ(dictionariesHolding(catalogue(), "x-ray"), "\na.lex");
  EXPECT_EQ(dictionariesHolding(catalogue(), "xray"), "\nb.lex");
  EXPECT_EQ(dictionariesHolding(catalogue(), "dog"), "");
  EXPECT_FALSE(wordAbsentElsewhere(catalogue(), "Xray", lexPath("c")));
  EXPECT_TRUE(wordAbsentElsewhere(catalogue(), "cat", lexPath("c")));
  EXPECT_TRUE(wordAbsentElsewhere(catalogue(), "zoo", lexPath("a")));
}

TEST_F(WordUpdateTest, MergeUnionsWordsAndInstallsWithBackup) {
  makeDictionary("a", {"ant", "cat", "dog"});
  makeDictionary("b", {"Cat", "cat", "emu"});
  makeDictionary("t", {"old"});
  const std::string out = tempPath("merged");
  MergeDictionaries merge(catalogue(), {lexPath("a"), lexPath("b")}, out);
  ASSERT_TRUE(merge.run());
  ASSERT_TRUE(installMerged(catalogue(), out, lexPath("t")));
  EXPECT_EQ(wordsOf(lexPath("t")), (Words{"ant", "Cat", "cat", "dog", "emu"}));
  EXPECT_EQ(app::processCatalogue().find(lexPath("t"))->header.wordCount, 5);
  EXPECT_EQ(wordsOf(replaceExtension(lexPath("t"), "lxb")), (Words{"old"}));
  EXPECT_EQ(merge.progress().text, "Merging Files");
}

TEST_F(WordUpdateTest, MergeOfSixAndOfEmptyDictionaries) {
  std::vector<std::string> inputs;
  for (char c = 'a'; c < 'g'; ++c)
    inputs.push_back(makeDictionary(std::string(1, c), {std::string(3, c)}));
  const std::string out = tempPath("merged");
  {
    MergeDictionaries merge(catalogue(), inputs, out);
    ASSERT_TRUE(merge.run());
  }
  EXPECT_EQ(wordsOf(out), (Words{"aaa", "bbb", "ccc", "ddd", "eee", "fff"}));
  EXPECT_EQ(tempFiles(), (Words{"merged"}));
  removeFile(out);
  MergeDictionaries empty(catalogue(), {makeDictionary("e1", {}), makeDictionary("e2", {})}, out);
  ASSERT_TRUE(empty.run());
  EXPECT_TRUE(wordsOf(out).empty());
}

TEST_F(WordUpdateTest, FailedInstallKeepsTheOldDictionary) {
  makeDictionary("t", {"old"});
  EXPECT_FALSE(installMerged(catalogue(), tempPath("absent"), lexPath("t")));
  EXPECT_EQ(wordsOf(lexPath("t")), (Words{"old"}));
  EXPECT_NE(messages.shown.back().text.find("could not rename"), std::string::npos);
}

}  // namespace
}  // namespace wk::test
