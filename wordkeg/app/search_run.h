#pragma once
// SearchRun: the one path of a search from its checked request to its results, for every front
// end. It owns the request's checks, the working result pair, the subset dictionary of a
// multi-word search (built again only when the letters, the dictionaries or their versions
// change) and the worker. Front ends only present it: the window runs the analysis in its dialog
// and the worker on a thread, the command line both in the terminal.
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/dict/dictionary_names.h"
#include "engine/search/result_store.h"
#include "engine/search/search_control.h"
#include "engine/search/search_worker.h"
#include "search_checks.h"

namespace wk {
class DictionaryNames;
class SubsetBuilder;
struct DictionaryName;
}  // namespace wk

namespace wk::app {

// The catalogue's entries selected for searching, in catalogue order.
std::vector<const DictionaryName*> selectedDictionaries(DictionaryNames& catalogue);

class SearchRun {
 public:
  // Runs the analysis of a multi-word search over `builder`; true when the search is to run.
  using Analyse = std::function<bool(SubsetBuilder& builder)>;

  // The working pair and subset dictionary are names the catalogue gives this run alone
  // (freshWorkingNames), so searches of one process can run side by side.
  explicit SearchRun(DictionaryNames& catalogue);
  // Removes the run's working files.
  ~SearchRun();

  RequestChecks& checks() { return checks_; }
  SearchData& request() { return checks_.request(); }
  const SearchData& request() const { return checks_.request(); }
  ResultStore& store() { return store_; }
  const ResultStore& store() const { return store_; }

  // Readies the search of the checked request over `dictionaries` (in catalogue order). A
  // multi-word search empties the store and, when its letters or dictionaries changed, builds
  // the subset dictionary through `analyse`. False when the search is not to run.
  bool prepare(const std::vector<const DictionaryName*>& dictionaries, const Analyse& analyse);
  // The prepared search's worker; null before prepare() and after drop().
  SearchWorker* worker() { return worker_.get(); }
  // The worker could not be started: the search is off.
  void drop() {
    worker_.reset();
    store_.reset();
  }
  // The worker has ended: its count is kept as the search's.
  void finished();
  // Words checked: live while `running`, else by the last search (or as a viewed file says).
  uint64_t checked(bool running) const;
  void setChecked(uint64_t count) { checkedTotal_ = count; }

 private:
  bool analyse(const std::vector<const DictionaryName*>& dictionaries, const Analyse& run);

  DictionaryNames& catalogue_;
  const WorkingNames names_;  // before the store, which opens them
  RequestChecks checks_;
  ResultStore store_;
  SearchScope scope_;
  std::unique_ptr<SearchWorker> worker_;
  uint64_t checkedTotal_ = 0;
  // The dictionaries (and their versions) the subset dictionary was built from.
  std::string analysedFor_;
  std::set<std::string> dictionaryTemps_;  // the temporary files its analyses named
};

}  // namespace wk::app
