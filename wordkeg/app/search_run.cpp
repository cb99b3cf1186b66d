#include "search_run.h"

#include "engine/base/file_ops.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "engine/search/subset_builder.h"

namespace wk::app {
namespace {

// Who the subset was built from: a subset of other dictionaries, or of older versions of them,
// would give wrong results.
std::string signatureOf(const std::vector<const DictionaryName*>& dictionaries) {
  std::string signature;
  for (const DictionaryName* entry : dictionaries) {
    const DictionaryHeader& h = entry->header;
    signature += entry->path + '|' + std::to_string(h.created) + '|' + std::to_string(h.modified) +
                 '|' + std::to_string(h.wordCount) + '\n';
  }
  return signature;
}

}  // namespace

std::vector<const DictionaryName*> selectedDictionaries(DictionaryNames& catalogue) {
  std::vector<const DictionaryName*> selected;
  for (size_t i = 0; i < catalogue.count(); ++i)
    if (catalogue.entry(i).header.selected) selected.push_back(&catalogue.entry(i));
  return selected;
}

SearchRun::SearchRun(DictionaryNames& catalogue)
    : catalogue_(catalogue),
      names_(catalogue.freshWorkingNames()),
      store_(names_.resultsData, names_.resultsIndex) {
  scope_.request = &checks_.request();
  scope_.store = &store_;
  scope_.subsetPath = names_.subset;
  checks_.request().longestWord = catalogue.config().longestWord();
}

SearchRun::~SearchRun() {
  worker_.reset();
  store_.reset();
  for (const std::string& path : {names_.resultsData, names_.resultsIndex, names_.subset})
    removeFile(path);
  for (const std::string& path : dictionaryTemps_) removeFile(path);
}

bool SearchRun::prepare(const std::vector<const DictionaryName*>& dictionaries,
                        const Analyse& analyse) {
  worker_.reset();
  SearchData& request = checks_.request();
  if (request.multiWord) {
    store_.reset();
    if (!this->analyse(dictionaries, analyse)) {
      request.previousFromPool = SrcLetters();
      return false;
    }
  } else {
    request.previousFromPool = SrcLetters();
  }
  scope_.dictionaries.clear();
  for (const DictionaryName* entry : dictionaries) scope_.dictionaries.push_back(entry->path);
  store_.beginWriting();
  worker_ = std::make_unique<SearchWorker>(scope_);
  return true;
}

bool SearchRun::analyse(const std::vector<const DictionaryName*>& dictionaries,
                        const Analyse& run) {
  const std::string signature = signatureOf(dictionaries);
  if (!checks_.request().fromChanged && signature == analysedFor_) return true;
  analysedFor_.clear();
  std::vector<SubsetSource> sources;
  for (const DictionaryName* entry : dictionaries)
    sources.push_back({entry->path, names_.dictionaryTemp(*entry)});
  for (const SubsetSource& source : sources) dictionaryTemps_.insert(source.workFile);
  SubsetBuilder builder(checks_.request().fromPool, sources, names_.subset,
                        checks_.request().longestWord);
  if (!run(builder)) return false;
  analysedFor_ = signature;
  return true;
}

void SearchRun::finished() {
  if (worker_) checkedTotal_ = worker_->checked();
}

uint64_t SearchRun::checked(bool running) const {
  return running && worker_ ? worker_->checked() : checkedTotal_;
}

}  // namespace wk::app
