// The dictionary dialogs' boxes, one case each: every box scripted with the text it must show,
// every question answered Yes and No.
#include "app/dictionary_dialogs.h"

#include <gtest/gtest.h>

#include "../engine/test_home.h"
#include "app/process_home.h"
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
  // The style of the last box: its buttons, icon and default button.
  unsigned lastStyle() const { return messages.shown.empty() ? ~0u : messages.shown.back().style; }
  void scan() {
    app::processCatalogue();
    messages.shown.clear();
  }
  FakeHost host;
};

constexpr const char* kMakeOverwrite = "Dictionary already exists. Overwrite?";
constexpr const char* kMergeOverwrite =
    "The Dictionary t.lex already exists.\n Do you wish to overwrite it with a new dictionary.";
constexpr const char* kNoWord = "You must specify a word in the 'Enter Word' edit control.";

TEST_F(DictionaryDialogsTest, MakeWithoutNamesIsRefused) {
  scan();
  messages.expect("You must supply a File Name and a Dictionary Name.", mb::kIdOk, "Error");
  EXPECT_EQ(app::makeDictionary(host, catalogue(), "", "d", false), Outcome::kRefused);
  EXPECT_EQ(host.statuses, std::vector<int>{kBlankStatus});
}

TEST_F(DictionaryDialogsTest, MakeFromAMissingListIsRefused) {
  scan();
  messages.expect("Unable to find File: absent.txt");
  EXPECT_EQ(app::makeDictionary(host, catalogue(), "absent.txt", "d", false), Outcome::kRefused);
  EXPECT_EQ(host.statuses, std::vector<int>{kBlankStatus});
}

TEST_F(DictionaryDialogsTest, MakeOverExistingAnsweredNoKeepsIt) {
  writeFile("list.txt", "cat\n");
  makeDictionary("d", {"dog"});
  scan();
  messages.expect(kMakeOverwrite, mb::kIdNo, "Warning");
  EXPECT_EQ(app::makeDictionary(host, catalogue(), "list.txt", "d", false), Outcome::kNothingDone);
  EXPECT_EQ(lastStyle(), mb::kYesNo);  // no icon
  EXPECT_EQ(wordsOf(lexPath("d")), Words{"dog"});
}

TEST_F(DictionaryDialogsTest, MakeOverExistingAnsweredYesReplacesIt) {
  writeFile("list.txt", "cat\n");
  makeDictionary("d", {"dog"});
  scan();
  messages.expect(kMakeOverwrite, mb::kIdYes);
  EXPECT_EQ(app::makeDictionary(host, catalogue(), "list.txt", "d", false), Outcome::kDone);
  EXPECT_EQ(wordsOf(lexPath("d")), Words{"cat"});
  EXPECT_EQ(host.statuses.back(), kCreatedOk);
}

TEST_F(DictionaryDialogsTest, MakeWithoutValidWordsShowsNoSuccess) {
  writeFile("list.txt", "123\n");
  scan();
  messages.expect("Your word list contains no valid words. No Dictionary has been created.");
  EXPECT_EQ(app::makeDictionary(host, catalogue(), "list.txt", "d", false), Outcome::kRefused);
  EXPECT_EQ(host.statuses, std::vector<int>{kBlankStatus});
}

class MergeTest : public DictionaryDialogsTest {
 protected:
  void SetUp() override {
    DictionaryDialogsTest::SetUp();
    makeDictionary("a", {"ant"});
    makeDictionary("b", {"bee"});
    makeDictionary("t", {"old"});
    scan();
  }
};

TEST_F(MergeTest, OneDictionaryIsRefused) {
  messages.expect(
      "You must select 2 or more dictionaries from the dictionary list to merge together",
      mb::kIdOk, "Incomplete Information");
  EXPECT_EQ(app::mergeDictionaries(host, catalogue(), {"a.lex"}, "n", false), Outcome::kRefused);
}

TEST_F(MergeTest, NoNewNameIsRefused) {
  messages.expect("You must enter the name of your new Dictinary");
  EXPECT_EQ(app::mergeDictionaries(host, catalogue(), {"a.lex", "b.lex"}, "", false), Outcome::kRefused);
}

TEST_F(MergeTest, OntoExistingAnsweredNoKeepsIt) {
  messages.expect(kMergeOverwrite, mb::kIdNo, "Confirm");
  EXPECT_EQ(app::mergeDictionaries(host, catalogue(), {"a.lex", "b.lex"}, "t", false), Outcome::kNothingDone);
  EXPECT_EQ(lastStyle(), mb::kYesNo);
  EXPECT_EQ(wordsOf(lexPath("t")), Words{"old"});
}

TEST_F(MergeTest, OntoExistingAnsweredYesReplacesIt) {
  messages.expect(kMergeOverwrite, mb::kIdYes);
  EXPECT_EQ(app::mergeDictionaries(host, catalogue(), {"a.lex", "b.lex"}, "t", false), Outcome::kDone);
  EXPECT_EQ(wordsOf(lexPath("t")), (Words{"ant", "bee"}));
  EXPECT_EQ(host.statuses.back(), kMergedOk);
}

TEST_F(MergeTest, DeletingSourcesAnsweredNoKeepsThem) {
  EXPECT_EQ(app::mergeDictionaries(host, catalogue(), {"a.lex", "b.lex"}, "n", true), Outcome::kDone);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text.rfind("If you delete these dictionaries", 0), 0u);
  EXPECT_NE(messages.shown[0].text.find("\na.lex\nb.lex\n\nAre you sure"), std::string::npos);
  EXPECT_TRUE(fileExists(lexPath("a")));
  EXPECT_TRUE(fileExists(lexPath("n")));
}

TEST_F(MergeTest, DeletingSourcesAnsweredYesBacksThemUp) {
  messages.answers = {mb::kIdYes};
  EXPECT_EQ(app::mergeDictionaries(host, catalogue(), {"a.lex", "b.lex"}, "m", true), Outcome::kDone);
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

TEST_F(MergeTest, AsksAboutTheSourcesBeforeInstalling) {
  WatchingMessages watching;
  watching.watched = replaceExtension(lexPath("t"), "lxb");
  watching.answers = {mb::kIdYes, mb::kIdYes};
  {
    ScopedMessagePort scoped(&watching);
    EXPECT_EQ(app::mergeDictionaries(host, catalogue(), {"a.lex", "b.lex"}, "t", true), Outcome::kDone);
  }
  ASSERT_EQ(watching.shown.size(), 2u);
  EXPECT_EQ(watching.shown[1].text.rfind("If you delete these dictionaries", 0), 0u);
  EXPECT_EQ(watching.present, (std::vector<bool>{false, false}))
      << "the old target was backed up before the delete question";
  EXPECT_EQ(wordsOf(lexPath("t")), (Words{"ant", "bee"}));
  EXPECT_FALSE(fileExists(lexPath("a")));
}

class DeleteTest : public DictionaryDialogsTest {
 protected:
  void SetUp() override {
    DictionaryDialogsTest::SetUp();
    makeDictionary("a", {"ant"});
    makeDictionary("b", {"bee"});
    scan();
  }
};

TEST_F(DeleteTest, NothingHighlightedIsRefused) {
  messages.expect("You must highlight one or more dictionaries for deletion.");
  EXPECT_EQ(app::deleteDictionaries(host, catalogue(), {}), Outcome::kRefused);
}

TEST_F(DeleteTest, EnterAnswersNoAndKeepsTheDictionary) {
  EXPECT_EQ(app::deleteDictionaries(host, catalogue(), {"a.lex"}), Outcome::kNothingDone);
  EXPECT_EQ(lastStyle(), mb::kYesNo | mb::kDefButton2);  // Enter answers No; no icon
  EXPECT_TRUE(fileExists(lexPath("a")));
}

TEST_F(DeleteTest, ADictionaryThatCannotGoIsReportedAndTheOthersGo) {
  std::filesystem::create_directories(replaceExtension(lexPath("a"), "lxb") + "/inside");
  messages.answers = {mb::kIdYes};
  EXPECT_EQ(app::deleteDictionaries(host, catalogue(), {"a.lex", "b.lex"}), Outcome::kRefused);
  EXPECT_EQ(messages.shown.back().text,
            "Wordkeg was unable to delete the following dictionaries:\n\na.lex");
  EXPECT_FALSE(fileExists(lexPath("b")));
  EXPECT_NE(host.statuses.back(), kDeleteOk);
}

class AddTest : public DictionaryDialogsTest {
 protected:
  void SetUp() override {
    DictionaryDialogsTest::SetUp();
    makeDictionary("a", {"cat"});
    makeDictionary("b", {"dog"});
    scan();
  }
  Outcome add(const std::string& word, const std::string& dictionary) {
    return app::modifyDictionary(host, catalogue(), UpdateMode::kAdd, word, dictionary, {"a.lex", "b.lex"});
  }
};

TEST_F(AddTest, NoWordIsRefused) {
  messages.expect(kNoWord);
  EXPECT_EQ(add("", "a"), Outcome::kRefused);
}

TEST_F(AddTest, TrailingHyphenOnlyBeeps) {
  EXPECT_EQ(add("co-", "a"), Outcome::kRefused);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(messages.beeps, 1);
}

TEST_F(AddTest, InvalidWordIsRefused) {
  messages.expect("ab1 is not a valid Wordkeg word.");
  EXPECT_EQ(add("ab1", "a"), Outcome::kRefused);
}

TEST_F(AddTest, NoDictionaryIsRefused) {
  messages.expect("Please select a dictionary.");
  EXPECT_EQ(add("cow", ""), Outcome::kRefused);
}

TEST_F(AddTest, WordAlreadyInTheDictionaryIsNotAddedAgain) {
  messages.expect("a.lex already contains the word 'cat'");
  EXPECT_EQ(add("cat", "a"), Outcome::kNothingDone);
  EXPECT_EQ(wordsOf(lexPath("a")), Words{"cat"});
}

TEST_F(AddTest, WordFoundElsewhereAnsweredNoIsNotAdded) {
  messages.expect(
      "Your word can already be found in:\n\na.lex\n\nDo you wish to add your word anyway?",
      mb::kIdNo);
  EXPECT_EQ(add("cat", "b"), Outcome::kNothingDone);
  EXPECT_EQ(lastStyle(), mb::kYesNo);
  EXPECT_EQ(wordsOf(lexPath("b")), Words{"dog"});
}

TEST_F(AddTest, WordFoundElsewhereAnsweredYesIsAddedAsTyped) {
  messages.answers = {mb::kIdYes};
  EXPECT_EQ(add("CAT", "B.LEX"), Outcome::kDone);
  EXPECT_EQ(wordsOf(lexPath("b")), (Words{"Cat", "dog"}));
  EXPECT_EQ(host.statuses.back(), kWordAddedOk);
}

// A word longer than nine letters is no word until the home takes long words; then it goes in
// as typed, up to twenty letters, and typing lets it through.
TEST_F(AddTest, LongWordsFollowTheHomesOption) {
  messages.expect("Quartermasters is not a valid Wordkeg word.");
  EXPECT_EQ(add("Quartermasters", "a"), Outcome::kRefused);
  EXPECT_FALSE(app::acceptableWhileTyping("quartermast"));
  useLongWords();
  EXPECT_EQ(add("Quartermasters", "a"), Outcome::kDone);
  EXPECT_EQ(add("counter-revolutionary", "a"), Outcome::kDone);  // twenty letters and a hyphen
  EXPECT_EQ(wordsOf(lexPath("a")), (Words{"cat", "Quartermasters", "counter-revolutionary"}));
  messages.expect("counterrevolutionary-s is not a valid Wordkeg word.");
  EXPECT_EQ(add("counterrevolutionary-s", "a"), Outcome::kRefused);
  EXPECT_TRUE(app::acceptableWhileTyping("counterrevolutionar-", 20));
  EXPECT_FALSE(app::acceptableWhileTyping("counterrevolutionarys", 20));
}

TEST_F(DictionaryDialogsTest, AddToANewDictionaryAnsweredNoCreatesNothing) {
  scan();
  messages.expect("Do you wish to create a new dictionary", mb::kIdNo, "New Dictionary");
  EXPECT_EQ(app::modifyDictionary(host, catalogue(), UpdateMode::kAdd, "zebra", "new", {}),
            Outcome::kNothingDone);
  EXPECT_EQ(lastStyle(), mb::kYesNo);
  EXPECT_FALSE(fileExists(lexPath("new")));
}

TEST_F(DictionaryDialogsTest, AddToANewDictionaryAnsweredYesCreatesIt) {
  scan();
  messages.expect("Do you wish to create a new dictionary", mb::kIdYes);
  EXPECT_EQ(app::modifyDictionary(host, catalogue(), UpdateMode::kAdd, "zebra", "new", {}), Outcome::kDone);
  EXPECT_EQ(wordsOf(lexPath("new")), Words{"zebra"});
}

class RemoveTest : public DictionaryDialogsTest {
 protected:
  void SetUp() override {
    DictionaryDialogsTest::SetUp();
    makeDictionary("a", {"cat"});
    scan();
  }
  Outcome remove(const std::string& word, const std::string& dictionary) {
    return app::modifyDictionary(host, catalogue(), UpdateMode::kRemove, word, dictionary, {"a.lex"});
  }
};

TEST_F(RemoveTest, UnknownDictionaryIsRefusedAndTheListShown) {
  EXPECT_EQ(remove("cat", "zz"), Outcome::kRefused);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text.rfind("Wordkeg does not recognise your chosen dictionary.", 0),
            0u);
  EXPECT_EQ(host.listsShown, 1);
}

TEST_F(RemoveTest, AbsentWordIsReported) {
  messages.expect("The word to be removed could not be found.", mb::kIdOk,
                  "Dictionary Update Failed.");
  EXPECT_EQ(remove("dog", "a"), Outcome::kNothingDone);
  EXPECT_EQ(wordsOf(lexPath("a")), Words{"cat"});
}

TEST_F(RemoveTest, RemovingTheLastWordRemovesTheDictionary) {
  EXPECT_EQ(remove("cat", "a"), Outcome::kDone);
  EXPECT_FALSE(fileExists(lexPath("a")));
  EXPECT_EQ(app::processCatalogue().find(lexPath("a")), nullptr);
  EXPECT_EQ(host.statuses.back(), kWordRemovedOk);
}

TEST_F(DictionaryDialogsTest, ExceptionInsideAnUpdateEndsItAsFailed) {
  const std::string path = makeDictionary("a", {"cat", "dog"});
  auto bytes = readBytes(path);
  bytes.back() = 0xD5;
  writeBytes(path, bytes);
  scan();
  // The lookup before the update meets the damage and reports it; the update then stops at it
  // and fails, leaving the file as it was and no temporary file.
  messages.expect("This dictionary is damaged and cannot be read: " + path);
  messages.answers = {mb::kIdYes};
  EXPECT_EQ(app::modifyDictionary(host, catalogue(), UpdateMode::kAdd, "cow", "a", {"a.lex"}),
            Outcome::kRefused);
  EXPECT_EQ(messages.shown.size(), 1u);
  ASSERT_EQ(host.exceptions.size(), 1u);
  EXPECT_EQ(host.exceptions[0], "This dictionary is damaged and cannot be read: " + path);
  EXPECT_EQ(readBytes(path), bytes);
  EXPECT_FALSE(fileExists(kUpdateFile));
}

class FindTest : public DictionaryDialogsTest {
 protected:
  void SetUp() override {
    DictionaryDialogsTest::SetUp();
    makeDictionary("a", {"x-ray"});
    scan();
  }
};

TEST_F(FindTest, NoWordIsRefused) {
  messages.expect(kNoWord);
  EXPECT_FALSE(app::findWord(catalogue(), ""));
}

TEST_F(FindTest, WordWrittenOtherwiseIsNotFound) {
  messages.expect("Your word was not found in any dictionaries.", mb::kIdOk, "Find");
  EXPECT_FALSE(app::findWord(catalogue(), "xray"));
}

TEST_F(FindTest, WordAsWrittenIsFoundWithItsDictionary) {
  messages.expect("The word you are looking for can be found in:\n\na.lex");
  EXPECT_TRUE(app::findWord(catalogue(), "x-ray"));
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
