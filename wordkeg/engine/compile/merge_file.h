#pragma once
// MergeFile: a k-way merge of sorted inputs in passes of at most five (or a given fan-in),
// oldest inputs first, each pass output joining the back of the queue, until one file remains;
// that file is moved to the output name. Every temporary pass output is deleted when the merger is
// destroyed, whatever ended the merge.
//
// A Handler is one input: Handler(inputName, outputName, options, output) opens the input and
// reads its first item (Handler::Options is what every input of the merge shares, its `pause`
// the gate of the operation that merges, or null); hasItem(), readNext(), write() (to `output`,
// the pass output the merge owns and its inputs share), operator<, and the static
// createEmptyOutput(path). Handler::Output has close() (throws when its data could not be
// written) and abandon().
#include <atomic>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "../base/file_ops.h"
#include "../base/paths.h"
#include "../base/pause_gate.h"
#include "../base/string_table.h"
#include "../base/temp_names.h"
#include "../base/wordkeg_exception.h"

namespace wk {

template <class Handler>
class MergeFile {
 public:
  static constexpr int kFanIn = 5;
  using Options = typename Handler::Options;

  // Queues every file matching `pattern` (completed to temporary paths), in listing order.
  MergeFile(const std::string& pattern, std::string output, std::atomic<int>* progress,
            Options options = {}, int fanIn = kFanIn)
      : output_(std::move(output)), progress_(progress), options_(options), fanIn_(fanIn) {
    const std::string dir = directoryOf(pattern);
    for (const auto& name : findFiles(pattern)) queue_.push_back(dir + name);
    resetProgress();
  }
  // Queues `names` in list order.
  MergeFile(const std::vector<std::string>& names, std::string output, std::atomic<int>* progress,
            Options options = {})
      : output_(std::move(output)),
        progress_(progress),
        options_(options),
        queue_(names.begin(), names.end()) {
    resetProgress();
  }
  ~MergeFile() { cleanUp(); }
  MergeFile(const MergeFile&) = delete;
  MergeFile& operator=(const MergeFile&) = delete;

  int fanIn() const { return fanIn_; }
  size_t inputCount() const { return queue_.size(); }
  void cancel() { cancelled_ = true; }

  // Runs every pass and moves the result to the output name. False when cancelled; throws
  // WordkegException when a file cannot be opened, written or moved.
  bool merge() {
    if (queue_.empty()) throw WordkegException(str(kUnableToOpenFile) + output_);
    while (queue_.size() > 1 && !cancelled_) {
      const std::string passOutput = startPass();
      runPass();
      if (!cancelled_ && !fileExists(passOutput)) Handler::createEmptyOutput(passOutput);
    }
    if (cancelled_) return false;
    const std::string last = queue_.front();
    queue_.pop_front();
    if (moveFile(output_, last, nullptr) != 0) throw WordkegException(str(kCouldNotRename) + last);
    if (fileExists(last)) removeFile(last);
    return true;
  }

 private:
  void resetProgress() {
    if (progress_) *progress_ = 0;
  }
  void bump() {
    if (progress_) ++*progress_;
  }

  std::string startPass() {
    // Beside the output, in the temporary directory its caller chose.
    const std::string passOutput = directoryOf(output_) + freshTempName();
    intermediates_.push_back(passOutput);
    for (int i = 0; i < fanIn_ && !queue_.empty(); ++i) {
      auto handler = std::make_unique<Handler>(queue_.front(), passOutput, options_, pass_);
      queue_.pop_front();
      if (handler->hasItem()) insert(std::move(handler));
    }
    queue_.push_back(passOutput);
    return passOutput;
  }

  // Among equal items the input inserted last goes first, as re-inserted inputs must.
  void insert(std::unique_ptr<Handler> handler) {
    auto at = active_.begin();
    while (at != active_.end() && **at < *handler) ++at;
    active_.insert(at, std::move(handler));
  }
  std::unique_ptr<Handler> takeSmallest() {
    std::unique_ptr<Handler> smallest = std::move(active_.front());
    active_.erase(active_.begin());
    return smallest;
  }

  void runPass() {
    while (!active_.empty() && !cancelled_) {
      if (options_.pause) options_.pause->pass();
      std::unique_ptr<Handler> smallest = takeSmallest();
      bump();
      smallest->write();
      if (active_.empty()) {
        while (smallest->readNext()) {
          bump();
          smallest->write();
        }
      } else if (smallest->readNext()) {
        insert(std::move(smallest));
        continue;
      }
      if (active_.empty()) pass_.close();
    }
  }

  void cleanUp() {
    active_.clear();
    pass_.abandon();
    for (const auto& name : intermediates_)
      if (fileExists(name)) removeFile(name);
    intermediates_.clear();
  }

  std::string output_;
  std::atomic<int>* progress_;
  Options options_{};
  typename Handler::Output pass_;  // the running pass's output
  int fanIn_ = kFanIn;
  std::atomic<bool> cancelled_{false};
  std::deque<std::string> queue_;
  // At most fanIn_ inputs, smallest first; a vector keeps the per-record work free of allocation.
  std::vector<std::unique_ptr<Handler>> active_;
  std::vector<std::string> intermediates_;
};

}  // namespace wk
