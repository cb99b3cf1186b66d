// The Select Dictionaries dialog's lines, selection changes and Details.
#include "app/select_dictionaries.h"

#include <gtest/gtest.h>

#include "../engine/test_home.h"
#include "app/process_home.h"
#include "engine/dict/dictionary_names.h"

namespace wk::test {
namespace {

using Lines = std::vector<std::string>;

class SelectDictionariesTest : public HomeTest {
 protected:
  void SetUp() override {
    HomeTest::SetUp();
    makeDictionary("a", {"ant"});
    makeDictionary("b", {"bee"});
    makeDictionary("c", {"cat"});
    app::processCatalogue().setSelected(lexPath("b"), true);
  }
};

TEST_F(SelectDictionariesTest, LinesMarkSelectedInCatalogueOrder) {
  EXPECT_EQ(app::dictionaryLines(catalogue()), (Lines{" \ta.lex", "\xBB\tb.lex", " \tc.lex"}));
  EXPECT_EQ(app::fileNameOfLine("\xBB\tb.lex"), "b.lex");
}

TEST_F(SelectDictionariesTest, SelectClearTurnsEachOverOnItsOwn) {
  app::toggleSelected(catalogue(), {"a.lex", "b.lex"});
  EXPECT_EQ(app::dictionaryLines(catalogue()), (Lines{"\xBB\ta.lex", " \tb.lex", " \tc.lex"}));
  app::selectAll(catalogue(), true);
  EXPECT_EQ(app::dictionaryLines(catalogue()), (Lines{"\xBB\ta.lex", "\xBB\tb.lex", "\xBB\tc.lex"}));
  app::selectAll(catalogue(), false);
  EXPECT_EQ(app::dictionaryLines(catalogue()), (Lines{" \ta.lex", " \tb.lex", " \tc.lex"}));
}

TEST_F(SelectDictionariesTest, DetailsOfFirstHighlightedOnly) {
  app::showDetails(catalogue(), {});
  EXPECT_EQ(messages.shown.back().text,
            "You must highlight a single dictionary to show its details.");
  EXPECT_EQ(messages.shown.back().caption, "Incomplete Information");
  app::showDetails(catalogue(), {"c.lex", "a.lex"});
  EXPECT_EQ(messages.shown.back().caption, "Information on: c.lex");
  EXPECT_NE(messages.shown.back().text.find("Total Words: 1"), std::string::npos);
  EXPECT_EQ(messages.shown.back().text.find("Modified: "), std::string::npos);
}

}  // namespace
}  // namespace wk::test
