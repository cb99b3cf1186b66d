#include "search_job.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "engine/search/result_store.h"
#include "field_rules.h"
#include "search_checks.h"
#include "search_run.h"
#include "select_dictionaries.h"

namespace wk::app {

const char* const kTurnLongWordsOn = ": wordkeg config long-words on";

namespace {

// Said without a caption: the command line's own words about its options.
void say(const std::string& text) {
  showMessage(text, "", mb::kIconStop | mb::kOk);
}

bool lengthsFit(const SearchJobOptions& o, int longest) {
  const std::pair<const char*, int> options[] = {
      {"--min-length", o.minLength}, {"--max-length", o.maxLength}, {"--blanks", o.blanks}};
  for (const auto& [name, value] : options) {
    if (value <= longest) continue;
    const int lowest = std::string_view(name) == "--blanks" ? 0 : 1;
    say(std::string(name) + ": must be a whole number from " + std::to_string(lowest) + " to " +
        std::to_string(longest) + longWordsAside(longest, kTurnLongWordsOn));
    return false;
  }
  return true;
}

// Include and Exclude shape single words only (the window greys them out for a FIND of several
// words): given with one, they are refused rather than ignored, after the window's overlap check.
bool includeExcludeFit(const SearchFields& fields) {
  if (!isMultiWord(fields.find) || (fields.include.empty() && fields.exclude.empty())) return true;
  if (toLower(fields.exclude).find_first_of(toLower(fields.include)) != std::string::npos)
    showMessageIds(kIncludeExcludeOverlap, kInputErrorCaption, mb::kIconStop | mb::kOk);
  else
    say("--include and --exclude apply to a FIND of one word only: a search of several words "
        "would ignore them.");
  return false;
}

// The dictionaries of this search, in catalogue order; false after a message when a name is
// unknown.
bool chooseDictionaries(DictionaryNames& catalogue, const std::vector<std::string>& names,
                        std::vector<const DictionaryName*>& chosen) {
  std::vector<std::string> wanted;
  for (const auto& name : names) {
    wanted.push_back(existingOrRefuse(catalogue, name));
    if (wanted.back().empty()) return false;
  }
  if (names.empty()) {
    chosen = selectedDictionaries(catalogue);
    return true;
  }
  chosen.clear();
  for (size_t i = 0; i < catalogue.count(); ++i) {
    const DictionaryName& entry = catalogue.entry(i);
    if (std::find(wanted.begin(), wanted.end(), entry.path) != wanted.end())
      chosen.push_back(&entry);
  }
  return true;
}

}  // namespace

bool checkSearchJob(DictionaryNames& catalogue, const SearchJobOptions& options,
                    SearchFields& fields, std::vector<const DictionaryName*>& chosen) {
  if (!lengthsFit(options, catalogue.config().longestWord())) return false;
  fields = options.fields;
  if (!recheckSearchFields(fields) || !includeExcludeFit(fields)) return false;
  if (options.longestFirst && isMultiWord(fields.find)) {
    say("--longest-first orders single words: FIND has several.");
    return false;
  }
  if (options.longestFirst && options.rank) {
    say("--longest-first and --rank each set the order of the results: give one.");
    return false;
  }
  return chooseDictionaries(catalogue, options.dictionaries, chosen);
}

bool startSearchJob(SearchRun& run, const SearchFields& fields, const SearchJobOptions& options,
                    bool anyDictionary) {
  run.checks().nameLengthLimit();
  run.request().blanks = options.blanks;  // the checks count them with the FROM letters
  if (!run.checks().start(fields, anyDictionary)) return false;
  run.request().minWordLength = options.minLength;
  run.request().maxWordLength = options.maxLength;
  run.store().setLimit(options.rank ? 0 : options.limit);
  // Ranked, the ranking keeps each spelling's best form; the search's own keeps the first.
  run.store().setDistinct(options.distinct && !options.rank);
  return true;
}

std::string optionsText(const SearchJobOptions& o) {
  std::string text;
  const auto add = [&text](const std::string& option) {
    text.append(text.empty() ? "" : " ").append(option);
  };
  if (o.limit > 0) add("--limit " + std::to_string(o.limit));
  if (o.minLength > 0) add("--min-length " + std::to_string(o.minLength));
  if (o.maxLength > 0) add("--max-length " + std::to_string(o.maxLength));
  if (o.blanks > 0) add("--blanks " + std::to_string(o.blanks));
  if (o.distinct) add("--distinct");
  if (o.rank) add("--rank");
  for (const std::string& name : o.dictionaries) add("--dict " + name);
  return text;
}

std::string writeFailureText(const ResultStore& store) {
  namespace fs = std::filesystem;
  if (store.distinctBudgetReached())
    return "More different results than a search here may keep apart (distinct): the search "
           "stopped. Search without distinct, or narrow the search.";
  const int error = store.writeError();
  if (error == 0 && !store.reserveReached()) return {};
  std::error_code ec;
  const std::string folder =
      fs::absolute(fs::path(store.dataPath()).parent_path(), ec).lexically_normal().string();
  if (store.reserveReached())
    return "The disk holding " + folder +
           " is nearly full: the search stopped and nothing was saved.";
  if (error == ENOSPC)
    return "The disk holding " + folder + " is full: the search stopped and nothing was saved.";
  return "Could not write the results into " + folder + " (" + std::strerror(error) +
         "): the search stopped and nothing was saved.";
}

std::string nothingFoundNote(const SearchRun& run, int found) {
  const SearchData& request = run.request();
  const auto tiles = static_cast<int>(request.from.size()) + request.blanks;
  if (found > 0 || request.multiWord || !request.useAll || tiles <= request.longestWord) return {};
  return longestWordNote(request.longestWord, kTurnLongWordsOn);
}

std::string withoutButtons(const std::string& text) {
  // The window's OK/Cancel note on "!" asks about buttons: say what happens instead.
  if (text == str(kBangIgnores))
    return "FIND's text after ! is ignored; ! stands for any words that use up the FROM letters "
           "left.";
  return text;
}

}  // namespace wk::app
