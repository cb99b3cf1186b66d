#pragma once
// "wordkeg search" and "wordkeg results ...". Exit statuses as the dict commands: 0 results found
// or done, 1 none, 2 refused or failed.
#include <string>
#include <vector>

namespace wk {
class DictionaryNames;
}

namespace wk::cli {

struct SearchOptions {
  std::string find, from, include, exclude;
  bool useAll = true;
  bool suppressPermutations = false;
  std::vector<std::string> dictionaries;  // empty: the selected ones
  std::string save;
  int limit = 0;      // stop after this many results; 0: all
  int minLength = 0;  // every word of a result at least (at most) this long; 0: any
  int maxLength = 0;
  bool distinct = false;  // each result once, whatever its case
  int blanks = 0;         // tiles beside FROM that stand for any letter
  bool progressLines = false;  // the running counts as lines on stderr
  bool longestFirst = false;   // single words printed longest first once all are found
};

int runSearch(DictionaryNames& catalogue, const SearchOptions& options);
int showResults(DictionaryNames& catalogue, const std::string& file);
int exportResults(DictionaryNames& catalogue, const std::string& file, const std::string& out);
int deleteResults(DictionaryNames& catalogue, const std::string& file);


}  // namespace wk::cli
