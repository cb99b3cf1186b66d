// The external sort: run names, block sort, multi-pass merges, work estimate and clean-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "engine/base/file_ops.h"
#include "engine/base/wordkeg_exception.h"
#include "engine/compile/file_sort.h"
#include "engine/compile/merge_estimate.h"
#include "engine/compile/merge_file.h"
#include "engine/compile/numbered_file.h"
#include "engine/compile/run_record.h"
#include "engine/compile/string_handler.h"
#include "engine/dict/word_order.h"
#include "test_home.h"

namespace wk::test {
namespace {

class FileSortTest : public HomeTest {
 protected:
  std::string writeRun(const std::string& name, const std::vector<std::string>& words) {
    const std::string path = tempPath(name);
    std::vector<unsigned char> bytes;
    for (const auto& w : words) {
      unsigned char r[run_record::kSize];
      run_record::make(w, r);
      bytes.insert(bytes.end(), r, r + run_record::kSize);
    }
    writeBytes(path, bytes);
    return path;
  }
  std::vector<std::string> readRun(const std::string& path) {
    const auto bytes = readBytes(path);
    std::vector<std::string> words;
    for (size_t i = 0; i + run_record::kSize <= bytes.size(); i += run_record::kSize)
      words.emplace_back(run_record::word(bytes.data() + i));
    return words;
  }
};

TEST(NumberedFile, NamesCountInLowerCaseHex) {
  numberedFile names("$$tmp{{{");
  std::vector<std::string> got;
  for (int i = 0; i < 16; ++i) got.push_back(names.next());
  EXPECT_EQ(got[0], "$$tmp{{{.1");
  EXPECT_EQ(got[9], "$$tmp{{{.a");
  EXPECT_EQ(got[15], "$$tmp{{{.10");
  EXPECT_EQ(names.current(), "$$tmp{{{.10");
}

TEST(MergeEstimate, CountsEveryPassARecordTakesPart) {
  EXPECT_EQ(mergeWorkEstimate(runSizes(12000), 5), 12000);
  EXPECT_EQ(mergeWorkEstimate(runSizes(15001), 5), 15000 + 15001);
  EXPECT_EQ(mergeWorkEstimate(runSizes(0), 5), 1);
  EXPECT_EQ(mergeWorkEstimate({0, 0}, 5), 1);
  EXPECT_EQ(runSizes(6001), (std::vector<int64_t>{3000, 3000, 1}));
}

TEST_F(FileSortTest, FileSortSortsMultiBlockFileInPlace) {
  std::vector<std::string> words;
  for (int i = 0; i < 7000; ++i) {
    std::string w;
    for (int n = (i * 7919) % 4000 + 1; n; n /= 26) w += static_cast<char>('a' + n % 26);
    words.push_back(w);
  }
  const std::string path = writeRun("big", words);
  std::atomic<int> progress{0};
  FileSort sorter(path, run_record::kSize, run_record::compare, &progress);
  EXPECT_TRUE(sorter.sort());
  const auto sorted = readRun(path);
  EXPECT_EQ(sorted.size(), words.size());
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                             [](auto& a, auto& b) { return compareWords(a, b) < 0; }));
}

TEST_F(FileSortTest, SixRunsMergeInTwoPassesAndLeaveNoIntermediate) {
  std::vector<std::string> expected;
  for (int run = 0; run < 6; ++run) {
    std::vector<std::string> words;
    for (char c = 'a'; c <= 'z'; ++c) {
      std::string word(1, c);  // appended, not added: GCC 12 warns falsely (-Wrestrict) on +
      word.append(1 + run % 3, static_cast<char>('a' + run));
      words.push_back(word);
    }
    std::sort(words.begin(), words.end(), [](auto& a, auto& b) { return compareWords(a, b) < 0; });
    writeRun("$$tmp{{{." + std::to_string(run + 1), words);
    expected.insert(expected.end(), words.begin(), words.end());
  }
  std::stable_sort(expected.begin(), expected.end(),
                   [](auto& a, auto& b) { return compareWords(a, b) < 0; });
  std::atomic<int> progress{0};
  {
    MergeFile<StringHandler> merger(tempPath("$$tmp{{{.*"), tempPath("out"), &progress);
    ASSERT_TRUE(merger.merge());
  }
  // The second pass takes the sixth run and the first pass output.
  EXPECT_EQ(progress, mergeWorkEstimate(std::vector<int64_t>(6, 26), 5));
  EXPECT_EQ(progress, 5 * 26 + 6 * 26);
  auto merged = readRun(tempPath("out"));
  EXPECT_EQ(merged, expected);
  const auto left = tempFiles();
  EXPECT_EQ(std::count_if(left.begin(), left.end(), [](auto& n) { return n.rfind("TMP", 0) == 0; }),
            0);
}

TEST_F(FileSortTest, SingleRunIsMovedAndEmptyRunContributesNothing) {
  writeRun("$$tmp{{{.1", {"cat", "dog"});
  {
    MergeFile<StringHandler> merger(tempPath("$$tmp{{{.*"), tempPath("one"), nullptr);
    ASSERT_TRUE(merger.merge());
  }
  EXPECT_EQ(readRun(tempPath("one")), (std::vector<std::string>{"cat", "dog"}));
  writeRun("$$tmp{{{.1", {"ab", "cat"});
  writeRun("$$tmp{{{.2", {});
  {
    MergeFile<StringHandler> merger(tempPath("$$tmp{{{.*"), tempPath("two"), nullptr);
    ASSERT_TRUE(merger.merge());
  }
  EXPECT_EQ(readRun(tempPath("two")), (std::vector<std::string>{"ab", "cat"}));
}

TEST_F(FileSortTest, CancelledMergeProducesNoOutputAndCleansUp) {
  for (int run = 1; run <= 7; ++run) writeRun("$$tmp{{{." + std::to_string(run), {"ab", "cd"});
  {
    MergeFile<StringHandler> merger(tempPath("$$tmp{{{.*"), tempPath("out"), nullptr);
    merger.cancel();
    EXPECT_FALSE(merger.merge());
  }
  EXPECT_FALSE(fileExists(tempPath("out")));
  EXPECT_EQ(tempFiles().size(), 7u);
}

TEST_F(FileSortTest, MissingInputThrowsAndLeavesNoIntermediate) {
  writeRun("a1", {"ab"});
  {
    MergeFile<StringHandler> merger(std::vector<std::string>{tempPath("a1"), tempPath("missing")},
                                    tempPath("out"), nullptr);
    EXPECT_THROW(merger.merge(), WordkegException);
  }
  EXPECT_EQ(tempFiles(), (std::vector<std::string>{"a1"}));
}

}  // namespace
}  // namespace wk::test
