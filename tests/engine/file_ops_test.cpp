// Copy, move, wildcard search and the path helpers.
#include "engine/base/file_ops.h"

#include <gtest/gtest.h>

#include "engine/base/paths.h"
#include "test_home.h"

namespace wk::test {
namespace {

class FileOpsTest : public HomeTest {};

TEST_F(FileOpsTest, CopyEmptyAndMissingSource) {
  writeFile("empty", "");
  std::atomic<int> percent{-5};
  EXPECT_EQ(copyFile("copy", "empty", &percent), copy_result::kOk);
  EXPECT_EQ(percent, 0);
  EXPECT_TRUE(isRegularFile("copy"));
  EXPECT_EQ(copyFile("copy2", "absent", nullptr), copy_result::kCannotRead);
  EXPECT_FALSE(fileExists("copy2"));  // no stray destination is left behind
  EXPECT_EQ(copyFile("no/such/dir/x", "empty", nullptr), copy_result::kCannotWrite);
}

TEST_F(FileOpsTest, CopyReportsPercentAndKeepsBytes) {
  std::string big(50000, 'x');
  big[49999] = '\n';
  writeFile("big", big);
  std::atomic<int> percent{0};
  EXPECT_EQ(copyFile("big2", "big", &percent), copy_result::kOk);
  EXPECT_EQ(percent, 100);
  EXPECT_EQ(readBytes("big2"), readBytes("big"));
}

TEST_F(FileOpsTest, CopyOntoFullDiskIsAFailureAndLeavesNoPart) {
  writeFile("big", std::string(100000, 'x'));
  FileSizeLimit full(50000);
  if (!full.active()) GTEST_SKIP() << "no file size limit on this platform";
  EXPECT_EQ(copyFile("copy", "big", nullptr), copy_result::kWriteFailed);
  EXPECT_FALSE(fileExists("copy"));
  // A copy that fails over an earlier file keeps that file as it was, and leaves no part.
  writeFile("earlier", "earlier bytes");
  EXPECT_EQ(copyFile("earlier", "big", nullptr), copy_result::kWriteFailed);
  const std::string kept = "earlier bytes";
  EXPECT_EQ(readBytes("earlier"), std::vector<unsigned char>(kept.begin(), kept.end()));
  EXPECT_TRUE(findFiles("TMP*").empty());
}

TEST_F(FileOpsTest, MoveReplacesDestination) {
  writeFile("a", "new");
  writeFile("b", "old");
  EXPECT_EQ(moveFile("b", "a", nullptr), copy_result::kOk);
  EXPECT_FALSE(fileExists("a"));
  EXPECT_EQ(readBytes("b").size(), 3u);
  EXPECT_NE(moveFile("c", "a", nullptr), copy_result::kOk);
}

TEST_F(FileOpsTest, WildcardSearchIgnoresCaseAndDirectories) {
  writeFile("one.lex", "");
  writeFile("TWO.LEX", "");
  writeFile("three.lxb", "");
  std::filesystem::create_directory("dir.lex");
  auto names = findFiles("./*.lex");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"TWO.LEX", "one.lex"}));
  deleteMatching("./*.lex");
  EXPECT_TRUE(findFiles("./*.lex").empty());
  EXPECT_TRUE(wildcardMatch("$$tmp{{{.*", "$$tmp{{{.1f"));
  EXPECT_FALSE(wildcardMatch("$$tmp{{{.*", "$$tmp{{.1"));
  EXPECT_TRUE(wildcardMatch("a?c*", "abcdef"));
}

TEST(Paths, ExtensionAndNameHelpers) {
  // A '.' in a directory name is not an extension.
  EXPECT_EQ(extensionOf("dir.d/name"), "");
  EXPECT_EQ(extensionOf("./files/a.WKG"), "WKG");
  EXPECT_EQ(extensionOf("name"), "");
  EXPECT_EQ(replaceExtension("name", "lex"), "name.lex");
  EXPECT_EQ(replaceExtension("name.txt", ".lex"), "name.lex");
  EXPECT_EQ(replaceExtension("dir.d/name", "lex"), "dir.d/name.lex");
  EXPECT_EQ(replaceExtension(".\\temp\\$$abc.$$$", "wki"), ".\\temp\\$$abc.wki");
  EXPECT_EQ(fileNameOf("a\\b/c.lex"), "c.lex");
  EXPECT_EQ(fileNameOf("c.lex"), "c.lex");
  EXPECT_EQ(directoryOf("a\\b/c.lex"), "a\\b/");
  EXPECT_EQ(directoryOf("c.lex"), "");
}

}  // namespace
}  // namespace wk::test
