#pragma once
// The plain-text report of a results pair: the search definition, the two counts and every
// result line, written in text mode.
#include <atomic>
#include <cstdio>
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
// The same report into an open stream (the command line's standard output); false when a write
// failed, with nothing said.
bool writeReport(ResultStore& store, const ResultsHeader& header, std::FILE* out,
                 std::atomic<int>* percent);

}  // namespace wk
