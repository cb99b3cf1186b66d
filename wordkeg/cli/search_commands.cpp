#include "search_commands.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/field_rules.h"
#include "app/rank_figures.h"
#include "app/results_commands.h"
#include "app/search_job.h"
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
#include "engine/rank/rank_file.h"
#include "engine/rank/ranked_results.h"
#include "engine/search/result_store.h"
#include "engine/search/subset_builder.h"
#include "engine/search/text_report.h"
#include "progress_runner.h"
#include "std_output.h"
#include "terminal_port.h"

namespace wk::cli {
namespace {

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
// The result lines exactly as the data file holds them, in the order found.
void printLines(ResultStore& store) {
  if (!flushOutput()) return;
  store.copyLines(stdout, nullptr);
  flushOutput();
}

// The analysis of a multi-word search in the terminal; true when the search is to run.
bool analyseInTerminal(SubsetBuilder& builder, RunOutcome& outcome) {
  outcome = runWithProgress(builder);
  // No word can be made from the letters: a search that found nothing, not a failure.
  if (outcome == RunOutcome::kFailed && builder.matches() == 0 && !lastRunThrew())
    outcome = RunOutcome::kCompleted;
  return outcome == RunOutcome::kCompleted && builder.matches() > 0;
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

// The ranked results printed, and kept in that order in a results pair of their own for --save
// (its files removed when `files` go); false when the ranking could not be read back.
bool giveRanked(RankedResults& ranked, DictionaryNames& catalogue, bool sequences, bool save,
                std::unique_ptr<ResultStore>& kept,
                std::vector<std::unique_ptr<ScopedFile>>& files) {
  if (save) {
    const WorkingNames names = catalogue.freshWorkingNames();
    files.push_back(std::make_unique<ScopedFile>(names.resultsData));
    files.push_back(std::make_unique<ScopedFile>(names.resultsIndex));
    files.push_back(std::make_unique<ScopedFile>(names.subset));
    kept = std::make_unique<ResultStore>(names.resultsData, names.resultsIndex);
  }
  // A Ctrl-C that ended the search leaves the best of what it found to print; one more stops it.
  const int interrupts = interruptCount();
  bool printing = true;
  return ranked.emit([&](std::string_view line) {
    // A sequence is kept as the search keeps it: each word followed by a blank.
    if (kept) kept->append(std::string(line) + (sequences ? " " : ""), sequences);
    printing = printing && interruptCount() == interrupts && printLine(line);
    return printing || kept;
  });
}

// --rank: the results held as they come and ordered by commonness at the end, or null when no
// dictionary's words can be ranked (the results then come in the order found). A line says
// which dictionaries' words come unranked.
std::unique_ptr<RankedResults> rankingFor(const app::SearchJobOptions& job, const ConfigData& config,
                                          const std::vector<const DictionaryName*>& chosen,
                                          std::unique_ptr<RankFiles>& figures) {
  if (!job.rank) return nullptr;
  std::string note;
  figures = app::openRankFiles(chosen, note);
  if (!note.empty()) std::fprintf(stderr, "%s\n", note.c_str());
  if (!figures) return nullptr;
  auto ranked = std::make_unique<RankedResults>(*figures, static_cast<size_t>(job.limit),
                                                config.tempDirectory());
  ranked->setDistinct(job.distinct);
  return ranked;
}

}  // namespace

int runSearch(DictionaryNames& catalogue, const SearchOptions& o) {
  const app::SearchJobOptions& job = o.job;
  if (o.progressLines) reportProgressLines();
  SearchFields fields;
  std::vector<const DictionaryName*> chosen;
  if (!app::checkSearchJob(catalogue, job, fields, chosen)) return exit_code::kRefused;
  if (o.save == "-") {
    std::fprintf(stderr,
                 "--save -: a results pair is two files and cannot go to standard output "
                 "(results export FILE - prints a saved pair's report).\n");
    return exit_code::kRefused;
  }
  if (!o.save.empty() && !namesAFile(o.save)) return exit_code::kRefused;
  if (!mayWriteSave(o.save)) return exit_code::kNothing;
  // The run's working files go when it ends; --save has copied what it needs by then.
  app::SearchRun run(catalogue);
  if (!app::startSearchJob(run, fields, job, !chosen.empty())) return exit_code::kRefused;
  // Each result printed the moment it is kept (or, longest first or ranked, once the search has
  // ended); a reader that left (head) ends the search at once, as Ctrl-C would.
  std::unique_ptr<RankFiles> figures;
  const std::unique_ptr<RankedResults> ranked =
      rankingFor(job, catalogue.config(), chosen, figures);
  if (ranked) {
    // Held by the ranking alone: the working pair would only copy them to disk.
    run.store().setKeeping(ResultStore::Keeping::kListenerOnly);
    run.store().setListener([&ranked, &run](std::string_view line) {
      ranked->add(line);
      if (ranked->stopped() && run.worker()) run.worker()->cancel();  // its disk is full
    });
  } else if (job.rank) {
    run.store().setLimit(job.limit);  // unranked: the first N, as without --rank
    run.store().setDistinct(job.distinct);
  }
  if (!job.longestFirst && !ranked)
    run.store().setListener([&run](std::string_view line) {
      if (!printLine(line) && run.worker()) run.worker()->cancel();
    });
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
  header.options = app::optionsText(job);
  store.finish(header);
  if (job.longestFirst) printLongestFirst(store);
  // --save keeps the ranked order: a pair of its own, written as the results are printed.
  std::unique_ptr<ResultStore> rankedStore;
  std::vector<std::unique_ptr<ScopedFile>> rankedFiles;
  if (ranked && !giveRanked(*ranked, catalogue, run.request().multiWord, !o.save.empty(),
                            rankedStore, rankedFiles)) {
    std::fprintf(stderr, "Could not write the ranked results into %s: those above are the best, "
                 "the rest were lost.\n",
                 catalogue.config().tempDirectory().c_str());
    return exit_code::kRefused;
  }
  if (ranked && ranked->reserveReached()) {
    std::fprintf(stderr,
                 "The disk holding %s is nearly full: the search stopped, and the results "
                 "above are the best of those it found.\n",
                 catalogue.config().tempDirectory().c_str());
    return exit_code::kRefused;
  }
  if (rankedStore) rankedStore->finish(header);
  ResultStore& kept = rankedStore ? *rankedStore : store;
  if (!flushOutput()) return exit_code::kNothing;  // the reader left; the ending says so
  std::fprintf(stderr, "%s%d\n%s%s\n", loadString(kFoundCount), store.entryCount(),
               loadString(kCheckedCount), std::to_string(checked).c_str());
  if (const std::string failure = app::writeFailureText(store); !failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    return exit_code::kRefused;
  }
  // Only a whole answer replaces a file: a search cut short (or stopped by a failure) keeps it.
  const bool whole = outcome == RunOutcome::kCompleted || store.full();
  if (!o.save.empty() && store.entryCount() > 0) {
    if (!whole)
      std::fprintf(stderr, "%s was not saved: the search did not run to its end\n", o.save.c_str());
    else if (!saveResults(kept, header, o.save))
      return exit_code::kRefused;
  }
  if (outcome == RunOutcome::kFailed && store.entryCount() == 0) return exit_code::kRefused;
  if (const std::string note = app::nothingFoundNote(run, store.entryCount()); !note.empty())
    std::fprintf(stderr, "%s\n", note.c_str());
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
