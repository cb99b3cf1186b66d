#pragma once
// "wordkeg search" and "wordkeg results ...". Exit statuses as the dict commands: 0 results found
// or done, 1 none, 2 refused or failed.
#include <string>
#include <vector>

namespace wk::cli {

struct SearchOptions {
  std::string find, from, include, exclude;
  bool useAll = true;
  bool suppressPermutations = false;
  std::vector<std::string> dictionaries;  // empty: the selected ones
  std::string save;
};

int runSearch(const SearchOptions& options);
int showResults(const std::string& file);
int exportResults(const std::string& file, const std::string& out);
int deleteResults(const std::string& file);

// The field as the window's edit would take it: "/" becomes "?" in FIND; false after telling the
// user when a character would be refused or the text is longer than the field.
bool acceptField(std::string& text, const char* field, const char* allowed, size_t maxLength);

}  // namespace wk::cli
