#include "search_worker.h"

#include "../base/string_table.h"
#include "result_store.h"

namespace wk {

SearchWorker::SearchWorker(SearchScope& scope) : scope_(scope) {
  scope_.finishedCount = &finished_;
  scope_.context = &context_;
}

bool SearchWorker::run() {
  SearchControl top(scope_);
  return top.run() != SearchControl::kCancelled;
}

void SearchWorker::cancel() {
  context_.requestCancel();
}

uint64_t SearchWorker::checked() const {
  // Between dictionaries the counter restarts, so finished dictionaries are added apart.
  return finished_ + context_.wordsChecked();
}

Progress SearchWorker::progress() const {
  return {str(kCheckedCount) + std::to_string(checked()) + "  " + str(kFoundCount) +
              std::to_string(scope_.store->entryCount()),
          -1};
}

}  // namespace wk
