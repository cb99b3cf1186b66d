// The dictionary dialogs' message sequences, with every question answered Yes and No.
#include "app/dictionary_dialogs.h"

#include <gtest/gtest.h>

#include "../engine/test_home.h"
#include "engine/base/file_ops.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "engine/base/wordkeg_exception.h"
#include "engine/dict/dictionary_names.h"

namespace wk::test {
namespace {

using app::Outcome;
using Words = std::vector<std::string>;

// Runs operations at once on the calling thread; an exception ends them as failed, as the
// progress dialog does, and is recorded.
struct FakeHost : app::DialogHost {
  std::vector<int> statuses;
  std::vector<std::string> exceptions;
  int listsShown = 0;
  void setStatus(int id) override { statuses.push_back(id); }
  void showDictionaryList() override { ++listsShown; }
  RunOutcome runOperation(Operation& operation) override {
    try {
      return operation.run() ? RunOutcome::kCompleted : RunOutcome::kFailed;
    } catch (const WordkegException& e) {
      exceptions.push_back(e.text());
      return RunOutcome::kFailed;
    }
  }
};

class DictionaryDialogsTest : public HomeTest {
 protected:
  std::string text(size_t i = 0) const {
    return i < messages.shown.size() ? messages.shown[i].text : "";
  }
  std::string caption(size_t i = 0) const {
    return i < messages.shown.size() ? messages.shown[i].caption : "";
  }
  // The style of message `i`: its buttons, icon and default button.
  unsigned style(size_t i = 0) const {
    return i < messages.shown.size() ? messages.shown[i].style : ~0u;
  }
  void scan() {
    DictionaryNames::instance();
    messages.shown.clear();
  }
  FakeHost host;
};

TEST_F(DictionaryDialogsTest, MakeChecksInOrder) {
  scan();
  EXPECT_EQ(app::makeDictionary(host, "", "d", false), Outcome::kRefused);
  EXPECT_EQ(text(), "You must supply a File Name and a Dictionary Name.");
  EXPECT_EQ(caption(), "Error");
  EXPECT_EQ(app::makeDictionary(host, "absent.txt", "d", false), Outcome::kRefused);
  EXPECT_EQ(text(1), "Unable to find File: absent.txt");
  EXPECT_EQ(host.statuses, (std::vector<int>{kBlankStatus, kBlankStatus}));
}

TEST_F(DictionaryDialogsTest, MakeOverwriteAskedNoThenYes) {
  writeFile("list.txt", "cat\n");
  makeDictionary("d", {"dog"});
  scan();
  EXPECT_EQ(app::makeDictionary(host, "list.txt", "d", false), Outcome::kNothingDone);
  EXPECT_EQ(text(), "Dictionary already exists. Overwrite?");
  EXPECT_EQ(caption(), "Warning");
  EXPECT_EQ(style(), mb::kYesNo);  // no icon
  EXPECT_EQ(wordsOf(lexPath("d")), Words{"dog"});
  messages.answers = {mb::kIdYes};
  EXPECT_EQ(app::makeDictionary(host, "list.txt", "d", false), Outcome::kDone);
  EXPECT_EQ(wordsOf(lexPath("d")), Words{"cat"});
  EXPECT_EQ(host.statuses.back(), kCreatedOk);
}

TEST_F(DictionaryDialogsTest, MakeWithoutValidWordsShowsNoSuccess) {
  writeFile("list.txt", "123\n");
  scan();
  EXPECT_EQ(app::makeDictionary(host, "list.txt", "d", false), Outcome::kRefused);
  EXPECT_EQ(text(), "Your word list contains no valid words. No Dictionary has been created.");
  EXPECT_EQ(host.statuses, std::vector<int>{kBlankStatus});
}

TEST_F(DictionaryDialogsTest, MergeChecksAndOverwrite) {
  makeDictionary("a", {"ant"});
  makeDictionary("b", {"bee"});
  makeDictionary("t", {"old"});
  scan();
  EXPECT_EQ(app::mergeDictionaries(host, {"a.lex"}, "n", false), Outcome::kRefused);
  EXPECT_EQ(text(),
            "You must select 2 or more dictionaries from the dictionary list to merge together");
  EXPECT_EQ(caption(), "Incomplete Information");
  EXPECT_EQ(app::mergeDictionaries(host, {"a.lex", "b.lex"}, "", false), Outcome::kRefused);
  EXPECT_EQ(text(1), "You must enter the name of your new Dictinary");
  EXPECT_EQ(app::mergeDictionaries(host, {"a.lex", "b.lex"}, "t", false), Outcome::kNothingDone);
  EXPECT_EQ(
      text(2),
      "The Dictionary t.lex already exists.\n Do you wish to overwrite it with a new dictionary.");
  EXPECT_EQ(caption(2), "Confirm");
  EXPECT_EQ(style(2), mb::kYesNo);
  messages.answers = {mb::kIdYes};
  EXPECT_EQ(app::mergeDictionaries(host, {"a.lex", "b.lex"}, "t", false), Outcome::kDone);
  EXPECT_EQ(wordsOf(lexPath("t")), (Words{"ant", "bee"}));
  EXPECT_EQ(host.statuses.back(), kMergedOk);
}

TEST_F(DictionaryDialogsTest, MergeDeletingSourcesAsksAndNoKeepsThem) {
  makeDictionary("a", {"ant"});
  makeDictionary("b", {"bee"});
  scan();
  EXPECT_EQ(app::mergeDictionaries(host, {"a.lex", "b.lex"}, "n", true), Outcome::kDone);
  EXPECT_EQ(text().rfind("If you delete these dictionaries", 0), 0u);
  EXPECT_NE(text().find("\na.lex\nb.lex\n\nAre you sure"), std::string::npos);
  EXPECT_TRUE(fileExists(lexPath("a")));
  EXPECT_TRUE(fileExists(lexPath("n")));
  messages.answers = {mb::kIdYes};
  EXPECT_EQ(app::mergeDictionaries(host, {"a.lex", "b.lex"}, "m", true), Outcome::kDone);
  EXPECT_FALSE(fileExists(lexPath("a")));
  EXPECT_TRUE(fileExists(replaceExtension(lexPath("b"), "lxb")));
  EXPECT_EQ(wordsOf(lexPath("m")), (Words{"ant", "bee"}));
  EXPECT_EQ(host.statuses.back(), kMergedOk);
}

// Records, with each question, whether the watched file existed while it was up.
struct WatchingMessages : FakeMessages {
  std::string watched;
  std::vector<bool> present;
  int show(const std::string& t, const std::string& c, unsigned s) override {
    present.push_back(fileExists(watched));
    return FakeMessages::show(t, c, s);
  }
};

TEST_F(DictionaryDialogsTest, MergeAsksAboutTheSourcesBeforeInstalling) {
  makeDictionary("a", {"ant"});
  makeDictionary("b", {"bee"});
  makeDictionary("t", {"old"});
  scan();
  WatchingMessages watching;
  watching.watched = replaceExtension(lexPath("t"), "lxb");
  watching.answers = {mb::kIdYes, mb::kIdYes};
  MessagePort* previous = installMessagePort(&watching);
  EXPECT_EQ(app::mergeDictionaries(host, {"a.lex", "b.lex"}, "t", true), Outcome::kDone);
  installMessagePort(previous);
  ASSERT_EQ(watching.shown.size(), 2u);
  EXPECT_EQ(watching.shown[1].text.rfind("If you delete these dictionaries", 0), 0u);
  EXPECT_EQ(watching.present, (std::vector<bool>{false, false}))
      << "the old target was backed up before the delete question";
  EXPECT_EQ(wordsOf(lexPath("t")), (Words{"ant", "bee"}));
  EXPECT_FALSE(fileExists(lexPath("a")));
}

TEST_F(DictionaryDialogsTest, DeleteAsksAndReportsFailures) {
  makeDictionary("a", {"ant"});
  makeDictionary("b", {"bee"});
  scan();
  EXPECT_EQ(app::deleteDictionaries(host, {}), Outcome::kRefused);
  EXPECT_EQ(text(), "You must highlight one or more dictionaries for deletion.");
  EXPECT_EQ(app::deleteDictionaries(host, {"a.lex"}), Outcome::kNothingDone);
  EXPECT_EQ(style(1), mb::kYesNo | mb::kDefButton2);  // Enter answers No; no icon
  EXPECT_TRUE(fileExists(lexPath("a")));
  std::filesystem::create_directories(replaceExtension(lexPath("a"), "lxb") + "/inside");
  messages.answers = {mb::kIdYes};
  EXPECT_EQ(app::deleteDictionaries(host, {"a.lex", "b.lex"}), Outcome::kRefused);
  EXPECT_EQ(messages.shown.back().text,
            "Wordkeg was unable to delete the following dictionaries:\n\na.lex");
  EXPECT_FALSE(fileExists(lexPath("b")));
  EXPECT_NE(host.statuses.back(), kDeleteOk);
}

TEST_F(DictionaryDialogsTest, AddChecksAndQuestions) {
  makeDictionary("a", {"cat"});
  makeDictionary("b", {"dog"});
  scan();
  const Words listed{"a.lex", "b.lex"};
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kAdd, "", "a", listed), Outcome::kRefused);
  EXPECT_EQ(text(), "You must specify a word in the 'Enter Word' edit control.");
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kAdd, "co-", "a", listed), Outcome::kRefused);
  EXPECT_EQ(messages.shown.size(), 1u);  // a beep only
  EXPECT_EQ(messages.beeps, 1);
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kAdd, "ab1", "a", listed), Outcome::kRefused);
  EXPECT_EQ(text(1), "ab1 is not a valid Wordkeg word.");
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kAdd, "cow", "", listed), Outcome::kRefused);
  EXPECT_EQ(text(2), "Please select a dictionary.");
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kAdd, "cat", "a", listed),
            Outcome::kNothingDone);
  EXPECT_EQ(text(3), "a.lex already contains the word 'cat'");
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kAdd, "cat", "b", listed),
            Outcome::kNothingDone);
  EXPECT_EQ(text(4),
            "Your word can already be found in:\n\na.lex\n\nDo you wish to add your word anyway?");
  EXPECT_EQ(style(4), mb::kYesNo);
  messages.answers = {mb::kIdYes};
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kAdd, "CAT", "B.LEX", listed), Outcome::kDone);
  EXPECT_EQ(wordsOf(lexPath("b")), (Words{"Cat", "dog"}));
  EXPECT_EQ(host.statuses.back(), kWordAddedOk);
}

TEST_F(DictionaryDialogsTest, AddToNewDictionaryAsksFirst) {
  scan();
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kAdd, "zebra", "new", {}),
            Outcome::kNothingDone);
  EXPECT_EQ(text(), "Do you wish to create a new dictionary");
  EXPECT_EQ(caption(), "New Dictionary");
  EXPECT_EQ(style(), mb::kYesNo);
  EXPECT_FALSE(fileExists(lexPath("new")));
  messages.answers = {mb::kIdYes};
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kAdd, "zebra", "new", {}), Outcome::kDone);
  EXPECT_EQ(wordsOf(lexPath("new")), Words{"zebra"});
}

TEST_F(DictionaryDialogsTest, RemoveChecksAndEmptiedDictionaryGoes) {
  makeDictionary("a", {"cat"});
  scan();
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kRemove, "cat", "zz", {"a.lex"}),
            Outcome::kRefused);
  EXPECT_EQ(text().rfind("Wordkeg does not recognise your chosen dictionary.", 0), 0u);
  EXPECT_EQ(host.listsShown, 1);
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kRemove, "dog", "a", {"a.lex"}),
            Outcome::kNothingDone);
  EXPECT_EQ(text(1), "The word to be removed could not be found.");
  EXPECT_EQ(caption(1), "Dictionary Update Failed.");
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kRemove, "cat", "a", {"a.lex"}),
            Outcome::kDone);
  EXPECT_FALSE(fileExists(lexPath("a")));
  EXPECT_EQ(DictionaryNames::instance().find(lexPath("a")), nullptr);
  EXPECT_EQ(host.statuses.back(), kWordRemovedOk);
}

TEST_F(DictionaryDialogsTest, ExceptionInsideAnUpdateEndsItAsFailed) {
  const std::string path = makeDictionary("a", {"cat", "dog"});
  auto bytes = readBytes(path);
  bytes.back() = 0xD5;
  writeBytes(path, bytes);
  scan();
  messages.answers = {mb::kIdYes};
  // The lookup before the update meets the damage and reports it; the update then stops at it
  // and fails, leaving the file as it was and no temporary file.
  EXPECT_EQ(app::modifyDictionary(host, UpdateMode::kAdd, "cow", "a", {"a.lex"}),
            Outcome::kRefused);
  EXPECT_EQ(text(), "This dictionary is damaged and cannot be read: " + path);
  ASSERT_EQ(host.exceptions.size(), 1u);
  EXPECT_EQ(host.exceptions[0], "This dictionary is damaged and cannot be read: " + path);
  EXPECT_EQ(readBytes(path), bytes);
  EXPECT_FALSE(fileExists(kUpdateFile));
}

TEST_F(DictionaryDialogsTest, FindShowsWhereTheWordIs) {
  makeDictionary("a", {"x-ray"});
  scan();
  EXPECT_FALSE(app::findWord(""));
  EXPECT_EQ(text(), "You must specify a word in the 'Enter Word' edit control.");
  EXPECT_FALSE(app::findWord("xray"));
  EXPECT_EQ(text(1), "Your word was not found in any dictionaries.");
  EXPECT_EQ(caption(1), "Find");
  EXPECT_TRUE(app::findWord("x-ray"));
  EXPECT_EQ(text(2), "The word you are looking for can be found in:\n\na.lex");
}

}  // namespace
}  // namespace wk::test

namespace wk::test {
namespace {

TEST(WordValidator, RefusesWhatCanNeverBeAWord) {
  for (const char* ok : {"a", "Cat", "ab-", "ab-c", "abcdefghi", "abcdefghi-"})
    EXPECT_TRUE(app::acceptableWhileTyping(ok)) << ok;
  for (const char* bad : {"", "-", "-a", "a--", "a-b-", "a1", "abcdefghij", "a b"})
    EXPECT_FALSE(app::acceptableWhileTyping(bad)) << bad;
}

}  // namespace
}  // namespace wk::test
