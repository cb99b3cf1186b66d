#include "dict_commands.h"

#include <cstdio>
#include <filesystem>

#include "app/field_rules.h"
#include "app/rank_figures.h"
#include "cli_host.h"
#include "dictionary_names_cli.h"
#include "engine/base/file_ops.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "engine/compile/make_dictionary.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/instance_marker.h"
#include "engine/dict/operation_context.h"
#include "engine/dict/word_lookup.h"
#include "progress_runner.h"
#include "std_output.h"
#include "word_list_source.h"

namespace wk::cli {

int listDictionaries(DictionaryNames& catalogue) {
  for (size_t i = 0; i < catalogue.count(); ++i) {
    const DictionaryName& entry = catalogue.entry(i);
    const std::string line = std::string(1, entry.header.selected ? '*' : ' ') + " " +
                             entry.fileName() + " " + std::to_string(entry.header.wordCount);
    if (!printLine(line)) break;
  }
  return catalogue.count() ? exit_code::kDone : exit_code::kNothing;
}

int showDetails(DictionaryNames& catalogue, const std::string& name) {
  const std::string path = existingOrRefuse(catalogue, name);
  if (path.empty()) return exit_code::kRefused;
  std::printf("%s%s\n%s\n", loadString(kInformationOn), fileNameOf(path).c_str(),
              app::detailsText(catalogue, path).c_str());
  return exit_code::kDone;
}

int selectDictionaries(DictionaryNames& catalogue, const std::vector<std::string>& names,
                       bool all, bool selected) {
  if (all) {
    for (size_t i = 0; i < catalogue.count(); ++i)
      catalogue.setSelected(catalogue.entry(i).path, selected);
    return catalogue.count() ? exit_code::kDone : exit_code::kNothing;
  }
  std::vector<std::string> paths;
  for (const auto& name : names) {
    paths.push_back(existingOrRefuse(catalogue, name));
    if (paths.back().empty()) return exit_code::kRefused;
  }
  for (const auto& path : paths) catalogue.setSelected(path, selected);
  return exit_code::kDone;
}

namespace {

// "N thing" or "N things".
std::string counted(int64_t count, const char* thing) {
  return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

// " N what," when N is not 0.
void addCount(std::string& text, int64_t count, const char* what) {
  if (count == 0) return;
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on " " + std::string.
  text.append(" ").append(std::to_string(count)).append(" ").append(what).append(",");
}

// What became of the list's lines, so that half a list disappearing is never silent.
// `longest` is the home's longest word.
void printSummary(const LineTally& tally, int64_t kept, int longest) {
  std::string text = "kept " + counted(kept, "word");
  const int64_t repeats = tally.words - kept - tally.heldElsewhere;
  std::string dropped;
  if (repeats > 0) dropped = counted(repeats, "repeat") + " merged";
  if (tally.heldElsewhere > 0)
    dropped.append(dropped.empty() ? "" : ", ")
        .append(counted(tally.heldElsewhere, "word"))
        .append(" other dictionaries hold");
  if (!dropped.empty()) text += " (" + dropped + ")";
  if (tally.skipped() > 0) {
    text += "; skipped " + counted(tally.skipped(), "line") + ":";
    addCount(text, tally.notLetters, "with characters other than A-Z and a hyphen");
    const std::string tooLong = "over " + std::to_string(longest) + " letters";
    addCount(text, tally.tooLong, tooLong.c_str());
    addCount(text, tally.hyphens, "with a hyphen first, last or twice");
    addCount(text, tally.severalWords, "with more than one word");
    addCount(text, tally.blank, "blank");
    text.pop_back();
  }
  std::fprintf(stderr, "%s\n", text.c_str());
}

// After a failed write: names the folder when its disk has (next to) no room left.
void tellIfDiskFull(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::space_info space = fs::space(folder, ec);
  if (!ec && space.available < 64 * 1024)
    std::fprintf(stderr, "The disk holding %s is full.\n",
                 fs::absolute(folder).lexically_normal().string().c_str());
}

}  // namespace

int makeDictionary(DictionaryNames& catalogue, const std::string& wordList,
                   const std::string& name, bool uniqueOnly) {
  const std::string path = name.empty() ? std::string() : newDictionaryPath(catalogue, name);
  if (!name.empty() && path.empty()) return exit_code::kRefused;
  if (!soleCopyOrRefuse(catalogue)) return exit_code::kRefused;
  WordListSource source(wordList, catalogue.config().tempDirectory());
  if (!source.ready()) return exit_code::kRefused;
  CliHost host;
  LineTally tally;
  const app::Outcome outcome = app::makeDictionary(
      host, catalogue, source.path(), toLower(app::withoutLex(name)), uniqueOnly, &tally);
  const DictionaryName* made = catalogue.find(path);
  const bool read = tally.words + tally.skipped() > 0;
  // A make that failed (a full disk) has nothing to sum up: say where it could not write.
  if (lastRunThrew())
    for (const std::string& folder :
         {catalogue.config().tempDirectory(), catalogue.config().dictionaryDirectory()})
      tellIfDiskFull(folder);
  if (!interrupted() && read && !lastRunThrew() &&
      (outcome == app::Outcome::kDone || tally.words == 0))
    printSummary(tally, outcome == app::Outcome::kDone && made ? made->header.wordCount : 0,
                 catalogue.config().longestWord());
  // Its words' commonness, for ranked searches (a search makes it where this could not).
  if (outcome == app::Outcome::kDone && made) app::refreshRankFile(*made);
  return exitStatus(outcome);
}

// The catalogue file names of `names`; empty after a message when one is not listed.
static std::vector<std::string> listedFiles(DictionaryNames& catalogue,
                                            const std::vector<std::string>& names) {
  std::vector<std::string> files;
  for (const auto& name : names) {
    const std::string path = existingOrRefuse(catalogue, name);
    if (path.empty()) return {};
    files.push_back(fileNameOf(path));
  }
  return files;
}

int mergeDictionaries(DictionaryNames& catalogue, const std::string& target,
                      const std::vector<std::string>& names, bool deleteSources) {
  const std::vector<std::string> files = listedFiles(catalogue, names);
  if (files.size() != names.size()) return exit_code::kRefused;
  const std::string path = newDictionaryPath(catalogue, target);
  if (path.empty() || !soleCopyOrRefuse(catalogue)) return exit_code::kRefused;
  CliHost host;
  const app::Outcome outcome = app::mergeDictionaries(
      host, catalogue, files, toLower(app::withoutLex(target)), deleteSources);
  if (outcome == app::Outcome::kDone) {
    if (const DictionaryName* made = catalogue.find(path)) app::refreshRankFile(*made);
    app::removeLonelyRankFiles(catalogue.config());
  }
  return exitStatus(outcome);
}

int findWord(DictionaryNames& catalogue, const std::string& word) {
  // Words are looked up as people type them: QUIXOTIC finds quixotic, and says how it is stored.
  const std::string found = dictionariesHoldingAnyCase(catalogue, word);
  if (found.empty()) {
    std::fprintf(stderr, "%s\n", loadString(kWordNotFound));
    return exit_code::kNothing;
  }
  printLine(found.substr(1));
  return exit_code::kDone;
}

// The dictionary files NAMES stand for: listed ones, and files of the dictionary directory that
// the catalogue turned away as unreadable, which can only be deleted.
static std::vector<std::string> deletableFiles(DictionaryNames& catalogue,
                                               const std::vector<std::string>& names) {
  std::vector<std::string> files;
  for (const auto& name : names) {
    const std::string unlisted = app::withoutLex(fileNameOf(name)) + ".lex";
    if (findDictionary(catalogue, name).empty() &&
        isRegularFile(catalogue.config().dictionaryPath(unlisted))) {
      files.push_back(unlisted);
      continue;
    }
    const std::string path = existingOrRefuse(catalogue, name);
    if (path.empty()) return {};
    files.push_back(fileNameOf(path));
  }
  return files;
}

int deleteDictionaries(DictionaryNames& catalogue, const std::vector<std::string>& names) {
  const std::vector<std::string> files = deletableFiles(catalogue, names);
  if (files.size() != names.size() || !soleCopyOrRefuse(catalogue)) return exit_code::kRefused;
  CliHost host;
  const app::Outcome outcome = app::deleteDictionaries(host, catalogue, files);
  app::removeLonelyRankFiles(catalogue.config());
  return exitStatus(outcome);
}

int listWords(DictionaryNames& catalogue, const std::string& name) {
  const std::string path = existingOrRefuse(catalogue, name);
  if (path.empty()) return exit_code::kRefused;
  OperationContext context;
  Dictionary reader(context, path, false, 64 * 1024);
  reader.seek(1, 'a');
  int count = 0;
  while (!interrupted() && reader.readNext() && printLine(reader.asWritten())) ++count;
  return count ? exit_code::kDone : exit_code::kNothing;
}

}  // namespace wk::cli
