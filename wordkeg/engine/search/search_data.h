#pragma once
// SearchData: the search request as the checks leave it, and the checks themselves. Each check
// reports a failure through the message port with the program's own text and returns false.
#include <string>
#include <vector>

#include "../dict/src_letters.h"
#include "results_header.h"

namespace wk {

struct SearchData {
  std::string find;           // normalised: lower case, digits expanded, single blanks, <= 40
  std::string from;           // as typed; lower-cased for multi-word or use-all requests
  std::string sourceLetters;  // FROM less the literal letters of FIND (multi-word)
  std::string include, exclude;
  SrcLetters sourcePool, fromPool, previousFromPool;
  bool suppressPermutations = false;
  bool useAll = false;
  bool fromChanged = false;  // the subset dictionary must be rebuilt
  bool multiWord = false;
  int readerBufferSize = 5120;
};

// Two or more words (blank-separated, trailing blanks ignored) or a "!" anywhere.
bool isMultiWord(const std::string& findText);

// The FIND check: normalises `text` into request.find. A "!" followed by more text asks
// message 64 (OK goes on without the rest, Cancel fails).
bool checkFind(SearchData& request, const std::string& text);
void storeFrom(SearchData& request, const std::string& text);
// Store Include (Exclude) lower-cased, then the overlap check (message 72).
bool storeInclude(SearchData& request, const std::string& text);
bool storeExclude(SearchData& request, const std::string& text);
// The final check; fills the pools, source letters and FROM changed.
bool finalCheck(SearchData& request);

struct SearchFields {
  std::string find, from, include, exclude;
  bool useAll = true;
  bool suppressPermutations = false;
};

// Every check of a search start, in the program's order; false at the first failure.
bool validateRequest(SearchData& request, const SearchFields& fields);

// The results header describing a search of `fields` that checked `wordsChecked` words (the found
// count and longest entry are the result store's to fill).
ResultsHeader resultsHeaderFor(const SearchFields& fields, uint32_t wordsChecked);

// A field's history, newest first: a non-empty `text` moves (or goes) to the top, and the list
// keeps at most ten entries.
void pushHistory(std::vector<std::string>& history, const std::string& text);
// The fields as Clear All leaves them: FIND "*", the rest empty, Use All on.
SearchFields clearedFields();

}  // namespace wk
