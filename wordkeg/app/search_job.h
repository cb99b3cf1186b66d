#pragma once
// A search as the command line and the web server run it, apart from where its results and
// words go: the options beyond the window's, the checks that refuse a request (each through the
// message port, in the command line's order and words), and what is said at its end.
#include <string>
#include <vector>

#include "engine/search/search_data.h"

namespace wk {
class DictionaryNames;
class ResultStore;
struct DictionaryName;
}  // namespace wk

namespace wk::app {

class SearchRun;

// How a program without the window's dialog tells the user to turn long words on.
extern const char* const kTurnLongWordsOn;

struct SearchJobOptions {
  SearchFields fields;
  std::vector<std::string> dictionaries;  // empty: the selected ones
  int limit = 0;                          // stop after this many results; 0: all
  int minLength = 0;  // every word of a result at least (at most) this long; 0: any
  int maxLength = 0;
  int blanks = 0;         // tiles beside FROM that stand for any letter
  bool distinct = false;  // each result once, whatever its case
  bool longestFirst = false;
  // The results by how common their words are (the front end orders them: RankedResults); a
  // limit then keeps the best, so the search runs to its end.
  bool rank = false;
};

// The checks before the search: the length options against the home's longest word, the
// fields' typing rules (FIND's "/" taken as "?": `fields` is left as checked), Include and
// Exclude with a FIND of one word only, --longest-first with one word only and not with --rank,
// and the dictionaries
// named. False after a message; `chosen` is the search's dictionaries in catalogue order.
bool checkSearchJob(DictionaryNames& catalogue, const SearchJobOptions& options,
                    SearchFields& fields, std::vector<const DictionaryName*>& chosen);
// The window's checks at Start, then the options into `run`; false after a message.
bool startSearchJob(SearchRun& run, const SearchFields& fields, const SearchJobOptions& options,
                    bool anyDictionary);
// The options beyond the window's that shaped the results, as the command line writes them.
std::string optionsText(const SearchJobOptions& options);
// Why the results could not all be kept (the disk is full or nearly, a write failed, too many
// to keep apart with distinct), or "".
std::string writeFailureText(const ResultStore& store);
// What to say when a search found nothing because FROM has more letters than a word of the
// home may (FIND of one word, Use All), or "".
std::string nothingFoundNote(const SearchRun& run, int found);
// A message as a program without the window's buttons says it: the "!" note says what happens.
std::string withoutButtons(const std::string& text);

}  // namespace wk::app
