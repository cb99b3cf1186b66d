#pragma once
// The work of a MergeFile merge in records written, for progress percentages: inputs of the
// given sizes merged oldest first, `fanIn` at a time, each pass output queued again.
#include <cstdint>
#include <vector>

namespace wk {

// At least 1, so it can divide.
int64_t mergeWorkEstimate(const std::vector<int64_t>& inputSizes, int fanIn);
// The sizes of the runs that `words` valid words make, `runRecords` to a run.
std::vector<int64_t> runSizes(int64_t words, int runRecords = 3000);

}  // namespace wk
