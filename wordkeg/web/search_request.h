#pragma once
// The web API's requests as command lines: the query parameters of a search checked for their
// form (known names, bounded lengths, whole numbers, flags 0 or 1) and turned into the
// arguments of "wordkeg search", whose own checks and messages then judge the request as they
// judge a typed one. Pure: no process is started here.
#include <map>
#include <string>
#include <vector>

#include "app/search_job.h"

namespace wk::web {

using Parameters = std::multimap<std::string, std::string>;

struct SearchCommand {
  std::string error;               // why the parameters were refused; empty when accepted
  std::vector<std::string> args;   // after "wordkeg --home HOME": "search", options, "--", FIND
};

// `parameters` as a search: find (default "*", as the window's Clear All leaves it), from,
// include, exclude, use_all (default 1), suppress, distinct (0 or 1), limit, min_length,
// max_length, blanks (whole numbers), dict (repeatable). Anything else is refused.
SearchCommand searchCommand(const Parameters& parameters);

struct SearchQuery {
  std::string error;  // why the parameters were refused, in the command line's words; or empty
  app::SearchJobOptions options;
};
// The same parameters as the search they ask for, refused as the command line refuses its
// options (a limit of 0, a maximum length under the minimum, blanks without FROM).
SearchQuery searchQuery(const Parameters& parameters);

// The program's message in a command's error output: the lines that are neither counts,
// progress nor usage hints, each without its box's caption.
std::string messageOf(const std::string& errorOutput);
// One line of error output without the caption of the box it stands for ("Input Error: ...").
std::string withoutCaption(const std::string& line);
// False for the lines that are not the program's words: empty, counts and progress
// ("Checked: N  Found: M", "Found: N", "Checked: N") and usage hints.
bool isMessageLine(const std::string& line);

}  // namespace wk::web
