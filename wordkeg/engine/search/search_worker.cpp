#include "search_worker.h"

#include "../base/string_table.h"
#include "../dict/reader_state.h"
#include "result_store.h"

namespace wk {

SearchWorker::SearchWorker(SearchScope& scope) : scope_(scope) {
  scope_.finishedCount = &finished_;
}

bool SearchWorker::run() {
  SearchControl top(scope_);
  return top.run() != SearchControl::kCancelled;
}

void SearchWorker::cancel() {
  readerState().requestCancel();
}

uint64_t SearchWorker::checked() const {
  // Between dictionaries the counter restarts, so finished dictionaries are added apart.
  return finished_ + readerState().wordsChecked();
}

Progress SearchWorker::progress() const {
  return {str(kCheckedCount) + std::to_string(checked()) + "  " + str(kFoundCount) +
              std::to_string(scope_.store->entryCount()),
          -1};
}

}  // namespace wk
