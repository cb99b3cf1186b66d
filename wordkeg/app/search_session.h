#pragma once
// SearchSession: the main window's search, results and Clear All logic apart from any window.
// The window implements SearchView and calls in on its commands, timer and messages; tests
// drive it with a fake view.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "result_list.h"
#include "search_run.h"

namespace wk::app {

class SearchView {
 public:
  virtual ~SearchView() = default;
  // The four field texts and the two options as they stand.
  virtual SearchFields fields() const = 0;
  virtual void pushHistories() = 0;
  // Puts `f` into the fields and re-runs the multi-word enabling (Clear All, View).
  virtual void showFields(const SearchFields& f) = 0;
  virtual void setStatus(int stringId) = 0;
  // The found and checked gadgets.
  virtual void showCounts(const std::string& found, const std::string& checked) = 0;
  // Disables (or enables) the list, the fields and the options; enabling re-runs the
  // multi-word enabling.
  virtual void setSearching(bool searching) = 0;
  virtual void openSelectDictionaries() = 0;
  // Drops what the list shows; it asks for its rows again.
  virtual void resetList() = 0;
  // New rows to show: re-measure the list, set its tab stop, reset it; with `selectFirst` the
  // list also takes the focus and selects its first row.
  virtual void showRows(int tabStop, bool selectFirst) = 0;
  // Runs the analysis dialog over `builder`; true when the search is to run.
  virtual bool runAnalysis(SubsetBuilder& builder) = 0;
  // Starts a thread that calls work() and then reports finished(); false when none started.
  virtual bool startWorker() = 0;
};

class SearchSession {
 public:
  SearchSession(SearchView& view, DictionaryNames& catalogue);
  ~SearchSession();

  bool searching() const { return searching_; }
  ResultStore& store() { return run_.store(); }
  const ResultStore& store() const { return run_.store(); }
  // The result list's rows over the store.
  ResultList& list() { return list_; }
  // The request's checks (the window runs them as the focus moves) and the request they leave.
  RequestChecks& checks() { return run_.checks(); }
  SearchData& request() { return run_.request(); }
  // Start: true when a worker runs (the window then ticks every 100 ms until tick() is false).
  bool start();
  // Worker thread: the search itself.
  void work();
  // The worker has ended (its message reached the window).
  void finished();
  // Status tick; false when the end has been handled and the timer is to stop.
  bool tick();
  // Cancel while searching: the question, the worker held meanwhile; true when cancelled.
  bool askCancel();
  // The running (or last prepared) search's worker; null when none.
  SearchWorker* worker() { return run_.worker(); }
  void clearAll();
  // Exit while idle: Clear All and this run's temporary files.
  void cleanUpForExit();

  // The results commands.
  void view(const std::string& path);
  // Deletes the pair on display after asking (No by default); true when it was deleted.
  bool deleteResults();
  // The header of the results on display, from the window's fields.
  ResultsHeader header() const;
  uint64_t checked() const;
  // The list's tab stop for the longest entry, in dialog units.
  int tabStop() const;

 private:
  void leaveSearching();

  SearchView& view_;
  DictionaryNames& catalogue_;
  SearchRun run_;
  ResultList list_;
  std::atomic<bool> searching_{false};
};

}  // namespace wk::app
