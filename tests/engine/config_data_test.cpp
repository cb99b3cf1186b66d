// The ini file and the configured directories.
#include "engine/config/config_data.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/process_home.h"
#include "engine/base/file_ops.h"
#include "engine/base/ini_file.h"
#include "engine/base/paths.h"
#include "test_home.h"

namespace fs = std::filesystem;

namespace wk::test {
namespace {

class ConfigTest : public HomeTest {
 protected:
  void SetUp() override {
    HomeTest::SetUp();
    fs::remove("wordkeg.ini");
    for (const char* d : {"files", "lexicons", "temp"}) fs::remove(d);
  }
  const std::string sep = std::string(1, kSeparator);
};

TEST_F(ConfigTest, FirstStartWritesDefaultsAndMakesDirectories) {
  const ConfigData& config = app::processConfig();
  EXPECT_EQ(config.dictionaryDirectory(), "." + sep + "lexicons");
  EXPECT_EQ(getProfileString("PATHS", "FILES", "", "wordkeg.ini"), "." + sep + "files");
  EXPECT_EQ(getProfileString("paths", "temp_files", "", "wordkeg.ini"), "." + sep + "temp");
  EXPECT_TRUE(isDirectory("temp"));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ConfigTest, LaterStartCreatesMissingDirectories) {
  writeFile("wordkeg.ini", "[PATHS]\nFILES=.\\mine\n");
  const ConfigData& config = app::processConfig();
  EXPECT_EQ(config.resultsDirectory(), nativePath(".\\mine"));
  EXPECT_TRUE(isDirectory("mine"));
  EXPECT_TRUE(isDirectory("lexicons"));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ConfigTest, PathTakenByFileFallsBackWithMessage96) {
  writeFile("taken", "x");
  writeFile("wordkeg.ini", "[PATHS]\r\nDICTIONARIES=taken\r\n");
  EXPECT_EQ(app::processConfig().dictionaryDirectory(), "." + sep + "lexicons");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("default path of .\\files"), std::string::npos);
  EXPECT_EQ(messages.shown[0].caption, "Problem Processing Wordkeg.ini");
}

TEST_F(ConfigTest, UncreatableOrEmptyPathShowsMessage99AndTheDefaultServes) {
  // An empty value must never become the root of the file system ("" + "/" + name).
  writeFile("wordkeg.ini", "[PATHS]\nFILES=\nTEMP_FILES=no/such/parent\n");
  const ConfigData& config = app::processConfig();
  EXPECT_EQ(config.resultsDirectory(), "." + sep + "files");
  EXPECT_EQ(config.tempDirectory(), "." + sep + "temp");
  EXPECT_TRUE(isDirectory("files"));
  EXPECT_TRUE(isDirectory("temp"));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text.rfind("Wordkeg was unable to create the directory", 0), 0u);
}

TEST_F(ConfigTest, ReminderFlagReadsOneOnly) {
  const ConfigData& config = app::processConfig();
  EXPECT_FALSE(config.reminderSilenced());
  config.setReminderSilenced(true);
  EXPECT_TRUE(config.reminderSilenced());
  EXPECT_EQ(getProfileString("PATHS", "DICTIONARIES", "", "wordkeg.ini"), "." + sep + "lexicons");
  writeProfileString("REMINDERS", "Unique Words", "yes", "wordkeg.ini");
  EXPECT_FALSE(config.reminderSilenced());
}

TEST_F(ConfigTest, NameCompletionKeepsPathsWithSeparators) {
  const ConfigData& config = app::processConfig();
  EXPECT_EQ(config.dictionaryPath("a.lex"), "." + sep + "lexicons" + sep + "a.lex");
  EXPECT_EQ(config.tempPath("x/y"), "x/y");
}

TEST(IniFile, WindowsProfileSemantics) {
  const std::string path = (fs::temp_directory_path() / "wk_ini_test.ini").string();
  writeBytes(path, std::vector<unsigned char>{});
  std::string text =
      "; comment\r\n[Other]\nkey=no\n[ paths ]\n  Key  =  \"quoted value\"  \nnum= 42abc\nneg=-7\n";
  writeBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
  EXPECT_EQ(getProfileString("PATHS", "key", "d", path), "quoted value");
  EXPECT_EQ(getProfileString("PATHS", "missing", "d", path), "d");
  EXPECT_EQ(getProfileString("Nope", "key", "d", path), "d");
  EXPECT_EQ(getProfileInt("PATHS", "num", 5, path), 42);
  EXPECT_EQ(getProfileInt("PATHS", "neg", 5, path), -7);
  EXPECT_EQ(getProfileInt("PATHS", "key", 5, path), 0);
  EXPECT_EQ(getProfileInt("PATHS", "absent", 5, path), 5);
  ASSERT_TRUE(writeProfileString("paths", "NUM", "1", path));
  ASSERT_TRUE(writeProfileString("New", "k", "v", path));
  EXPECT_EQ(getProfileInt("PATHS", "num", 5, path), 1);
  EXPECT_EQ(getProfileString("Other", "key", "", path), "no");
  EXPECT_EQ(getProfileString("new", "K", "", path), "v");
  fs::remove(path);
}

TEST(IniFile, RewriteKeepsLinesWithNulBytes) {
  const std::string path = (fs::temp_directory_path() / "wk_ini_nul.ini").string();
  const std::string text = std::string("[PATHS]\nFILES=a\0b\n", 19);
  writeBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
  const std::string before = getProfileString("PATHS", "FILES", "", path);
  ASSERT_EQ(before.size(), 3u);
  ASSERT_TRUE(writeProfileString("REMINDERS", "Unique Words", "1", path));
  EXPECT_EQ(getProfileString("PATHS", "FILES", "", path), before);
  fs::remove(path);
}

}  // namespace
}  // namespace wk::test
