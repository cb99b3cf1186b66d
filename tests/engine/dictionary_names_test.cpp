// The catalogue: the scan and its warnings, selection write-back, backups, temporary names and
// the instance marker.
#include "engine/dict/dictionary_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/process_home.h"
#include "engine/base/file_lock.h"
#include "engine/base/file_ops.h"
#include "engine/base/paths.h"
#include "engine/base/wordkeg_exception.h"
#include "engine/config/config_data.h"
#include "engine/dict/instance_marker.h"
#include "engine/dict/word_lookup.h"
#include "test_home.h"

namespace wk::test {
namespace {

class DictionaryNamesTest : public HomeTest {};

TEST_F(DictionaryNamesTest, EmptyDirectoryWarnsNoDictionaries) {
  EXPECT_EQ(app::processCatalogue().count(), 0u);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Wordkeg could not find any dictionaries. ");
  EXPECT_EQ(messages.shown[0].caption, "Warning");
}

TEST_F(DictionaryNamesTest, WrongMagicAndShortFilesAreListedOnce) {
  makeDictionary("good", {"cat"});
  writeFile(lexPath("short"), "tiny");
  auto bytes = readBytes(lexPath("good"));
  bytes[dict::kHeaderOffset + dict::kMagicField] = 1;
  writeBytes(lexPath("alien"), bytes);
  DictionaryNames& catalogue = app::processCatalogue();
  EXPECT_EQ(catalogue.count(), 1u);
  ASSERT_EQ(messages.shown.size(), 1u);
  const std::string& text = messages.shown[0].text;
  EXPECT_EQ(text.rfind("Wordkeg detected that the following dictionaries", 0), 0u);
  EXPECT_NE(text.find("\n" + lexPath("short")), std::string::npos);
  EXPECT_NE(text.find("\n" + lexPath("alien")), std::string::npos);
}

TEST_F(DictionaryNamesTest, OnlyBadFilesGiveNoEmptyWarning) {
  writeFile(lexPath("short"), "tiny");
  app::processCatalogue();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("not Wordkeg dictionaries"), std::string::npos);
}

TEST_F(DictionaryNamesTest, NameInCapitalsIsFoundAndStillOpens) {
  makeDictionary("Mixed", {"cat"});
  std::filesystem::rename(lexPath("Mixed"), app::processConfig().dictionaryPath("MIXED.LEX"));
  DictionaryNames& catalogue = app::processCatalogue();
  ASSERT_EQ(catalogue.count(), 1u);
  EXPECT_EQ(wordsOf(catalogue.entry(0).path), (std::vector<std::string>{"cat"}));
}

TEST_F(DictionaryNamesTest, SelectionIsWrittenBackAtShutdownOnly) {
  makeDictionary("a", {"cat"});
  makeDictionary("b", {"dog"});
  DictionaryNames& catalogue = app::processCatalogue();
  EXPECT_FALSE(catalogue.anySelected());
  EXPECT_EQ(catalogue.setSelected(lexPath("b"), true), 1);
  EXPECT_EQ(catalogue.setSelected(lexPath("zzz"), true), 0);
  EXPECT_TRUE(catalogue.isSelected(lexPath("b")));
  EXPECT_THROW(catalogue.isSelected(lexPath("zzz")), WordkegException);
  EXPECT_EQ(readBytes(lexPath("b"))[dict::kHeaderOffset + dict::kSelectedField], 0);
  app::closeProcessCatalogue();
  EXPECT_EQ(readBytes(lexPath("b"))[dict::kHeaderOffset + dict::kSelectedField], 1);
  EXPECT_TRUE(app::processCatalogue().isSelected(lexPath("b")));
}

TEST_F(DictionaryNamesTest, DeleteKeepsFileAsBackupAndBlockedBackupRefuses) {
  makeDictionary("a", {"cat"});
  makeDictionary("b", {"dog"});
  DictionaryNames& catalogue = app::processCatalogue();
  EXPECT_EQ(catalogue.deleteDictionary(lexPath("a")), 1);
  EXPECT_EQ(catalogue.find(lexPath("a")), nullptr);
  EXPECT_TRUE(fileExists(replaceExtension(lexPath("a"), "lxb")));
  // A backup name taken by a directory with content cannot be deleted.
  std::filesystem::create_directories(replaceExtension(lexPath("b"), "lxb") + "/inside");
  EXPECT_EQ(catalogue.deleteDictionary(lexPath("b")), 0);
  EXPECT_NE(catalogue.find(lexPath("b")), nullptr);
  EXPECT_TRUE(fileExists(lexPath("b")));
  EXPECT_EQ(messages.shown.back().text,
            "Wordkeg was unable to delete this file: " + replaceExtension(lexPath("b"), "lxb"));
  EXPECT_EQ(messages.shown.back().caption, "File Error.");
}

TEST_F(DictionaryNamesTest, TemporaryNamesNeverCollide) {
  makeDictionary("a", {"cat"});
  makeDictionary("b", {"dog"});
  DictionaryNames& catalogue = app::processCatalogue();
  makeDictionary("c", {"cow"});
  makeDictionary("d", {"cod"});
  EXPECT_EQ(catalogue.addIfAbsent(lexPath("c")), 1);
  EXPECT_EQ(catalogue.addIfAbsent(lexPath("c")), 0);
  EXPECT_EQ(catalogue.addIfAbsent(lexPath("d")), 1);
  std::set<std::string> names;
  for (size_t i = 0; i < catalogue.count(); ++i) names.insert(catalogue.entry(i).tempName);
  EXPECT_EQ(names.size(), 4u);
  EXPECT_EQ(extensionOf(catalogue.resultsDataPath()), "$$$");
  EXPECT_EQ(extensionOf(catalogue.resultsIndexPath()), "pdx");
  EXPECT_EQ(extensionOf(catalogue.subsetPath()), "MM_");
  EXPECT_EQ(fileNameOf(catalogue.resultsDataPath()).rfind("$$", 0), 0u);
}

TEST_F(DictionaryNamesTest, InstanceMarkersCountOnlyCopiesThatHoldThem) {
  EXPECT_EQ(InstanceMarker::runningCopies(config()), 0);
  // Another copy, even one started this second, holds its marker; a dead one left its own.
  auto other = FileLock::acquire(tempPath("$$kbz0a0_other.wki"), true);
  ASSERT_TRUE(other);
  for (const char* name : {"$$kbz0a0_dead.wki", "$$kbz0a0_dead.$$$", "$$kbz0a0_dead.pdx",
                           "$$kbz0a0_dead.1", "TMPdead_3.$$$", "$$kbz0a0_other.$$$",
                           "TMPother_1.$$$", "$$tmp{{{.1"})
    writeFile(tempPath(name), "x");
#ifndef _WIN32
  writeFile(tempPath("*.wki"), "");  // made by hand: its wildcard must not reach other files
#endif
  {
    InstanceMarker mine(catalogue());
    EXPECT_EQ(InstanceMarker::runningCopies(config()), 2);
    for (const char* gone : {"$$kbz0a0_dead.wki", "$$kbz0a0_dead.$$$", "$$kbz0a0_dead.pdx",
                             "$$kbz0a0_dead.1", "TMPdead_3.$$$"})
      EXPECT_FALSE(fileExists(tempPath(gone))) << gone;
    // The live copy's files stay, and so do the sort runs it may be making.
    for (const char* kept : {"$$kbz0a0_other.$$$", "TMPother_1.$$$", "$$tmp{{{.1"})
      EXPECT_TRUE(fileExists(tempPath(kept))) << kept;
    EXPECT_NE(fileNameOf(mine.path()), "$$kbz0a0_other.wki");
  }
  EXPECT_EQ(InstanceMarker::runningCopies(config()), 1);
  other.reset();  // the other copy dies without removing anything
  EXPECT_EQ(InstanceMarker::runningCopies(config()), 0);
  writeFile(kUpdateFile, "x");
  InstanceMarker alone(catalogue());
  EXPECT_EQ(InstanceMarker::runningCopies(config()), 1);
  EXPECT_FALSE(fileExists(tempPath("$$kbz0a0_other.wki")));
  EXPECT_FALSE(fileExists(tempPath("TMPother_1.$$$")));
  EXPECT_FALSE(fileExists(tempPath("$$tmp{{{.1")));
  EXPECT_FALSE(fileExists(kUpdateFile));
}

}  // namespace
}  // namespace wk::test
