#include "search_session.h"

#include "engine/base/file_ops.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "engine/dict/dictionary_names.h"
#include "engine/search/subset_builder.h"
#include "field_rules.h"
#include "main_rules.h"

namespace wk::app {
namespace {

std::string labelled(int labelId, uint32_t value) {
  return str(labelId) + std::to_string(value);
}

}  // namespace

SearchSession::SearchSession(SearchView& view, DictionaryNames& catalogue)
    : view_(view), catalogue_(catalogue), run_(catalogue), list_(run_.store()) {}

SearchSession::~SearchSession() = default;

bool SearchSession::start() {
  if (searching_) {
    beep();
    return false;
  }
  SearchFields typed = view_.fields();
  if (!recheckSearchFields(typed)) return false;
  if (typed.find != view_.fields().find) view_.showFields(typed);
  view_.pushHistories();
  if (!catalogue_.anySelected()) {
    checks().start(view_.fields(), false);
    view_.openSelectDictionaries();
    return false;
  }
  store().reset();
  view_.resetList();
  if (!checks().validate(view_.fields())) return false;
  searching_ = true;
  view_.setStatus(kSearching);
  view_.showCounts(labelled(kFoundCount, 0), labelled(kCheckedCount, 0));
  view_.setSearching(true);
  auto analyse = [this](SubsetBuilder& builder) { return view_.runAnalysis(builder); };
  if (!run_.prepare(selectedDictionaries(catalogue_), analyse)) {
    leaveSearching();
    return false;
  }
  if (view_.startWorker()) return true;
  reportThreadNotStarted();
  run_.drop();
  leaveSearching();
  return false;
}

void SearchSession::work() {
  if (run_.worker()) runShowingErrors(*run_.worker());
}

void SearchSession::leaveSearching() {
  searching_ = false;
  view_.setStatus(kSearchingCompleted);
  view_.setSearching(false);
}

void SearchSession::finished() {
  run_.finished();
  leaveSearching();
}

bool SearchSession::tick() {
  view_.showCounts(std::to_string(store().entryCount()), std::to_string(checked()));
  if (searching_) return true;
  store().finish(header());
  view_.showRows(tabStop(), true);
  return false;
}

bool SearchSession::askCancel() {
  SearchWorker* worker = run_.worker();
  return worker && searching_ ? confirmCancel(*worker, kCancelSearch, kConfirmCaption) : false;
}

void SearchSession::clearAll() {
  // Suppress Permutations keeps its state: Clear All resets only Use All of the options.
  SearchFields cleared = clearedFields();
  cleared.suppressPermutations = view_.fields().suppressPermutations;
  view_.showFields(cleared);
  // The overlap checks compare with the stored Include and Exclude: they follow the fields.
  request().include.clear();
  request().exclude.clear();
  view_.showCounts(labelled(kFoundCount, 0), labelled(kCheckedCount, 0));
  view_.setStatus(kBlankStatus);
  store().reset();
  view_.resetList();
}

void SearchSession::cleanUpForExit() {
  clearAll();
  for (size_t i = 0; i < catalogue_.count(); ++i) removeFile(catalogue_.entry(i).tempName);
  removeFile(catalogue_.resultsDataPath());
  removeFile(catalogue_.resultsIndexPath());
}

void SearchSession::view(const std::string& path) {
  ResultsHeader h;
  if (store().view(path, h)) {
    view_.showFields({h.find, h.from, h.include, h.exclude, h.useAll, h.suppressPermutations});
    request().include = toLower(h.include);
    request().exclude = toLower(h.exclude);
    run_.setChecked(static_cast<uint32_t>(h.wordsChecked));
    view_.showCounts(std::to_string(store().entryCount()), std::to_string(checked()));
  }
  view_.showRows(tabStop(), false);
}

bool SearchSession::deleteResults() {
  // A saved pair may be the only copy of a long search: ask first, No by default.
  const std::string question = str(kDeleteResultsConfirm) + store().dataPath();
  if (showMessage(question, str(kConfirmCaption),
                  mb::kYesNo | mb::kIconQuestion | mb::kDefButton2 | mb::kTaskModal) != mb::kIdYes)
    return false;
  store().deleteResults();
  clearAll();
  return true;
}

ResultsHeader SearchSession::header() const {
  return resultsHeaderFor(view_.fields(), checked());
}

uint64_t SearchSession::checked() const {
  return run_.checked(searching_);
}

int SearchSession::tabStop() const {
  return (store().longestEntry() + 4) * 4;
}

}  // namespace wk::app
