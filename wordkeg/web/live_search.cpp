#include "live_search.h"

#include <chrono>
#include <cstdio>
#include <set>

#include "app/main_rules.h"
#include "app/rank_figures.h"
#include "app/select_dictionaries.h"
#include "collecting_port.h"
#include "engine/base/message_port.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "engine/rank/rank_file.h"
#include "engine/rank/ranked_results.h"
#include "engine/search/result_store.h"
#include "engine/search/subset_builder.h"
#include "engine/search/text_report.h"
#include "streams.h"

using nlohmann::json;

namespace wk::web {
namespace {

constexpr size_t kQueueBytes = 256 * 1024;
constexpr int kPumpMs = 200;
// What a search with distinct may hold to keep its results apart: with the server's slots
// (four on two cores) the searches stay within a few tens of MB.
constexpr size_t kDistinctBytes = 16u << 20;
// A ranked search holds its results up to this, then in sorted runs on disk.
constexpr size_t kRankBytes = 8u << 20;
// The best results so far that a ranked search shows while it runs.
constexpr size_t kBestShown = 20;

// The messages of a running search: each a line of its answer, and kept for its ending.
class StreamPort : public CollectingPort {
 public:
  StreamPort(const std::string& home, LineQueue& queue) : CollectingPort(home), queue_(queue) {}
  int show(const std::string& text, const std::string& caption, unsigned style) override {
    const int answer = CollectingPort::show(text, caption, style);
    queue_.put(jsonLine(json{{"message", texts.back()}}));
    return answer;
  }

 private:
  LineQueue& queue_;
};

}  // namespace

bool LineQueue::put(std::string line) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return closed_ || bytes_ < limit_; });
  if (closed_) return false;
  bytes_ += line.size();
  lines_.push_back(std::move(line));
  changed_.notify_all();
  return true;
}

std::string LineQueue::takeAll(int ms, bool& closed) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait_for(lock, std::chrono::milliseconds(ms),
                    [&] { return closed_ || !lines_.empty(); });
  std::string out;
  for (const std::string& line : lines_) out += line;
  lines_.clear();
  bytes_ = 0;
  closed = closed_;
  changed_.notify_all();
  return out;
}

void LineQueue::finish(std::string line) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!closed_) lines_.push_back(std::move(line));
  closed_ = true;
  changed_.notify_all();
}

void LineQueue::close() {
  std::lock_guard<std::mutex> lock(mutex_);
  closed_ = true;
  changed_.notify_all();
}

namespace {

std::mutex everyMutex;
std::set<LiveSearch*> every;  // the live searches of the process, for cancelAll

}  // namespace

void LiveSearch::cancelAll() {
  std::lock_guard<std::mutex> lock(everyMutex);
  for (LiveSearch* search : every) search->stop();
}

void LiveSearch::waitAllEnded(int ms) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < until) {
    {
      std::lock_guard<std::mutex> lock(everyMutex);
      if (every.empty()) return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void LiveSearch::stop() {
  // A results stream says it was cut short; a report's answer is broken off (provide).
  stopped_ = true;
  if (form_ == Form::kReport)
    queue_.close();  // a report is text: broken off, never a JSON line inside it
  else
    queue_.finish(jsonLine(json{{"error", "The server stopped: the search was ended."}}));
  if (SubsetBuilder* builder = builder_.load()) builder->cancel();
  if (searching_) run_.worker()->cancel();
}

std::unique_ptr<LiveSearch> LiveSearch::start(const std::string& home,
                                              const app::SearchJobOptions& options, Form form,
                                              std::string& refusal) {
  CollectingPort port(home);
  ScopedThreadMessagePort scoped(&port);
  std::unique_ptr<LiveSearch> search(new LiveSearch(home));
  if (!app::checkSearchJob(*search->catalogue_, options, search->fields_, search->chosen_) ||
      !app::startSearchJob(search->run_, search->fields_, options, !search->chosen_.empty())) {
    refusal = CollectingPort::joined(port.texts);
    if (refusal.empty()) refusal = "The search was refused.";
    return nullptr;
  }
  search->notes_ = port.texts;
  search->form_ = form;
  search->optionsText_ = app::optionsText(options);
  search->rank_ = options.rank;
  search->limit_ = options.limit;
  search->distinct_ = options.distinct;
  // Nothing of a web search is a saved pair: its results go to the client as found, and a
  // report's wait in files that no one else sees and that go with the search, a kill included.
  ResultStore& store = search->run_.store();
  store.setKeeping(form == Form::kResults ? ResultStore::Keeping::kListenerOnly
                                          : ResultStore::Keeping::kUnnamedPair);
  store.setDistinctBudget(kDistinctBytes);
  if (form == Form::kResults)
    store.setListener([raw = search.get()](std::string_view line) {
      bool stop = false;
      if (raw->ranked_) {
        raw->ranked_->add(line);
        stop = raw->ranked_->stopped();  // its disk is full
      } else {
        stop = !raw->queue_.put(jsonLine(json{{"result", std::string(line)}}));  // client left
      }
      if (stop && raw->run_.worker()) raw->run_.worker()->cancel();
    });
  search->thread_ = std::thread(&LiveSearch::work, search.get());
  return search;
}

// The home and its catalogue as they stand now: another program may have changed the ini or the
// selection since the server started.
LiveSearch::LiveSearch(const std::string& home)
    : home_(home),
      config_(std::make_unique<ConfigData>(home)),
      catalogue_(DictionaryNames::open(*config_)),
      run_(*catalogue_),
      queue_(kQueueBytes) {
  std::lock_guard<std::mutex> lock(everyMutex);
  every.insert(this);
}

LiveSearch::~LiveSearch() {
  {
    std::lock_guard<std::mutex> lock(everyMutex);
    every.erase(this);
    stop();
  }
  if (thread_.joinable()) thread_.join();
}

void LiveSearch::work() {
  // A report's answer is its text alone: its messages are kept, not streamed.
  CollectingPort kept(home_);
  StreamPort streamed(home_, queue_);
  CollectingPort& port = form_ == Form::kReport ? kept : streamed;
  ScopedThreadMessagePort scoped(&port);
  if (form_ == Form::kResults)
    for (const std::string& note : notes_) queue_.put(jsonLine(json{{"message", note}}));
  if (rank_ && form_ == Form::kResults) openRanking();
  bool threw = false, analysed = true;
  const auto analyse = [&](SubsetBuilder& builder) {
    builder_ = &builder;
    const bool ran = app::runShowingErrors(builder, &threw);
    builder_ = nullptr;
    // No word can be made from the letters: a search that found nothing, not a failure.
    analysed = ran || (builder.matches() == 0 && !threw);
    return ran && builder.matches() > 0;
  };
  bool completed = analysed;
  if (run_.prepare(chosen_, analyse)) {
    searching_ = true;
    completed = app::runShowingErrors(*run_.worker(), &threw);
    run_.finished();
  }
  // Only a whole answer makes a report, as only one is saved.
  whole_ = (completed || run_.store().full()) && app::writeFailureText(run_.store()).empty();
  ended_ = true;
  if (form_ == Form::kReport) {
    if (whole_ && run_.store().entryCount() > 0) writeReportOut();
    queue_.close();
    return;
  }
  if (ranked_ && !stopped_ && !giveRanked()) {
    queue_.finish(
        jsonLine(json{{"error", "Could not write the ranked results into " +
                                    CollectingPort::fromHome(home_, config_->tempDirectory()) +
                                    " (is its disk full?): the search stopped."}}));
    return;
  }
  if (ranked_ && ranked_->reserveReached()) {
    queue_.finish(jsonLine(json{
        {"error", "The disk holding " + CollectingPort::fromHome(home_, config_->tempDirectory()) +
                      " is nearly full: the search stopped, and the results "
                      "above are the best of those it found."}}));
    return;
  }
  queue_.finish(ending(completed, port.texts));
}

void LiveSearch::openRanking() {
  std::string note;
  figures_ = app::openRankFiles(chosen_, note);
  if (!note.empty()) queue_.put(jsonLine(json{{"message", note}}));
  if (!figures_) {
    run_.store().setLimit(limit_);  // unranked: the first N, as without rank
    run_.store().setDistinct(distinct_);
    return;
  }
  ranked_ = std::make_unique<RankedResults>(*figures_, static_cast<size_t>(limit_),
                                            config_->tempDirectory(), kRankBytes);
  ranked_->keepBestSoFar(std::min<size_t>(kBestShown, limit_ > 0 ? limit_ : kBestShown));
  ranked_->setDistinct(distinct_);
}

json LiveSearch::rankedLine(std::string_view line) const {
  json levels = json::array();
  for (size_t at = 0; at < line.size();) {
    size_t end = line.find(' ', at);
    if (end == std::string_view::npos) end = line.size();
    if (end > at) levels.push_back(figures_->level(line.substr(at, end - at)));
    at = end + 1;
  }
  return json{{"result", std::string(line)}, {"levels", levels}};
}

bool LiveSearch::giveRanked() {
  bool left = false;
  const bool given = ranked_->emit([&](std::string_view line) {
    left = !queue_.put(jsonLine(rankedLine(line)));
    return !left;
  });
  return given || left;
}

std::string LiveSearch::ending(bool completed, const std::vector<std::string>& messages) {
  const ResultStore& store = run_.store();
  const int found = store.entryCount();
  std::vector<std::string> said = messages;
  if (const std::string failure = CollectingPort::fromHome(home_, app::writeFailureText(store));
      !failure.empty()) {
    said.push_back(failure);
    return jsonLine(json{{"error", CollectingPort::joined(said)}});
  }
  if (!completed && found == 0)
    return jsonLine(
        json{{"error", said.empty() ? "The search ended early." : CollectingPort::joined(said)}});
  std::string out;
  if (const std::string note = app::nothingFoundNote(run_, found); !note.empty())
    out = jsonLine(json{{"message", note}});
  const auto checked = static_cast<long long>(run_.checked(false));
  return out + jsonLine(json{{"found", found}, {"checked", checked}});
}

void LiveSearch::writeReportOut() {
  ResultStore& store = run_.store();
  ResultsHeader header = resultsHeaderFor(fields_, run_.checked(false));
  header.options = optionsText_;
  store.finish(header);
  cookie_io_functions_t io = {};
  io.write = [](void* queue, const char* bytes, size_t size) -> ssize_t {
    return static_cast<LineQueue*>(queue)->put(std::string(bytes, size))
               ? static_cast<ssize_t>(size)
               : -1;
  };
  std::FILE* out = fopencookie(&queue_, "w", io);
  if (!out) return;
  std::setvbuf(out, nullptr, _IOFBF, 64 * 1024);
  writeReport(store, header, out, nullptr);
  std::fclose(out);
}

int LiveSearch::reportRefusalWithin(int ms, std::string& why) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!ended_ && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (!ended_) return 0;
  why = CollectingPort::fromHome(home_, app::writeFailureText(run_.store()));
  if (!why.empty()) return 500;
  return !whole_ || run_.store().entryCount() == 0 ? 404 : 0;
}

bool LiveSearch::provide(httplib::DataSink& sink) {
  if (form_ == Form::kReport && stopped_) return false;
  bool closed = false;
  std::string out = queue_.takeAll(kPumpMs, closed);
  const auto now = std::chrono::steady_clock::now();
  if (form_ == Form::kResults && searching_ && !closed && now >= nextProgress_) {
    // The counts as they run, when they changed, at most every 200 ms.
    nextProgress_ = now + std::chrono::milliseconds(kPumpMs);
    long checked = 0, found = 0;
    const std::string text = run_.worker()->progress().text;
    if (text != lastProgress_ &&
        std::sscanf(text.c_str(), "Checked: %ld  Found: %ld", &checked, &found) == 2)
      out += jsonLine(json{{"progress", {{"found", found}, {"checked", checked}}}});
    lastProgress_ = text;
  }
  if (form_ == Form::kResults && searching_ && ranked_ && !closed && now >= nextBest_) {
    // The best so far, when they changed, at most every 200 ms.
    uint64_t version = 0;
    const std::vector<std::string> best = ranked_->bestSoFar(version);
    if (version != bestShown_) {
      nextBest_ = now + std::chrono::milliseconds(kPumpMs);
      json list = json::array();
      for (const std::string& line : best) list.push_back(rankedLine(line));
      out += jsonLine(json{{"best", list}});
      bestShown_ = version;
    }
  }
  if (!out.empty() && !sink.write(out.data(), out.size())) return false;
  if (!sink.is_writable()) return false;
  if (closed) sink.done();
  return true;
}

}  // namespace wk::web
