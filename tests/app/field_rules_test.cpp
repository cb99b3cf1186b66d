// The typing rules checked again when a dialog acts: what a paste can put into a field is held
// to what the key filters let through.
#include "app/field_rules.h"

#include <gtest/gtest.h>

#include "../engine/test_home.h"
#include "app/dictionary_dialogs.h"
#include "app/process_home.h"
#include "app/search_session.h"
#include "engine/base/file_ops.h"
#include "engine/base/string_table.h"
#include "engine/dict/dictionary_names.h"

namespace wk::test {
namespace {

using app::Field;
using app::Outcome;

struct NoHost : app::DialogHost {
  int operations = 0;
  void setStatus(int) override {}
  RunOutcome runOperation(Operation&) override {
    ++operations;
    return RunOutcome::kFailed;
  }
};

class FieldRulesTest : public HomeTest {
 protected:
  std::string last() const { return messages.shown.empty() ? "" : messages.shown.back().text; }
  NoHost host;
};

TEST_F(FieldRulesTest, EachFieldTakesWhatItsKeyFilterTakes) {
  EXPECT_TRUE(app::typeable(Field::kFind, "c/t 3!*?"));
  EXPECT_FALSE(app::typeable(Field::kFind, "c.t"));
  EXPECT_FALSE(app::typeable(Field::kFind, std::string(41, 'a')));
  EXPECT_TRUE(app::typeable(Field::kFrom, std::string(40, 'Z')));
  EXPECT_FALSE(app::typeable(Field::kFrom, "ab?"));
  EXPECT_FALSE(app::typeable(Field::kInclude, std::string(21, 'a')));
  EXPECT_FALSE(app::typeable(Field::kExclude, "a b"));
  EXPECT_TRUE(app::typeable(Field::kDictionaryName, "My_{1}$"));
  EXPECT_FALSE(app::typeable(Field::kDictionaryName, "..\\Escaped-Name"));
  EXPECT_FALSE(app::typeable(Field::kDictionaryChoice, "a1"));
  EXPECT_FALSE(app::typeable(Field::kFind, std::string("a\0b", 3)));
}

TEST_F(FieldRulesTest, RefusalNamesTheCharacterAndTheField) {
  EXPECT_FALSE(app::recheckField(Field::kFrom, "ab-c"));
  EXPECT_EQ(last(), "'-' cannot be typed into this field: FROM");
  EXPECT_EQ(messages.shown.back().caption, "Input Error");
  EXPECT_FALSE(app::recheckField(Field::kInclude, std::string(20, 'a') + "b"));
  EXPECT_EQ(last(), "Too long: at most 20 characters fit this field: Include");
  EXPECT_EQ(messages.beeps, 2);
  SearchFields fields{"c/t", "", "", "", true, false};
  EXPECT_TRUE(app::recheckSearchFields(fields));
  EXPECT_EQ(fields.find, "c?t");
  fields.exclude = "x;";
  EXPECT_FALSE(app::recheckSearchFields(fields));
  EXPECT_EQ(last(), "';' cannot be typed into this field: Exclude");
}

TEST_F(FieldRulesTest, PastedDictionaryNamesAreRefusedBeforeAnythingIsWritten) {
  writeFile("list.txt", "cat\n");
  makeDictionary("a", {"ant"});
  makeDictionary("b", {"bee"});
  app::processCatalogue();
  EXPECT_EQ(app::makeDictionary(host, catalogue(), "list.txt", "..\\Escaped-Name", false), Outcome::kRefused);
  EXPECT_EQ(
      last(),
      "..\\Escaped-Name is not a valid dictionary name. Use letters, digits and _ { } $ only.");
  EXPECT_EQ(app::mergeDictionaries(host, catalogue(), {"a.lex", "b.lex"}, "../up", false), Outcome::kRefused);
  EXPECT_EQ(host.operations, 0);
  EXPECT_FALSE(fileExists("Escaped-Name.lex"));
  messages.answers = {mb::kIdYes, mb::kIdYes};
  EXPECT_EQ(app::modifyDictionary(host, catalogue(), UpdateMode::kAdd, "cow", "../out", {"a.lex", "b.lex"}),
            Outcome::kRefused);
  EXPECT_EQ(last(), "'.' cannot be typed into this field: Dictionary");
  EXPECT_EQ(host.operations, 0);
}

}  // namespace
}  // namespace wk::test
