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

DictionaryNames& catalogue() {
  return DictionaryNames::instance();
}

// The catalogue entries selected for searching, in catalogue order.
std::vector<const DictionaryName*> selectedDictionaries() {
  std::vector<const DictionaryName*> selected;
  for (size_t i = 0; i < catalogue().count(); ++i)
    if (catalogue().entry(i).header.selected) selected.push_back(&catalogue().entry(i));
  return selected;
}

std::string labelled(int labelId, uint32_t value) {
  return str(labelId) + std::to_string(value);
}

}  // namespace

SearchSession::SearchSession(SearchView& view)
    : view_(view), store_(catalogue().resultsDataPath(), catalogue().resultsIndexPath()) {
  scope_.request = &request_;
  scope_.store = &store_;
  scope_.subsetPath = catalogue().subsetPath();
}

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
  if (!catalogue().anySelected()) {
    startChecks(request_, view_.fields(), false);
    view_.openSelectDictionaries();
    return false;
  }
  store_.reset();
  view_.resetList();
  if (!validateRequest(request_, view_.fields())) return false;
  searching_ = true;
  view_.setStatus(kSearching);
  view_.showCounts(labelled(kFoundCount, 0), labelled(kCheckedCount, 0));
  view_.setSearching(true);
  if (request_.multiWord) {
    store_.reset();
    // A subset built from other dictionaries, or from older versions of them, would give
    // wrong results: it is rebuilt then too, not only when the letters change.
    const std::string selection = selectionSignature();
    if (request_.fromChanged || selection != analysedFor_) {
      analysedFor_.clear();
      if (!analyse()) {
        request_.previousFromPool = SrcLetters();
        leaveSearching();
        return false;
      }
      analysedFor_ = selection;
    }
  } else {
    request_.previousFromPool = SrcLetters();
  }
  scope_.dictionaries.clear();
  for (const DictionaryName* entry : selectedDictionaries())
    scope_.dictionaries.push_back(entry->path);
  worker_ = std::make_unique<SearchWorker>(scope_);
  if (view_.startWorker()) return true;
  reportThreadNotStarted();
  worker_.reset();
  leaveSearching();
  return false;
}

bool SearchSession::analyse() {
  std::vector<SubsetSource> sources;
  for (const DictionaryName* entry : selectedDictionaries())
    sources.push_back({entry->path, entry->tempName});
  SubsetBuilder builder(request_.fromPool, sources, catalogue().subsetPath());
  return view_.runAnalysis(builder);
}

std::string SearchSession::selectionSignature() const {
  std::string signature;
  for (const DictionaryName* entry : selectedDictionaries()) {
    const DictionaryHeader& h = entry->header;
    signature += entry->path + '|' + std::to_string(h.created) + '|' + std::to_string(h.modified) +
                 '|' + std::to_string(h.wordCount) + '\n';
  }
  return signature;
}

void SearchSession::work() {
  if (worker_) runShowingErrors(*worker_);
}

void SearchSession::leaveSearching() {
  searching_ = false;
  view_.setStatus(kSearchingCompleted);
  view_.setSearching(false);
}

void SearchSession::finished() {
  if (worker_) checkedTotal_ = worker_->checked();
  leaveSearching();
}

bool SearchSession::tick() {
  view_.showCounts(std::to_string(store_.entryCount()), std::to_string(checked()));
  if (searching_) return true;
  store_.finish(header());
  view_.showRows(tabStop(), true);
  return false;
}

bool SearchSession::askCancel() {
  return worker_ && searching_ ? confirmCancel(*worker_, kCancelSearch, kConfirmCaption) : false;
}

void SearchSession::clearAll() {
  // Suppress Permutations keeps its state: Clear All resets only Use All of the options.
  SearchFields cleared = clearedFields();
  cleared.suppressPermutations = view_.fields().suppressPermutations;
  view_.showFields(cleared);
  // The overlap checks compare with the stored Include and Exclude: they follow the fields.
  request_.include.clear();
  request_.exclude.clear();
  view_.showCounts(labelled(kFoundCount, 0), labelled(kCheckedCount, 0));
  view_.setStatus(kBlankStatus);
  store_.reset();
  view_.resetList();
}

void SearchSession::cleanUpForExit() {
  clearAll();
  for (size_t i = 0; i < catalogue().count(); ++i) removeFile(catalogue().entry(i).tempName);
  removeFile(catalogue().resultsDataPath());
  removeFile(catalogue().resultsIndexPath());
}

void SearchSession::view(const std::string& path) {
  ResultsHeader h;
  if (store_.view(path, h)) {
    view_.showFields({h.find, h.from, h.include, h.exclude, h.useAll, h.suppressPermutations});
    request_.include = toLower(h.include);
    request_.exclude = toLower(h.exclude);
    checkedTotal_ = static_cast<uint32_t>(h.wordsChecked);
    view_.showCounts(std::to_string(store_.entryCount()), std::to_string(checkedTotal_));
  }
  view_.showRows(tabStop(), false);
}

void SearchSession::deleteResults() {
  store_.deleteResults();
  clearAll();
}

ResultsHeader SearchSession::header() const {
  return resultsHeaderFor(view_.fields(), checked());
}

uint32_t SearchSession::checked() const {
  return searching_ && worker_ ? worker_->checked() : checkedTotal_;
}

int SearchSession::tabStop() const {
  return (store_.longestEntry() + 4) * 4;
}

}  // namespace wk::app
