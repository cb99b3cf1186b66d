#pragma once
// MergeDictionaries: merges compiled dictionaries into one temporary dictionary in dictionary
// order, each word once. Installing the result is the caller's next step (installMerged).
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "../base/operation.h"
#include "../dict/operation_context.h"

namespace wk {

class DictionaryMergeHandler;
class DictionaryNames;
template <class Handler>
class MergeFile;

class MergeDictionaries : public Operation {
 public:
  // `inputs` are merged in list order into `output` (a temporary path); the catalogue's word
  // counts estimate the work.
  MergeDictionaries(DictionaryNames& catalogue, const std::vector<std::string>& inputs,
                    const std::string& output);
  ~MergeDictionaries() override;

  bool run() override;  // false when cancelled; throws WordkegException on a file error
  void cancel() override;
  Progress progress() const override;
  PauseGate* questionGate() override { return &context_.pause(); }

 private:
  OperationContext context_;  // before the merger, whose readers share it
  // Before the merger, which sets the counter as it is made.
  std::atomic<int> counter_{0};
  std::atomic<bool> cancelled_{false};
  std::unique_ptr<MergeFile<DictionaryMergeHandler>> merger_;
  int64_t total_ = 1;
};

// Puts the merged dictionary `output` in place of `target` (the old one stays as ".lxb") and
// enters it into the catalogue. False after telling the user when that failed.
bool installMerged(DictionaryNames& catalogue, const std::string& output,
                   const std::string& target);

}  // namespace wk
