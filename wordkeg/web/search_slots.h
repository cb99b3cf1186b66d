#pragma once
// SearchSlots: how many searches (and reports) the server runs at once. A request over that
// number is answered 503 at once, with Retry-After, instead of waiting in a queue that would
// grow without bound and keep the page and the dictionary list waiting behind it.
#include <memory>
#include <mutex>

namespace wk::web {

class SearchSlots {
 public:
  // Twice the machine's processors (at least four): searches use a processor each while they
  // scan, and some of the time wait for their clients.
  static int defaultCapacity();

  explicit SearchSlots(int capacity) : free_(capacity) {}
  // A slot, held while the returned holder (or a copy of it) lives; null when all are taken.
  std::shared_ptr<void> take();

 private:
  std::mutex mutex_;
  int free_;
};

}  // namespace wk::web
