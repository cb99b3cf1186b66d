#include "search_request.h"

#include <algorithm>
#include <set>

namespace wk::web {
namespace {

constexpr size_t kLongestText = 200;  // far beyond any field's limit, so the program says it
constexpr size_t kLongestNumber = 9;

const std::set<std::string>& textNames() {
  static const std::set<std::string> names = {"find", "from", "include", "exclude", "dict"};
  return names;
}
const std::set<std::string>& numberNames() {
  static const std::set<std::string> names = {"limit", "min_length", "max_length", "blanks"};
  return names;
}
const std::set<std::string>& flagNames() {
  static const std::set<std::string> names = {"use_all", "suppress", "distinct", "rank"};
  return names;
}

// The form a parameter's value must have, or why it has not.
std::string formError(const std::string& name, const std::string& value) {
  if (textNames().count(name)) {
    if (value.size() > kLongestText) return name + " is too long";
    if (name == "dict" && value.empty()) return "dict is empty: name a dictionary";
    if (value.find('\0') != std::string::npos) return name + " holds a NUL character";
    return {};
  }
  if (numberNames().count(name)) {
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos)
      return name + " must be a whole number";
    return value.size() <= kLongestNumber ? std::string() : name + " is too large";
  }
  if (flagNames().count(name))
    return value == "0" || value == "1" ? std::string() : name + " must be 0 or 1";
  return "unknown parameter: " + name.substr(0, 40);
}

}  // namespace

namespace {

// The command line's rule for a count of letters, and its own words when it is broken.
std::string countFault(const char* option, int value, int lowest) {
  if (value >= lowest) return {};
  return std::string(option) + ": must be a whole number from " + std::to_string(lowest) +
         " to the home's longest word (9, or 20 with long words on)";
}

std::string optionsFault(const app::SearchJobOptions& o, const Parameters& parameters) {
  if (parameters.count("limit") && o.limit < 1)
    return "--limit: must be a whole number from 1 to 2147483647";
  if (parameters.count("min_length"))
    if (std::string fault = countFault("--min-length", o.minLength, 1); !fault.empty())
      return fault;
  if (parameters.count("max_length"))
    if (std::string fault = countFault("--max-length", o.maxLength, 1); !fault.empty())
      return fault;
  if (o.maxLength > 0 && o.maxLength < o.minLength)
    return "--max-length: is less than --min-length";
  if (o.blanks > 0 && o.fields.from.empty())
    return "--blanks: needs the FROM letters (--from) they go with";
  return {};
}

}  // namespace

SearchQuery searchQuery(const Parameters& parameters) {
  SearchQuery query;
  app::SearchJobOptions& o = query.options;
  o.fields.find = "*";
  for (const auto& [name, value] : parameters) {
    if (const std::string error = formError(name, value); !error.empty()) {
      query.error = error;
      return query;
    }
    if (name != "dict" && parameters.count(name) > 1) {
      query.error = name + " is given more than once";
      return query;
    }
    const int number = numberNames().count(name) ? std::stoi(value) : 0;
    if (name == "find")
      o.fields.find = value;
    else if (name == "from")
      o.fields.from = value;
    else if (name == "include")
      o.fields.include = value;
    else if (name == "exclude")
      o.fields.exclude = value;
    else if (name == "use_all")
      o.fields.useAll = value == "1";
    else if (name == "suppress")
      o.fields.suppressPermutations = value == "1";
    else if (name == "distinct")
      o.distinct = value == "1";
    else if (name == "rank")
      o.rank = value == "1";
    else if (name == "dict")
      o.dictionaries.push_back(value);
    else if (name == "limit")
      o.limit = number;
    else if (name == "min_length")
      o.minLength = number;
    else if (name == "max_length")
      o.maxLength = number;
    else if (name == "blanks")
      o.blanks = number;
  }
  // Names and phrases are typed with their blanks ("Clint Eastwood"): the letters are the same.
  std::erase(o.fields.from, ' ');
  query.error = optionsFault(o, parameters);
  return query;
}

}  // namespace wk::web
