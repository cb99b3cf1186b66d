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
  static const std::set<std::string> names = {"use_all", "suppress", "distinct"};
  return names;
}

std::string optionOf(std::string name) {
  std::replace(name.begin(), name.end(), '_', '-');
  return "--" + name;
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

SearchCommand searchCommand(const Parameters& parameters) {
  SearchCommand command;
  std::string find = "*";
  bool useAll = true;
  std::vector<std::string> options;
  for (const auto& [name, value] : parameters) {
    if (const std::string error = formError(name, value); !error.empty()) {
      command.error = error;
      return command;
    }
    if (name != "dict" && parameters.count(name) > 1) {
      command.error = name + " is given more than once";
      return command;
    }
    if (name == "find") {
      find = value;
    } else if (name == "use_all") {
      useAll = value == "1";
    } else if (flagNames().count(name)) {
      if (value == "1") options.push_back(name == "suppress" ? "--suppress-permutations" : "--distinct");
    } else if (name == "dict" || !value.empty() || numberNames().count(name)) {
      // "--name=value": a value that starts with "-" stays a value.
      options.push_back(optionOf(name) + "=" + value);
    }
  }
  command.args = {"search", "--progress-lines"};
  if (!useAll) command.args.push_back("--no-use-all");
  command.args.insert(command.args.end(), options.begin(), options.end());
  command.args.push_back("--");
  command.args.push_back(find);
  return command;
}

bool isMessageLine(const std::string& line) {
  return !line.empty() && line.rfind("Checked: ", 0) != 0 && line.rfind("Found: ", 0) != 0 &&
         line.rfind("Run with --help", 0) != 0;
}

std::string withoutCaption(const std::string& line) {
  // A caption is a few words with capitals ("Input Error", "No Dictionaries Selected").
  const size_t colon = line.find(": ");
  if (colon == std::string::npos || colon > 40 || line[0] < 'A' || line[0] > 'Z') return line;
  const bool words = std::all_of(line.begin(), line.begin() + static_cast<long>(colon), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ';
  });
  return words ? line.substr(colon + 2) : line;
}

std::string messageOf(const std::string& errorOutput) {
  std::string message;
  size_t start = 0;
  while (start < errorOutput.size()) {
    size_t end = errorOutput.find('\n', start);
    if (end == std::string::npos) end = errorOutput.size();
    const std::string line = errorOutput.substr(start, end - start);
    start = end + 1;
    if (!isMessageLine(line)) continue;
    if (!message.empty()) message += "\n";
    message += withoutCaption(line);
  }
  return message;
}

}  // namespace wk::web
