#pragma once
// SearchWorker: a whole search as a long operation, run on a worker thread.
#include <atomic>
#include <cstdint>

#include "../base/operation.h"
#include "../dict/operation_context.h"
#include "search_control.h"
#include "search_data.h"

namespace wk {

class SearchWorker : public Operation {
 public:
  // `scope` names the request, dictionaries, subset and store; it must outlive the worker.
  explicit SearchWorker(SearchScope& scope);

  bool run() override;  // false when cancelled; the results found so far stay in the store
  void cancel() override;
  Progress progress() const override;
  // Words checked so far by this search.
  uint64_t checked() const;
  PauseGate* questionGate() override { return &context_.pause(); }
  // What this search's readers and scans share (its scope points here while the worker lives).
  OperationContext& context() { return context_; }

 private:
  SearchScope& scope_;
  OperationContext context_;
  std::atomic<uint64_t> finished_{0};
};

}  // namespace wk
