#include "merge_estimate.h"

#include <cstddef>
#include <deque>


namespace wk {

int64_t mergeWorkEstimate(const std::vector<int64_t>& inputSizes, int fanIn) {
  std::deque<int64_t> queue(inputSizes.begin(), inputSizes.end());
  int64_t total = 0;
  while (!queue.empty()) {
    int64_t pass = 0;
    for (int i = 0; i < fanIn && !queue.empty(); ++i) {
      pass += queue.front();
      queue.pop_front();
    }
    total += pass;
    if (!queue.empty()) queue.push_back(pass);
  }
  return total > 0 ? total : 1;
}

std::vector<int64_t> runSizes(int64_t words, int runRecords) {
  std::vector<int64_t> sizes(static_cast<size_t>(words / runRecords), runRecords);
  if (words % runRecords) sizes.push_back(words % runRecords);
  return sizes;
}

}  // namespace wk
