#pragma once
// The plain-text report of a results pair: the search definition, the two counts and every
// result line, written in text mode.
#include <atomic>
#include <string>

#include "results_header.h"

namespace wk {

class ResultStore;

// Where Save As writes: the chosen path completed with "wkg" (first filter) or "asc" (the others)
// when it has no extension, and whether that is a results pair ("wkg" in any case) or a report.
struct SaveTarget {
  std::string path;
  bool pair = false;
};
SaveTarget saveTarget(const std::string& chosen, bool firstFilter);

// Writes the report of `store` described by `header` (texts, options, words checked) to `path`.
// False after telling the user when the file cannot be created or written.
bool writeTextReport(ResultStore& store, const ResultsHeader& header, const std::string& path,
                     std::atomic<int>* percent);

}  // namespace wk
