// Words of up to twenty letters, as a home with the long-words option takes them: made, merged,
// added and removed into exactly the bytes the independent model gives, and kept by a home
// without the option, which neither makes nor searches them but never drops them from a copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>

#include "app/process_home.h"
#include "dictionary_model.h"
#include "engine/base/file_ops.h"
#include "engine/compile/make_dictionary.h"
#include "engine/compile/merge_dictionaries.h"
#include "engine/compile/run_record.h"
#include "engine/compile/word_shape.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/install_dictionary.h"
#include "engine/dict/word_lookup.h"
#include "test_home.h"

namespace wk::test {
namespace {

using Words = std::vector<std::string>;

size_t letterCount(const std::string& w) {
  return w.size() - static_cast<size_t>(std::count(w.begin(), w.end(), '-'));
}

Words upTo(const Words& words, size_t longest) {
  Words kept;
  for (const auto& w : words)
    if (letterCount(w) <= longest) kept.push_back(w);
  return kept;
}

class LongWordsTest : public HomeTest {
 protected:
  // Makes dictionary `name` from `words` written one per line, shuffled, each twice, among
  // lines that hold no word; true when it was installed.
  bool make(const std::string& name, Words words) {
    std::mt19937 random(7);
    words.insert(words.end(), words.begin(), words.end());
    std::shuffle(words.begin(), words.end(), random);
    std::ofstream list("list.txt", std::ios::binary);
    for (size_t i = 0; i < words.size(); ++i) {
      list << words[i] << "\n";
      if (i % 500 == 0) list << "two words\nnot-a-word-\n" << std::string(25, 'x') << "\n";
    }
    list.close();
    MakeDictionaryFromFile operation(catalogue(), "list.txt", lexPath(name), false);
    return operation.run() && operation.installed();
  }
  void expectModel(const std::string& path, const Words& words) {
    const auto file = withModelHeader(readBytes(path));
    const auto model = modelDictionary(words);
    ASSERT_EQ(file.size(), model.size()) << path;
    // The index first: a wrong entry says which group went astray.
    for (size_t at = 0; at < 2080; at += 4)
      ASSERT_TRUE(std::equal(file.begin() + at, file.begin() + at + 4, model.begin() + at))
          << "index entry of length " << at / 104 + 1 << ", letter " << char('a' + at / 4 % 26);
    EXPECT_TRUE(file == model) << path;
  }
};

// Several sorted runs of long records merged: the same file as the model's, in either home
// (the home without the option keeps only words of up to nine letters, as it always has).
TEST_F(LongWordsTest, MakeGivesTheModelsBytesInEitherHome) {
  const Words words = randomWords(4000, 24, 1);  // some longer than twenty: skipped
  ASSERT_TRUE(make("short", words));
  expectModel(lexPath("short"), upTo(words, 9));
  useLongWords();
  ASSERT_TRUE(make("long", words));
  expectModel(lexPath("long"), upTo(words, 20));
  EXPECT_TRUE(tempFiles().empty());
}

TEST_F(LongWordsTest, LineRulesTakeTheHomesLongestWord) {
  const std::string twenty = "Abcdefghij-klmnopqrst", twentyOne = "abcdefghijklmnopqrstu";
  EXPECT_EQ(judgeLine(twenty), LineVerdict::kTooLong);
  EXPECT_EQ(judgeLine(twenty, 20), LineVerdict::kWord);
  EXPECT_EQ(judgeLine(twentyOne, 20), LineVerdict::kTooLong);
  EXPECT_TRUE(isWordShape(twenty, 20));
  EXPECT_FALSE(isWordShape(twentyOne, 20));
  EXPECT_FALSE(isWordShape("abcdefghij"));
  // A record of each layout gives its word back and orders like the dictionary.
  for (const auto* layout : {&run_record::kShortWords, &run_record::kLongWords}) {
    const Words pair = layout == &run_record::kShortWords
                           ? Words{"Abcde", "abc-de"}
                           : Words{"Abcdefghijklmnopqrst", "abcdefghij-klmnopqrst"};
    unsigned char a[run_record::kLargestSize], b[run_record::kLargestSize];
    layout->make(pair[0], a);
    layout->make(pair[1], b);
    EXPECT_EQ(layout->word(a), pair[0]);
    EXPECT_LT(layout->compare(a, b), 0);
    EXPECT_GT(layout->compare(b, a), 0);
  }
}

// Records sorted by their layout's order give the words back in the model's order.
TEST_F(LongWordsTest, RecordsSortInDictionaryOrder) {
  for (const auto* layout : {&run_record::kShortWords, &run_record::kLongWords}) {
    const int longest = layout == &run_record::kLongWords ? 20 : 9;
    Words words = randomWords(3000, longest, 9);
    std::shuffle(words.begin(), words.end(), std::mt19937(3));
    const auto size = static_cast<size_t>(layout->size);
    std::vector<unsigned char> records(words.size() * size);
    std::vector<const unsigned char*> order;
    for (size_t i = 0; i < words.size(); ++i) {
      layout->make(words[i], records.data() + i * size);
      order.push_back(records.data() + i * size);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](auto* a, auto* b) { return layout->compare(a, b) < 0; });
    Words back;
    for (const auto* record : order) back.push_back(layout->word(record));
    EXPECT_EQ(back, modelSorted(words)) << longest;
  }
}

// A merge copies: every stored length survives, whatever the home's option.
TEST_F(LongWordsTest, MergeKeepsEveryWordInEitherHome) {
  const Words one = randomWords(600, 20, 2), two = randomWords(600, 20, 3);
  Words both = one;
  both.insert(both.end(), two.begin(), two.end());
  for (bool longWords : {false, true}) {
    if (longWords) useLongWords();
    makeDictionary("one", one);
    makeDictionary("two", two);
    const std::string out = tempPath("merged");
    {
      MergeDictionaries merge(catalogue(), {lexPath("one"), lexPath("two")}, out);
      ASSERT_TRUE(merge.run());
    }
    expectModel(out, both);
    removeFile(out);
  }
}

// Adding and removing rewrite the dictionary: its long words stay, also in a home without the
// option, and a long word goes in and out where the option is on.
TEST_F(LongWordsTest, AddAndRemoveKeepLongWordsAndTakeThem) {
  Words words = randomWords(500, 20, 4);
  makeDictionary("d", words);
  ASSERT_EQ(updateDictionary(catalogue(), lexPath("d"), "zebra", UpdateMode::kAdd),
            update_result::kDone);
  words.push_back("zebra");
  expectModel(lexPath("d"), words);
  useLongWords();
  for (const std::string word : {"Quartermaster-general", "quartermasters", "Zz"}) {
    ASSERT_EQ(updateDictionary(catalogue(), lexPath("d"), word, UpdateMode::kAdd),
              update_result::kDone);
    words.push_back(word);
  }
  expectModel(lexPath("d"), words);
  ASSERT_EQ(updateDictionary(catalogue(), lexPath("d"), "quartermasters", UpdateMode::kRemove),
            update_result::kDone);
  words.erase(std::find(words.begin(), words.end(), "quartermasters"));
  expectModel(lexPath("d"), words);
  EXPECT_EQ(dictionariesHolding(catalogue(), "Quartermaster-general"), "\nd.lex");
}

TEST_F(LongWordsTest, TheOptionIsReadFromTheIniFile) {
  EXPECT_FALSE(config().longWords());
  EXPECT_EQ(config().longestWord(), 9);
  // Off, said plainly or not; on, as a number or a word.
  const std::pair<const char*, bool> offs[] = {{"0", true}, {"off", true}, {"", true},
                                               {"2", false}, {"maybe", false}, {"-1", false}};
  for (const auto& [value, understood] : offs) {
    writeFile("wordkeg.ini", std::string("[OPTIONS]\nLONG_WORDS=") + value + "\n");
    app::resetProcessConfig();
    EXPECT_FALSE(config().longWords()) << value;
    EXPECT_EQ(config().longWordsUnderstood(), understood) << value;
  }
  for (const char* value : {"1", "01", "On", "YES", "true", "1 ; said so"}) {
    writeFile("wordkeg.ini", std::string("[options]\nlong_words = ") + value + "\n");
    app::resetProcessConfig();
    EXPECT_TRUE(config().longWords()) << value;
  }
  writeFile("wordkeg.ini", "[PATHS]\n");
  app::resetProcessConfig();
  ASSERT_TRUE(config().setLongWords(true));
  EXPECT_FALSE(config().longWords()) << "a running program keeps the rules it started with";
  app::resetProcessConfig();
  EXPECT_EQ(config().longestWord(), 20);
}

}  // namespace
}  // namespace wk::test
