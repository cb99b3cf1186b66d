#pragma once
// RequestChecks: the checks of a search request as the main window runs them (FIND as the focus
// leaves it, Include and Exclude as they change, all of them at Start), each telling the user
// of a refusal with the program's own text. The request they build is the engine's SearchData.
#include <string>
#include <vector>

#include "engine/search/search_data.h"

namespace wk::app {

class RequestChecks {
 public:
  SearchData& request() { return request_; }
  const SearchData& request() const { return request_; }

  // FIND: normalises `text` into the request. A "!" followed by more text asks message 64 (OK
  // goes on without the rest, Cancel fails).
  bool checkFind(const std::string& text);
  void storeFrom(const std::string& text);
  // Stores Include (Exclude) lower-cased, then the overlap check (message 72).
  bool storeInclude(const std::string& text);
  bool storeExclude(const std::string& text);
  // The final check; fills the pools, source letters and FROM changed.
  bool finalCheck();
  // Every check of a search start, in the program's order; false at the first failure.
  bool validate(const SearchFields& fields);
  // Start: a dictionary must be chosen (message 706, caption 707), then validate().
  bool start(const SearchFields& fields, bool anyDictionary);
  // The refusal of a too long FIND word goes on to name the home's limit (the command line's,
  // where no dialog shows the fields' limits).
  void nameLengthLimit() { namesLimit_ = true; }

 private:
  bool refuse(int textId);
  bool overlapCheck();  // message 72 when Exclude holds a letter of Include

  SearchData request_;
  // A check's box is up: the focus change it causes must not check (and ask) again.
  bool asking_ = false;
  bool namesLimit_ = false;
};

// " (20 with long words on`how`)" where the home takes fewer than twenty letters, else "": what
// more long words would allow. `how` tells the user how to turn them on (may be empty).
std::string longWordsAside(int longest, const std::string& how = "");
// "The longest word this home takes has N letters", then longWordsAside(), then ".".
std::string longestWordNote(int longest, const std::string& how = "");

// A field's history, newest first: a non-empty `text` moves (or goes) to the top, and the list
// keeps at most ten entries.
void pushHistory(std::vector<std::string>& history, const std::string& text);
// The fields as Clear All leaves them: FIND "*", the rest empty, Use All on.
SearchFields clearedFields();

}  // namespace wk::app
