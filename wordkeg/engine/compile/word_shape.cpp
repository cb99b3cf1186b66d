#include "word_shape.h"

namespace wk {
namespace {

bool isAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

bool isWordShape(const std::string& word) {
  if (word.empty() || word.back() == '-') return false;
  bool hyphen = false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (isAsciiLetter(word[i])) continue;
    if (word[i] != '-' || hyphen || i == 0) return false;
    hyphen = true;
  }
  return word.size() <= (hyphen ? 10u : 9u);
}

std::string foldWord(std::string word) {
  for (size_t i = 1; i < word.size(); ++i)
    if (word[i] >= 'A' && word[i] <= 'Z') word[i] = static_cast<char>(word[i] - 'A' + 'a');
  return word;
}

bool validateLine(std::string& line) {
  const auto start = line.find_first_not_of(' ');
  if (start == std::string::npos) return false;
  auto end = line.find(' ', start);
  if (end != std::string::npos && line.find_first_not_of(' ', end) != std::string::npos)
    return false;
  if (end == std::string::npos) end = line.size();
  std::string word = line.substr(start, end - start);
  if (!isWordShape(word)) return false;
  line = foldWord(word);
  return true;
}

}  // namespace wk
