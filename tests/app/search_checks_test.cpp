// The checks of a search request: normalisation of FIND and every message in its order.
#include <gtest/gtest.h>

#include <algorithm>

#include "../engine/test_home.h"
#include "app/search_checks.h"

namespace wk::test {
namespace {

class SearchChecksTest : public HomeTest {
 protected:
  bool validate(const std::string& find, const std::string& from = "", bool useAll = false,
                const std::string& include = "", const std::string& exclude = "") {
    messages.shown.clear();
    return checks.validate(SearchFields{find, from, include, exclude, useAll, false});
  }
  std::string lastText() const { return messages.shown.empty() ? "" : messages.shown.back().text; }
  app::RequestChecks checks;
  SearchData& request = checks.request();
};

TEST_F(SearchChecksTest, FindIsNormalised) {
  ASSERT_TRUE(validate("3"));
  EXPECT_EQ(request.find, "???");
  ASSERT_TRUE(validate("a2e"));
  EXPECT_EQ(request.find, "a??e");
  ASSERT_TRUE(validate("  B  ? ", "bxy"));
  EXPECT_EQ(request.find, "b ?");
  EXPECT_TRUE(request.multiWord);
}

TEST_F(SearchChecksTest, LengthLimitsGiveMessages68And1) {
  EXPECT_FALSE(validate("41"));
  EXPECT_EQ(lastText().rfind("Your FIND field exceeded the maximum permitted length of 40", 0), 0u);
  EXPECT_EQ(messages.shown.back().caption, "Input Error");
  EXPECT_EQ(messages.beeps, 1);
  EXPECT_FALSE(validate("a 39", "a"));
  EXPECT_NE(lastText().find("maximum permitted length of 40"), std::string::npos);
  EXPECT_FALSE(validate("40"));
  EXPECT_EQ(
      lastText(),
      "Your FIND field contained a pattern for a word exceeding the maximum length supported.");
  EXPECT_TRUE(validate("abcdefghi"));
  EXPECT_FALSE(validate("abcdefghij"));
  EXPECT_TRUE(validate("abcdefghi*"));
  EXPECT_FALSE(validate("12"));
}

TEST_F(SearchChecksTest, BangAsksAndCancelKeepsSearchFromStarting) {
  messages.answers = {mb::kIdOk};
  ASSERT_TRUE(validate("ab!cd", "abxyz"));
  EXPECT_EQ(request.find, "ab!");
  EXPECT_EQ(messages.shown[0].caption, "Invalid Pattern Warning");
  messages.answers = {mb::kIdCancel};
  EXPECT_FALSE(validate("ab!cd", "abxyz"));
  EXPECT_EQ(messages.shown.size(), 1u);
  ASSERT_TRUE(validate("ab!   ", "abxyz"));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(request.find, "ab!");
}

TEST_F(SearchChecksTest, FindLettersMustComeFromFrom) {
  EXPECT_TRUE(validate("cat", "tac"));
  EXPECT_FALSE(validate("cat", "ta"));
  EXPECT_EQ(lastText().rfind("Your FIND includes letters not found in your FROM field.", 0), 0u);
  EXPECT_FALSE(validate("???", "ab"));
  EXPECT_EQ(lastText().rfind("Your FIND length exceeds that of the FROM field.", 0), 0u);
  EXPECT_TRUE(validate("???", "aB"));
  EXPECT_FALSE(validate("aa", "aB"));
  EXPECT_EQ(lastText().rfind("Your FIND includes letters", 0), 0u);
  EXPECT_TRUE(validate("aa", "Ab"));
  EXPECT_FALSE(validate("???", "aB", true));  // use all lower-cases FROM: no unlimited letter
}

TEST_F(SearchChecksTest, IncludeExcludeOverlapAndMultiWordNeedsFrom) {
  EXPECT_FALSE(validate("*", "", false, "ab", "b"));
  EXPECT_EQ(lastText(),
            "You cannot Include and Exclude the same letter(s).\n\nPlease alter your entry.");
  EXPECT_FALSE(validate("cat dog"));
  EXPECT_EQ(lastText(), "Multiple Word Searches must contain an entry in the FROM field.");
  EXPECT_FALSE(validate("   "));
  EXPECT_EQ(lastText(), "You have not supplied a FIND pattern.\n\nPlease Amend Your Entry.");
}

TEST_F(SearchChecksTest, MultiWordRemovesPatternLettersAndTracksFromChanges) {
  ASSERT_TRUE(validate("cat *", "CatDog"));
  EXPECT_EQ(request.from, "catdog");
  EXPECT_EQ(request.sourceLetters, "dog");
  EXPECT_EQ(request.readerBufferSize, 2048);
  EXPECT_TRUE(request.fromChanged);
  ASSERT_TRUE(validate("* *", "godtac"));
  EXPECT_FALSE(request.fromChanged);  // same letters
  ASSERT_TRUE(validate("* *", "godta"));
  EXPECT_TRUE(request.fromChanged);
}

TEST_F(SearchChecksTest, MultiWordTest) {
  EXPECT_FALSE(isMultiWord("  cat  "));
  EXPECT_TRUE(isMultiWord("cat d"));
  EXPECT_TRUE(isMultiWord("cat!"));
  EXPECT_FALSE(isMultiWord(""));
}

TEST_F(SearchChecksTest, NoDictionaryIsCheckedFirst) {
  EXPECT_FALSE(checks.start(SearchFields{"", "", "", "", true, false}, false));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "No Dictionaries Selected");
}

TEST(SearchHistory, TenNewestFirstAndReentryMovesToTop) {
  std::vector<std::string> history{"*"};
  for (int i = 1; i <= 10; ++i) {
    std::string entry = "p";  // not "p" + ...: GCC 12 warns falsely (-Wrestrict) on it
    entry += std::to_string(i);
    app::pushHistory(history, entry);
  }
  EXPECT_EQ(history.size(), 10u);
  EXPECT_EQ(history.front(), "p10");
  EXPECT_EQ(history.back(), "p1");  // "*" pushed out by the eleventh entry
  app::pushHistory(history, "p3");
  EXPECT_EQ(history.front(), "p3");
  EXPECT_EQ(std::count(history.begin(), history.end(), "p3"), 1);
  app::pushHistory(history, "");
  EXPECT_EQ(history.front(), "p3");
  EXPECT_EQ(app::clearedFields().find, "*");
  EXPECT_TRUE(app::clearedFields().useAll);
}

}  // namespace
}  // namespace wk::test
