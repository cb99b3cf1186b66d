// The results pair: appending, the header, saving, viewing damaged pairs, deleting, and the
// text report.
#include "engine/search/result_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/process_home.h"
#include "engine/base/file_ops.h"
#include "engine/base/temp_names.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_header.h"
#include "engine/search/search_data.h"
#include "engine/search/text_report.h"
#include "test_home.h"

namespace wk::test {
namespace {

class ResultStoreTest : public HomeTest {
 protected:
  void SetUp() override {
    HomeTest::SetUp();
    store = std::make_unique<ResultStore>(tempPath("w.$$$"), tempPath("w.pdx"));
  }
  void fill(int count) {
    for (int i = 0; i < count; ++i) {
      char word[16];  // not "w" + std::to_string(i): GCC 12 warns falsely (-Wrestrict) on it
      std::snprintf(word, sizeof word, "w%d", i);
      store->append(word, false);
    }
  }
  ResultsHeader header() {
    ResultsHeader h;
    h.find = "c?t";
    h.from = "tca";
    h.wordsChecked = 1234;
    h.useAll = true;
    return h;
  }
  std::unique_ptr<ResultStore> store;
};

TEST_F(ResultStoreTest, PairLayoutOfWordsAndSequences) {
  store->append("cat", false);
  store->append("cat dog ", true);
  store->finish(header());
  const auto data = readBytes(tempPath("w.$$$"));
  ASSERT_EQ(data.size(), results::kHeaderBytes + 4u + 8u);
  EXPECT_EQ(std::string(data.begin() + results::kHeaderBytes, data.end()), "cat\ncat dog\n");
  const auto h = ResultsHeader::decode(data.data());
  EXPECT_EQ(h.magic, 22961);
  EXPECT_EQ(h.found, 2);
  EXPECT_EQ(h.longestEntry, 8);
  EXPECT_EQ(h.find, "c?t");
  EXPECT_TRUE(h.useAll);
  const auto index = readBytes(tempPath("w.pdx"));
  ASSERT_EQ(index.size(), 12u);
  EXPECT_EQ(readInt32(index.data()), results::kHeaderBytes);
  EXPECT_EQ(readInt32(index.data() + 8), results::kHeaderBytes + 12);
  EXPECT_EQ(store->entry(1), "cat dog");
}

TEST_F(ResultStoreTest, SaveViewAndDeleteAPair) {
  fill(3);
  store->finish(header());
  const std::string saved = app::processConfig().resultsDirectory() + "/mine";
  ASSERT_EQ(store->savePair(saved + ".WKG"), 0);  // the extension is replaced by wkg
  EXPECT_TRUE(fileExists(saved + ".wkg"));
  EXPECT_TRUE(fileExists(saved + ".pdx"));
  ResultStore other(tempPath("o.$$$"), tempPath("o.pdx"));
  ResultsHeader h;
  ASSERT_TRUE(other.view(saved, h));
  EXPECT_EQ(h.from, "tca");
  EXPECT_EQ(h.wordsChecked, 1234);
  EXPECT_EQ(other.entryCount(), 3);
  EXPECT_EQ(other.entry(2), "w2");
  EXPECT_EQ(other.savePair(saved), 0);  // onto itself: nothing to do
  EXPECT_TRUE(other.deleteResults());
  EXPECT_FALSE(fileExists(saved + ".wkg"));
  EXPECT_FALSE(fileExists(saved + ".pdx"));
  EXPECT_TRUE(fileExists(tempPath("w.$$$")));
}

TEST_F(ResultStoreTest, ViewWithoutIndexKeepsThePairOnDisplay) {
  fill(2);
  store->finish(header());
  writeFile(tempPath("lone.wkg"), std::string(200, 'x'));
  ResultsHeader h;
  EXPECT_FALSE(store->view(tempPath("lone"), h));
  EXPECT_EQ(messages.shown.back().text, "Unable to Open File: " + tempPath("lone.pdx"));
  EXPECT_EQ(store->dataPath(), tempPath("w.$$$"));
  EXPECT_EQ(store->entry(1), "w1");
  // Halves of two saves (a copy killed between putting them in place): refused, not shown as
  // one pair with the other's count.
  ASSERT_EQ(store->savePair(tempPath("two")), 0);
  ResultStore bigger(tempPath("b.$$$"), tempPath("b.pdx"));
  for (int i = 0; i < 5; ++i) bigger.append(std::string("word").append(std::to_string(i)), false);
  bigger.finish(header());
  ASSERT_EQ(bigger.savePair(tempPath("five")), 0);
  ASSERT_TRUE(copyFile(tempPath("two.wkg"), tempPath("five.wkg"), nullptr) == 0);
  EXPECT_FALSE(store->view(tempPath("two"), h));
  EXPECT_NE(messages.shown.back().text.find("do not belong together"), std::string::npos);
  EXPECT_EQ(store->entry(1), "w1");
  // An index cut short is refused with words that name damage, not only another save.
  const auto index = readBytes(tempPath("five.pdx"));
  writeBytes(tempPath("cut.wkg"), readBytes(tempPath("b.$$$")));
  writeBytes(tempPath("cut.pdx"), std::vector<unsigned char>(index.begin(), index.begin() + 12));
  EXPECT_FALSE(store->view(tempPath("cut"), h));
  EXPECT_NE(messages.shown.back().text.find("damaged (cut short)"), std::string::npos);
}

// A save staged beside its target by a copy that was killed leaves a file no one removes: the
// next save there removes it, and only the ones whose process has certainly ended.
TEST_F(ResultStoreTest, SavesRemoveWhatKilledCopiesStagedBesideThem) {
#ifdef _WIN32
  GTEST_SKIP() << "processes are not asked about on Windows";
#endif
  fill(1);
  store->finish(header());
  const std::string dead = tempPath("TMP" + toBase36(2147483646u) + "_3.$$$");
  const std::string mine = tempPath(freshTempName());
  writeFile(dead, "staged");
  writeFile(mine, "staged");
  ASSERT_EQ(store->savePair(tempPath("kept")), 0);
  EXPECT_FALSE(fileExists(dead));
  EXPECT_TRUE(fileExists(mine));
}

TEST_F(ResultStoreTest, DamagedPairsReadOnlyWhatTheyHold) {
  fill(4);
  store->finish(header());
  auto data = readBytes(tempPath("w.$$$"));
  auto index = readBytes(tempPath("w.pdx"));
  writeInt32(data.data() + results::kFoundField, 1000000);  // far beyond the index
  for (int i = results::kFindField; i < results::kHeaderBytes; ++i)
    data[i] = 'x';  // texts without their NUL
  writeInt32(index.data() + 4, 999999);          // offset beyond the data
  writeInt32(index.data() + 8, 150);             // out of order
  writeBytes(tempPath("bad.wkg"), data);
  writeBytes(tempPath("bad.pdx"), index);
  ResultStore viewer(tempPath("v.$$$"), tempPath("v.pdx"));
  ResultsHeader h;
  ASSERT_TRUE(viewer.view(tempPath("bad"), h));
  EXPECT_EQ(h.find.size(), 42u);
  EXPECT_EQ(viewer.entryCount(), 4);
  for (int i = 0; i < 6; ++i) EXPECT_LE(viewer.entry(i).size(), data.size());
  for (int first = 0; first < 6; ++first)
    EXPECT_LE(viewer.entriesText(first, 3).size(), data.size());
  writeBytes(tempPath("short.wkg"), std::vector<unsigned char>(10, 1));
  writeBytes(tempPath("short.pdx"), std::vector<unsigned char>(3, 1));
  EXPECT_TRUE(viewer.view(tempPath("short"), h));
  EXPECT_EQ(viewer.entryCount(), 0);
  EXPECT_EQ(viewer.entry(0), "");
}

// A search that would fill its disk stops at the reserve it leaves free, once, keeping every
// result written so far as a whole pair.
TEST_F(ResultStoreTest, ReserveOfFreeSpaceStopsAndKeepsTheResults) {
  const int64_t gb = int64_t{1} << 30;
  int calls = 0;
  store->setDiskSpaceProbe([&](const std::string&) {
    return ++calls == 1 ? DiskSpace{100 * gb, 50 * gb} : DiskSpace{100 * gb, gb / 2};
  });
  for (int i = 0; i < 100000 && !store->stopsSearch(); ++i)
    store->append(std::string(1, 'w').append(std::to_string(i)), false);
  EXPECT_TRUE(store->reserveReached());
  const int kept = store->entryCount();
  EXPECT_GT(kept, 1000);
  EXPECT_LT(kept, 100000);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("the disk is nearly full"), std::string::npos);
  store->append("later", false);
  store->finish(header());
  ASSERT_EQ(store->savePair(tempPath("kept")), 0);
  ResultStore viewer(tempPath("v.$$$"), tempPath("v.pdx"));
  ResultsHeader h;
  ASSERT_TRUE(viewer.view(tempPath("kept"), h));
  EXPECT_EQ(viewer.entryCount(), kept);
  EXPECT_EQ(viewer.entry(kept - 1), std::string(1, 'w').append(std::to_string(kept - 1)));
}

// The pair's offsets are 32-bit: a search of more results than 2 GB stops before they wrap (the
// list drew blank rows past them), keeping a whole, readable pair.
TEST_F(ResultStoreTest, DataPastItsLargestSizeStopsAndKeepsTheResults) {
  store->setLargestData(results::kHeaderBytes + 10 * 4);  // room for ten "wNN" lines
  for (int i = 10; i < 30 && !store->stopsSearch(); ++i)
    store->append(std::string(1, 'w').append(std::to_string(i)), false);
  EXPECT_EQ(store->entryCount(), 10);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("at most 2 GB"), std::string::npos);
  store->finish(header());
  EXPECT_EQ(store->entry(9), "w19");
}

TEST_F(ResultStoreTest, UncreatableWorkingPairIsReportedOnce) {
  ResultStore lost("no/such/dir/w.$$$", "no/such/dir/w.pdx");
  lost.append("cat", false);
  lost.append("dog", false);
  EXPECT_EQ(lost.entryCount(), 0);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ResultStoreTest, FullDiskIsReportedOnceAndAppendingStops) {
  FileSizeLimit full(20000);
  if (!full.active()) GTEST_SKIP() << "no file size limit on this platform";
  for (int i = 0; i < 5000; ++i) store->append("abcdefgh", false);
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text.rfind("Unable to write File: ", 0), 0u);
  // Counted: the results of the 5120-byte blocks written, the fourth of which met the limit, and
  // none appended after it (a second buffer behind the blocks would count some more).
  EXPECT_EQ(store->entryCount(), 4 * 5120 / 9);
}

// Results reach the files a block at a time: a disk that fills with the last block is told at
// the end of the search, not taken for success.
TEST_F(ResultStoreTest, FullDiskAtTheLastBlockIsReported) {
  FileSizeLimit full(20000);
  if (!full.active()) GTEST_SKIP() << "no file size limit on this platform";
  for (int i = 0; i < 2250; ++i) store->append("abcdefgh", false);  // 20,394 bytes of data
  EXPECT_TRUE(messages.shown.empty());
  store->finish(header());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text.rfind("Unable to write File: ", 0), 0u);
}

TEST_F(ResultStoreTest, TextReportRepeatsDefinitionCountsAndLines) {
  store->append("cat", false);
  store->append("cat dog ", true);
  ResultsHeader h = header();
  store->finish(h);
  ASSERT_TRUE(writeTextReport(*store, h, "report.txt", nullptr));
  std::ifstream in("report.txt");
  std::stringstream text;
  text << in.rdbuf();
  const std::string rule = std::string(60, '*') + "\n\n";
  EXPECT_EQ(text.str(),
            rule +
                "Results from Wordkeg Search\n\nFind Field: c?t\nFrom Field: tca\nInclude Field: \n"
                "Exclude Field: \n\nUse All Source Selected\n\nWords Checked:      1234\n"
                "Words Found:         2\n\n" +
                rule + "cat\ncat dog\n");
  EXPECT_EQ(store->entry(0), "cat");  // the pair is still usable afterwards
}

// The header keeps the count in 32 bits; a long search checks more than two thousand million
// words, and the report must not show that as a negative number; past 32 bits (a four-word
// search checks billions) it keeps the field's largest value instead of wrapping.
TEST_F(ResultStoreTest, TextReportShowsACountPast31BitsUnsigned) {
  store->append("cat", false);
  ResultsHeader h = header();
  h.wordsChecked = static_cast<int32_t>(3334209552u);
  store->finish(h);
  ASSERT_TRUE(writeTextReport(*store, h, "report.txt", nullptr));
  std::ifstream in("report.txt");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("Words Checked: 3334209552\n"), std::string::npos) << text.str();
  const ResultsHeader huge =
      resultsHeaderFor(SearchFields{"*", "", "", "", true, false}, 13'000'000'000ull);
  EXPECT_EQ(static_cast<uint32_t>(huge.wordsChecked), UINT32_MAX);
}

TEST(SaveTarget, ExtensionDecidesPairOrReport) {
  EXPECT_EQ(saveTarget("out", true).path, "out.wkg");
  EXPECT_TRUE(saveTarget("out", true).pair);
  EXPECT_EQ(saveTarget("out", false).path, "out.asc");
  EXPECT_FALSE(saveTarget("out", false).pair);
  EXPECT_TRUE(saveTarget("OUT.WKG", false).pair);
  EXPECT_FALSE(saveTarget("out.txt", true).pair);
  EXPECT_EQ(saveTarget("dir.d/out", true).path, "dir.d/out.wkg");
}

}  // namespace
}  // namespace wk::test
