#pragma once
// The web API's search requests: the query parameters checked for their form (known names,
// bounded lengths, whole numbers, flags 0 or 1) and turned into the options of the search they
// ask for, whose own checks (app/search_job.h) then judge it as they judge a typed one.
#include <map>
#include <string>
#include <vector>

#include "app/search_job.h"

namespace wk::web {

using Parameters = std::multimap<std::string, std::string>;

struct SearchQuery {
  std::string error;  // why the parameters were refused, in the command line's words; or empty
  app::SearchJobOptions options;
};
// `parameters` as a search: find (default "*", as the window's Clear All leaves it), from,
// include, exclude, use_all (default 1), suppress, distinct, rank (0 or 1), limit, min_length,
// max_length, blanks (whole numbers), dict (repeatable). Anything else is refused, and so is
// what the command line refuses of its options (a limit of 0, a maximum length under the
// minimum, blanks without FROM), in its words.
SearchQuery searchQuery(const Parameters& parameters);

}  // namespace wk::web
