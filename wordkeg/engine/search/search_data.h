#pragma once
// SearchData: the search request as the checks leave it, and the pure rules that build it. Each
// rule names the message refusing the request by its id; asking and telling the user is the
// dialog logic's (app/search_checks.h).
#include <string>
#include <vector>

#include "../dict/dict_format.h"
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
  // Every word of a result has at least (at most) this many letters; 0: no bound. Options of
  // the command line; the checks leave them as they are.
  int minWordLength = 0;
  int maxWordLength = 0;
  // Blank tiles beside FROM, each standing for any letter (set before the checks, which count
  // them); 0 for the window.
  int blanks = 0;
  // The longest word the home takes (9, or 20 with long words): FIND's words and the scans are
  // held to it.
  int longestWord = dict::kMaxSearchLength;
};

// Two or more words (blank-separated, trailing blanks ignored) or a "!" anywhere.
bool isMultiWord(const std::string& findText);

struct SearchFields {
  std::string find, from, include, exclude;
  bool useAll = true;
  bool suppressPermutations = false;
};

// FIND as the request holds it: trimmed, digits expanded, blank runs single, lower case, at most
// 40 long, no word longer than `longest` letters; anything after a "!" dropped.
struct NormalisedFind {
  int refusal = 0;           // the id of the message refusing the text, or 0
  std::string find;          // empty for a blank text
  bool restDropped = false;  // text followed the "!" and was dropped
};
NormalisedFind normaliseFind(const std::string& text, int longest = dict::kMaxSearchLength);

// FROM as stored: lower-cased for multi-word or use-all requests, else as typed.
std::string storedFrom(const SearchData& request, const std::string& text);
// kIncludeExcludeOverlap when Exclude holds a letter of Include, else 0.
int overlapRefusal(const SearchData& request);
// Completes a request whose find and from are stored: the pools, the source letters and FROM
// changed. Returns the id of the message refusing it, or 0.
int completeRequest(SearchData& request);

// The results header describing a search of `fields` that checked `wordsChecked` words (the found
// count and longest entry are the result store's to fill).
ResultsHeader resultsHeaderFor(const SearchFields& fields, uint64_t wordsChecked);

}  // namespace wk
