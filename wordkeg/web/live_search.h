#pragma once
// LiveSearch: one search of the web API run in the server's own process, on the app layer, its
// results streamed as lines of JSON as they are found, or its text report (that of Save As)
// once it has ended. The search runs on a thread of its own
// and hands its lines over through a small bounded queue: a client that reads slowly holds the
// search back (nothing piles up in memory), and one that goes away cancels it. Its messages
// reach its own answer alone (a message port of its threads).
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "app/search_job.h"
#include "app/search_run.h"

namespace wk {
class ConfigData;
class SubsetBuilder;
class RankFiles;
class RankedResults;
class DictionaryNames;
struct DictionaryName;
}  // namespace wk

namespace wk::web {

// The lines between a search's thread and its answer: put() waits while `limit` bytes are
// queued; close() ends both sides.
class LineQueue {
 public:
  explicit LineQueue(size_t limit) : limit_(limit) {}
  // False when the queue was closed (the client went away).
  bool put(std::string line);
  // The lines queued, waiting up to `ms` for the first; `closed` when nothing more will come.
  std::string takeAll(int ms, bool& closed);
  void close();
  // Puts `line` (without waiting) and closes, in one step: the line is the last one taken.
  void finish(std::string line);

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> lines_;
  size_t bytes_ = 0, limit_;
  bool closed_ = false;
};

class LiveSearch {
 public:
  // Checks `options` on the calling thread as the command line would, on `home` as its ini
  // says now (another program may have changed it). Refused: null,
  // and `refusal` holds the program's message(s).
  enum class Form { kResults, kReport };
  static std::unique_ptr<LiveSearch> start(const std::string& home,
                                           const app::SearchJobOptions& options, Form form,
                                           std::string& refusal);
  ~LiveSearch();  // cancels the search if it runs, and waits for its thread
  LiveSearch(const LiveSearch&) = delete;
  LiveSearch& operator=(const LiveSearch&) = delete;

  // Writes what came since the last call (results, messages, the counts as they run, and last
  // the ending); false when the client has gone.
  bool provide(httplib::DataSink& sink);
  // Ends every live search of the process (the server stops): each answer ends, each search
  // stops at its next word and removes its working files.
  static void cancelAll();
  // Waits up to `ms` for every live search to have ended (its answer done).
  static void waitAllEnded(int ms);
  // Whether a report can be given, once the search has ended or `ms` have passed: 0 when it
  // can (or the search still runs), 404 when the search found nothing, 500 when it could not
  // keep its results (`why` then says why).
  int reportRefusalWithin(int ms, std::string& why);

 private:
  explicit LiveSearch(const std::string& home);
  void work();
  void stop();  // closes the answer and cancels the search
  // The report of the ended search into the queue, written as the client reads it.
  void writeReportOut();
  // rank=1: the dictionaries' side files read (made where missing) and the ranking set up, or
  // a note when their words cannot be ranked (the results then come in the order found).
  void openRanking();
  // The ranked results, once the search has ended; false when they could not all be given.
  bool giveRanked();
  // {"result": line, "levels": [the level of each word]}.
  nlohmann::json rankedLine(std::string_view line) const;
  // The last line(s): the counts, or the error with what was said (`messages`).
  std::string ending(bool completed, const std::vector<std::string>& messages);

  std::string home_;
  std::unique_ptr<ConfigData> config_;
  std::unique_ptr<DictionaryNames> catalogue_;
  app::SearchRun run_;
  SearchFields fields_;
  std::vector<const DictionaryName*> chosen_;
  std::vector<std::string> notes_;  // said before the results (the "!" note)
  Form form_ = Form::kResults;
  std::string optionsText_;  // the options beyond the window's, for the report's header
  std::atomic<bool> ended_{false};
  std::atomic<bool> stopped_{false};  // the server stops: the answer ends as cut short
  bool whole_ = false;  // the search ran to its end (or its limit): a report may be given
  LineQueue queue_;
  std::thread thread_;
  std::string lastProgress_;
  // When the counts may next be given: a fast search's results come without them between.
  std::chrono::steady_clock::time_point nextProgress_ =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
  std::atomic<bool> searching_{false};            // the worker exists and runs
  std::atomic<SubsetBuilder*> builder_{nullptr};  // the analysis running, for a cancel
  bool rank_ = false;
  int limit_ = 0;
  bool distinct_ = false;
  std::unique_ptr<RankFiles> figures_;
  std::unique_ptr<RankedResults> ranked_;  // made before searching_ is set, read after
  uint64_t bestShown_ = 0;                 // the version of the best-so-far list last given
  std::chrono::steady_clock::time_point nextBest_{};
};

}  // namespace wk::web
