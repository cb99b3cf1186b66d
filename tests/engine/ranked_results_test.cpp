// Ranking by commonness: levels read from SCOWL-style lists, and the ranked order against a
// brute-force sort, held in memory, kept to the best N, or merged from runs on disk.
#include "engine/rank/ranked_results.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <tuple>

#include "engine/dict/compress_dictionary.h"
#include "engine/dict/operation_context.h"
#include "engine/rank/commonness.h"
#include "engine/rank/rank_file.h"

namespace wk::test {
namespace {

namespace fs = std::filesystem;

class RankedResultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("wk_rank_" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    list("english-words.10", {"a", "old", "west", "action", "cat"});
    list("english-words.20", {"don"});
    list("english-words.35", {"moor", "tac"});
    list("british-words.50", {"colour"});
    list("english-upper.50", {"Moor"});
    list("english-abbreviations.10", {"etc"});
    list("english-words.zz", {"ignored"});  // not a list name
    list("french-words.10", {"chat"});      // not a spelling that counts
    table = Commonness::load(folder.string(),
                             "cat\t5000\ntac\t10\nold\t90000\nWest\t900\ndon\t99999\n");
  }
  void TearDown() override { fs::remove_all(folder); }
  void list(const std::string& name, const std::vector<std::string>& words) {
    std::ofstream out(folder / name);
    for (const std::string& w : words) out << w << "\n";
  }

  fs::path folder;
  Commonness table;
};

TEST_F(RankedResultsTest, LevelsFollowTheListsAndTheirRules) {
  EXPECT_EQ(table.level("cat"), 10);
  EXPECT_EQ(table.level("moor"), 35);
  EXPECT_EQ(table.level("Moor"), 50);                         // the name, not the word
  EXPECT_EQ(table.level("Cat"), Commonness::kUnlistedLevel);  // no name of its own
  EXPECT_EQ(table.level("colour"), 50);
  EXPECT_EQ(table.level("etc"), 80);  // an abbreviation goes back among the rare
  EXPECT_EQ(table.level("a"), 70);    // so does a word of one letter
  EXPECT_EQ(table.level("chat"), Commonness::kUnlistedLevel);
  EXPECT_EQ(table.level("ignored"), Commonness::kUnlistedLevel);
  EXPECT_LT(table.rarity("cat"), table.rarity("west"));     // counted more often, same tier
  EXPECT_LT(table.rarity("west"), table.rarity("action"));  // counted as "West"
  EXPECT_EQ(table.rarity("old"), table.rarity("cat"));      // both past the cap: simply common
  EXPECT_EQ(table.rarity("don"), 199);  // levels 10 and 20 one tier; "don't"'s count not its own
  EXPECT_TRUE(Commonness::load((folder / "none").string(), "").empty());
}

TEST_F(RankedResultsTest, EveryWayOfHoldingGivesTheBruteForceOrder) {
  const std::vector<std::string> words = {"a",    "old",  "west",   "action", "cat",  "tac",
                                          "moor", "Moor", "colour", "etc",    "chat", "zzz"};
  std::mt19937 random(7);
  std::vector<std::string> lines;
  for (int i = 0; i < 3000; ++i) {
    std::string line;
    for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n)
      line += words[random() % words.size()] + (n > 1 ? " " : "");
    lines.push_back(line);
  }
  // The order by hand: rarest word's tier, then the sum of rarities, then the order found.
  std::vector<std::tuple<int, int, size_t>> keys;
  for (size_t i = 0; i < lines.size(); ++i) {
    int level = 0, sum = 0;
    for (size_t at = 0; at <= lines[i].size();) {
      const size_t end = std::min(lines[i].find(' ', at), lines[i].size());
      level = std::max(level, table.rarity(lines[i].substr(at, end - at)) / 100);
      sum += table.rarity(lines[i].substr(at, end - at));
      at = end + 1;
    }
    keys.emplace_back(level, sum, i);
  }
  std::sort(keys.begin(), keys.end());
  std::vector<std::string> expected;
  for (const auto& key : keys) expected.push_back(lines[std::get<2>(key)]);

  const auto ranked = [&](size_t limit, size_t memory, bool distinct = false) {
    RankedResults results(table, limit, folder.string(), memory);
    results.setDistinct(distinct);
    results.keepBestSoFar(5);
    for (const std::string& line : lines) results.add(line);
    uint64_t version = 0;
    EXPECT_EQ(results.bestSoFar(version),
              std::vector<std::string>(expected.begin(), expected.begin() + 5));
    EXPECT_GT(version, 0u);
    std::vector<std::string> out;
    EXPECT_TRUE(results.emit([&](std::string_view line) {
      out.emplace_back(line);
      return true;
    }));
    return out;
  };
  EXPECT_EQ(ranked(0, size_t{64} << 20), expected);
  EXPECT_EQ(ranked(0, 4096), expected);  // some thirty runs merged from disk
  const std::vector<std::string> best(expected.begin(), expected.begin() + 20);
  EXPECT_EQ(ranked(20, 4096), best);  // a limit past the memory's share: the runs' way
  EXPECT_EQ(ranked(20, size_t{64} << 20), best);
  // Distinct: each spelling's best-ranked form, wherever it was found.
  std::vector<std::string> distinct;
  std::set<std::string> lower;
  for (const std::string& line : expected) {
    std::string key = line;
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.insert(key).second) distinct.push_back(line);
  }
  ASSERT_LT(distinct.size(), expected.size());
  EXPECT_EQ(ranked(0, 4096, true), distinct);
  EXPECT_EQ(ranked(20, size_t{64} << 20, true),
            std::vector<std::string>(distinct.begin(), distinct.begin() + 20));
  const auto files = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
  EXPECT_EQ(files, 8);  // the lists alone: the runs have gone with their handles
}

TEST_F(RankedResultsTest, SideFilesGiveTheListsFiguresUntilTheirDictionaryChanges) {
  const std::string lex = (folder / "d.lex").string();
  const std::vector<std::string> words = {"cat", "don", "zzz", "chat", "Moor", "moor", "action"};
  {
    CompressDictionary writer(lex);
    for (const std::string& w : words) writer.addWord(w);
    writer.finish();
  }
  DictionaryHeader header;
  header.created = 1;
  header.modified = 2;
  header.wordCount = static_cast<int32_t>(words.size());
  RankFiles none;
  EXPECT_EQ(none.add(lex, header), RankFiles::State::kMissing);
  OperationContext context;
  ASSERT_TRUE(writeRankFile(context, lex, header, table));
  RankFiles files;
  ASSERT_EQ(files.add(lex, header), RankFiles::State::kRead);
  for (const std::string& w : words) {
    EXPECT_EQ(files.rarity(w), table.rarity(w)) << w;
    EXPECT_EQ(files.level(w), table.level(w)) << w;
  }
  EXPECT_EQ(files.rarity("absent"), Commonness::kUnlistedRarity);
  // Other word lists than those it was made from (an upgrade): made again; none: it serves.
  ASSERT_TRUE(writeRankFile(context, lex, header, table, "lists-1"));
  EXPECT_EQ(RankFiles().add(lex, header, "lists-2"), RankFiles::State::kOutOfDate);
  EXPECT_EQ(RankFiles().add(lex, header, ""), RankFiles::State::kRead);
  {
    // A word changed for another within the same second: the count and the times stay.
    CompressDictionary writer(lex);
    for (const std::string& w : words) writer.addWord(w == "cat" ? "cot" : w);
    writer.finish();
  }
  EXPECT_EQ(RankFiles().add(lex, header), RankFiles::State::kOutOfDate);
  ASSERT_TRUE(writeRankFile(context, lex, header, table));
  EXPECT_EQ(RankFiles().add(lex, header), RankFiles::State::kRead);
  const std::string rnk = rankFilePath(lex);
  fs::resize_file(rnk, fs::file_size(rnk) - 9);  // cut short
  EXPECT_EQ(RankFiles().add(lex, header), RankFiles::State::kDamaged);
}

}  // namespace
}  // namespace wk::test
