#include "search_commands.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/field_rules.h"
#include "app/results_commands.h"
#include "app/search_run.h"
#include "config_commands.h"
#include "dict_commands.h"
#include "dictionary_names_cli.h"
#include "engine/base/file_ops.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/scoped_files.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dict_format.h"
#include "engine/dict/dictionary_names.h"
#include "engine/search/result_store.h"
#include "engine/search/subset_builder.h"
#include "engine/search/text_report.h"
#include "progress_runner.h"
#include "std_output.h"
#include "terminal_port.h"

namespace wk::cli {
namespace {

// The dictionaries of this search, in catalogue order; empty after a message when a name is
// unknown (and `refused` set).
std::vector<const DictionaryName*> chosenDictionaries(DictionaryNames& catalogue,
                                                      const std::vector<std::string>& names,
                                                      bool& refused) {
  std::vector<std::string> wanted;
  for (const auto& name : names) {
    wanted.push_back(existingOrRefuse(catalogue, name));
    if (wanted.back().empty()) {
      refused = true;
      return {};
    }
  }
  if (names.empty()) return app::selectedDictionaries(catalogue);
  std::vector<const DictionaryName*> chosen;
  for (size_t i = 0; i < catalogue.count(); ++i) {
    const DictionaryName& entry = catalogue.entry(i);
    if (std::find(wanted.begin(), wanted.end(), entry.path) != wanted.end())
      chosen.push_back(&entry);
  }
  return chosen;
}

// A file name that names a directory (or ends like one) would put the results beside it or
// hide them inside it: refused, after a message.
bool namesAFile(const std::string& path) {
  if (!isDirectory(path) && !path.empty() && path.back() != '/' && path.back() != kSeparator)
    return true;
  showMessage(path + str(kIsADirectoryNotAFile), str(kErrorCaption), mb::kIconStop | mb::kOk);
  return false;
}

// Replacing asks first; a stream (a FIFO, /dev/null) is written to, not replaced.
bool mayReplace(const std::string& path) {
  return writeTargetOf(path).kind == WriteTarget::kStream || app::confirmReplace(path);
}

// --save asks before the search runs, so a refusal costs nothing and changes nothing.
bool mayWriteSave(const std::string& path) {
  if (path.empty()) return true;
  const SaveTarget target = saveTarget(path, true);
  if (!target.pair) return mayReplace(target.path);
  const std::string index = replaceExtension(target.path, "pdx");
  return app::confirmReplace(fileExists(target.path) ? target.path : index);
}

bool saveResults(ResultStore& store, const ResultsHeader& header, const std::string& path) {
  const SaveTarget target = saveTarget(path, true);
  if (target.pair) return store.savePair(target.path) == 0;
  return writeTextReport(store, header, target.path, nullptr);
}

// A report written over the pair it is made from would destroy it, whatever name leads to it.
bool isOwnPair(const std::string& out, const ResultStore& store) {
  std::error_code ignored;
  for (const std::string& half : {store.dataPath(), store.indexPath()})
    if (std::filesystem::equivalent(out, half, ignored)) return true;
  return false;
}

// Why a search stopped when its working results could not be written, or were not to fill the
// disk further, naming the folder.
void tellWriteFailure(const ResultStore& store) {
  namespace fs = std::filesystem;
  const std::string folder =
      fs::absolute(fs::path(store.dataPath()).parent_path()).lexically_normal().string();
  const int error = store.writeError();
  if (store.reserveReached())
    std::fprintf(stderr, "The disk holding %s is nearly full: the search stopped and nothing was "
                 "saved.\n", folder.c_str());
  else if (error == ENOSPC)
    std::fprintf(stderr, "The disk holding %s is full: the search stopped and nothing was saved.\n",
                 folder.c_str());
  else
    std::fprintf(stderr,
                 "Could not write the results into %s (%s): the search stopped and nothing "
                 "was saved.\n",
                 folder.c_str(), std::strerror(error));
}

// The result lines exactly as the data file holds them, in the order found.
void printLines(ResultStore& store) {
  if (!flushOutput()) return;
  store.copyLines(stdout, nullptr);
  flushOutput();
}

// The command line's own options, and each result printed the moment it is kept (or, longest
// first, once the search has ended).
void applyOptions(const SearchOptions& o, app::SearchRun& run) {
  run.request().minWordLength = o.minLength;
  run.request().maxWordLength = o.maxLength;
  run.store().setLimit(o.limit);
  run.store().setDistinct(o.distinct);
  if (o.longestFirst) return;
  // A reader that left (head) ends the search at once, as Ctrl-C would.
  run.store().setListener([&run](std::string_view line) {
    if (!printLine(line) && run.worker()) run.worker()->cancel();
  });
}

// The analysis of a multi-word search in the terminal; true when the search is to run.
bool analyseInTerminal(SubsetBuilder& builder, RunOutcome& outcome) {
  outcome = runWithProgress(builder);
  // No word can be made from the letters: a search that found nothing, not a failure.
  if (outcome == RunOutcome::kFailed && builder.matches() == 0 && !lastRunThrew())
    outcome = RunOutcome::kCompleted;
  return outcome == RunOutcome::kCompleted && builder.matches() > 0;
}

// The options beyond the window's that shaped the results, as given.
std::string optionsText(const SearchOptions& o) {
  std::string text;
  const auto add = [&text](const std::string& option) {
    text.append(text.empty() ? "" : " ").append(option);
  };
  if (o.limit > 0) add("--limit " + std::to_string(o.limit));
  if (o.minLength > 0) add("--min-length " + std::to_string(o.minLength));
  if (o.maxLength > 0) add("--max-length " + std::to_string(o.maxLength));
  if (o.blanks > 0) add("--blanks " + std::to_string(o.blanks));
  if (o.distinct) add("--distinct");
  for (const std::string& name : o.dictionaries) add("--dict " + name);
  return text;
}

// The results longest first, those of one length in the order found.
void printLongestFirst(ResultStore& store) {
  const std::string text = store.entriesText(0, store.entryCount());
  std::vector<std::string_view> lines;
  for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    lines.emplace_back(text.data() + at, end - at);
  std::stable_sort(lines.begin(), lines.end(),
                   [](std::string_view a, std::string_view b) { return a.size() > b.size(); });
  for (const std::string_view line : lines)
    if (!printLine(line)) return;
}

// Include and Exclude shape single words only (the window greys them out for a FIND of several
// words): given with one, they are refused rather than ignored, after the window's overlap check.
bool includeExcludeFit(const SearchFields& fields) {
  if (!isMultiWord(fields.find) || (fields.include.empty() && fields.exclude.empty())) return true;
  if (toLower(fields.exclude).find_first_of(toLower(fields.include)) != std::string::npos)
    showMessageIds(kIncludeExcludeOverlap, kInputErrorCaption, mb::kIconStop | mb::kOk);
  else
    std::fprintf(stderr,
                 "--include and --exclude apply to a FIND of one word only: a search of "
                 "several words would ignore them.\n");
  return false;
}

// The length options against the home's longest word; false after saying which one exceeds it.
bool lengthsFit(const SearchOptions& o, int longest) {
  const std::pair<const char*, int> options[] = {
      {"--min-length", o.minLength}, {"--max-length", o.maxLength}, {"--blanks", o.blanks}};
  for (const auto& [name, value] : options) {
    if (value <= longest) continue;
    std::fprintf(stderr, "%s: must be a whole number from %d to %d%s\n", name,
                 std::string_view(name) == "--blanks" ? 0 : 1, longest,
                 app::longWordsAside(longest, kTurnLongWordsOn).c_str());
    return false;
  }
  return true;
}

}  // namespace

int runSearch(DictionaryNames& catalogue, const SearchOptions& o) {
  if (!lengthsFit(o, catalogue.config().longestWord())) return exit_code::kRefused;
  if (o.progressLines) reportProgressLines();
  // The window's typing rules, FIND's "/" taken as "?".
  SearchFields fields{o.find, o.from, o.include, o.exclude, o.useAll, o.suppressPermutations};
  if (!app::recheckSearchFields(fields) || !includeExcludeFit(fields)) return exit_code::kRefused;
  if (o.longestFirst && isMultiWord(fields.find)) {
    std::fprintf(stderr, "--longest-first orders single words: FIND has several.\n");
    return exit_code::kRefused;
  }
  bool refused = false;
  const auto chosen = chosenDictionaries(catalogue, o.dictionaries, refused);
  if (refused) return exit_code::kRefused;
  if (o.save == "-") {
    std::fprintf(stderr,
                 "--save -: a results pair is two files and cannot go to standard output "
                 "(results export FILE - prints a saved pair's report).\n");
    return exit_code::kRefused;
  }
  if (!o.save.empty() && !namesAFile(o.save)) return exit_code::kRefused;
  if (!mayWriteSave(o.save)) return exit_code::kNothing;
  // This run's working files go when it ends (after the store has closed them); --save has
  // copied what it needs by then.
  ScopedFile data(catalogue.resultsDataPath()), index(catalogue.resultsIndexPath()),
      subset(catalogue.subsetPath());
  app::SearchRun run(catalogue);
  run.checks().nameLengthLimit();
  run.request().blanks = o.blanks;  // the checks count them with the FROM letters
  if (!run.checks().start(fields, !chosen.empty())) return exit_code::kRefused;
  applyOptions(o, run);
  RunOutcome outcome = RunOutcome::kCompleted;
  auto analyse = [&outcome](SubsetBuilder& builder) { return analyseInTerminal(builder, outcome); };
  if (run.prepare(chosen, analyse)) {
    // Results go out as they are found; a bar on the terminal they go to would tear them.
    outcome = runWithProgress(*run.worker(), !stdoutIsTerminal());
    run.finished();
  }
  const uint64_t checked = run.checked(false);
  ResultStore& store = run.store();
  ResultsHeader header = resultsHeaderFor(fields, checked);
  header.options = optionsText(o);
  store.finish(header);
  if (o.longestFirst) printLongestFirst(store);
  if (!flushOutput()) return exit_code::kNothing;  // the reader left; the ending says so
  std::fprintf(stderr, "%s%d\n%s%s\n", loadString(kFoundCount), store.entryCount(),
               loadString(kCheckedCount), std::to_string(checked).c_str());
  if (store.writeError() != 0 || store.reserveReached()) {
    tellWriteFailure(store);
    return exit_code::kRefused;
  }
  // Only a whole answer replaces a file: a search cut short (or stopped by a failure) keeps it.
  const bool whole = outcome == RunOutcome::kCompleted || store.full();
  if (!o.save.empty() && store.entryCount() > 0) {
    if (!whole)
      std::fprintf(stderr, "%s was not saved: the search did not run to its end\n", o.save.c_str());
    else if (!saveResults(store, header, o.save))
      return exit_code::kRefused;
  }
  if (outcome == RunOutcome::kFailed && store.entryCount() == 0) return exit_code::kRefused;
  // Every FROM letter in one word longer than the home takes: say why nothing could be found.
  const SearchData& request = run.request();
  const auto tiles = static_cast<int>(request.from.size()) + request.blanks;
  if (store.entryCount() == 0 && !request.multiWord && request.useAll &&
      tiles > request.longestWord)
    std::fprintf(stderr, "%s\n", app::longestWordNote(request.longestWord, kTurnLongWordsOn).c_str());
  return store.entryCount() > 0 ? exit_code::kDone : exit_code::kNothing;
}

int showResults(DictionaryNames& catalogue, const std::string& file) {
  ResultStore store(catalogue.resultsDataPath(), catalogue.resultsIndexPath());
  ResultsHeader h;
  if (!store.view(file, h)) return exit_code::kRefused;
  std::printf("FIND: %s\nFROM: %s\nInclude: %s\nExclude: %s\n", h.find.c_str(), h.from.c_str(),
              h.include.c_str(), h.exclude.c_str());
  std::printf("Use All FROM Letters: %s\nSuppress Permutations: %s\n", h.useAll ? "yes" : "no",
              h.suppressPermutations ? "yes" : "no");
  // The pair has no room for them: say so rather than let the counts mislead.
  std::printf("Other options (--limit, --blanks, lengths, --distinct, --dict): not recorded in a "
              "results pair\n");
  std::printf("%s%u\n%s%d\n", loadString(kCheckedCount), static_cast<uint32_t>(h.wordsChecked),
              loadString(kFoundCount), store.entryCount());
  printLines(store);
  return store.entryCount() > 0 ? exit_code::kDone : exit_code::kNothing;
}

int exportResults(DictionaryNames& catalogue, const std::string& file, const std::string& out) {
  ResultStore store(catalogue.resultsDataPath(), catalogue.resultsIndexPath());
  ResultsHeader h;
  if (!store.view(file, h)) return exit_code::kRefused;
  if (out == "-") {
    if (!flushOutput()) return exit_code::kNothing;
    writeReport(store, h, stdout, nullptr);
    flushOutput();  // a reader that left ends the run as a broken pipe
    return exit_code::kDone;
  }
  if (!namesAFile(out)) return exit_code::kRefused;
  if (isOwnPair(out, store)) {
    showMessage(out + " is the results file being exported: give the report another name.",
                str(kErrorCaption), mb::kIconStop | mb::kOk);
    return exit_code::kRefused;
  }
  if (!mayReplace(out)) return exit_code::kNothing;
  return writeTextReport(store, h, out, nullptr) ? exit_code::kDone : exit_code::kRefused;
}

int deleteResults(DictionaryNames& catalogue, const std::string& file) {
  ResultStore store(catalogue.resultsDataPath(), catalogue.resultsIndexPath());
  ResultsHeader h;
  if (!soleCopyOrRefuse(catalogue) || !store.view(file, h)) return exit_code::kRefused;
  const std::string question = str(kDeleteResultsConfirm) + store.dataPath();
  if (showMessage(question, str(kConfirmCaption), mb::kYesNo | mb::kTaskModal) != mb::kIdYes)
    return exit_code::kNothing;
  return store.deleteResults() ? exit_code::kDone : exit_code::kRefused;
}

}  // namespace wk::cli
