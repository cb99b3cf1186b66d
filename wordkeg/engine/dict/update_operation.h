#pragma once
// UpdateOperation: adding or removing one word as a long operation (see updateDictionary).
#include <atomic>
#include <string>

#include "../base/operation.h"
#include "operation_context.h"
#include "word_lookup.h"

namespace wk {

class UpdateOperation : public Operation {
 public:
  // `total` is the dictionary's word count from the catalogue (0 when unknown), for progress.
  UpdateOperation(DictionaryNames& catalogue, std::string path, std::string word, UpdateMode mode,
                  int total);

  bool run() override;  // true unless cancelled; result() tells what happened
  void cancel() override;
  PauseGate* questionGate() override { return &context_.pause(); }
  Progress progress() const override;
  int result() const { return result_; }

 private:
  OperationContext context_;
  DictionaryNames& catalogue_;
  std::string path_, word_;
  UpdateMode mode_;
  int total_;
  std::atomic<int> result_{update_result::kCancelled};
};

}  // namespace wk
