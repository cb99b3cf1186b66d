#pragma once
// "wordkeg search" and "wordkeg results ...". Exit statuses as the dict commands: 0 results found
// or done, 1 none, 2 refused or failed.
#include <string>
#include <vector>

#include "app/search_job.h"

namespace wk {
class DictionaryNames;
}

namespace wk::cli {

// The search as every program outside the window asks it, and the command line's own options.
struct SearchOptions {
  app::SearchJobOptions job;
  std::string save;
  bool progressLines = false;  // the running counts as lines on stderr
};

int runSearch(DictionaryNames& catalogue, const SearchOptions& options);
int showResults(DictionaryNames& catalogue, const std::string& file);
int exportResults(DictionaryNames& catalogue, const std::string& file, const std::string& out);
int deleteResults(DictionaryNames& catalogue, const std::string& file);


}  // namespace wk::cli
