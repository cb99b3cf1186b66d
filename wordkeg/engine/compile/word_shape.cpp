#include "word_shape.h"

namespace wk {
namespace {

bool isAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

bool isWordShape(const std::string& word, int longest) {
  if (word.empty() || word.back() == '-') return false;
  bool hyphen = false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (isAsciiLetter(word[i])) continue;
    if (word[i] != '-' || hyphen || i == 0) return false;
    hyphen = true;
  }
  return word.size() <= static_cast<size_t>(hyphen ? longest + 1 : longest);
}

std::string foldWord(std::string word) {
  for (size_t i = 1; i < word.size(); ++i)
    if (word[i] >= 'A' && word[i] <= 'Z') word[i] = static_cast<char>(word[i] - 'A' + 'a');
  return word;
}

LineVerdict judgeLine(const std::string& line, int longest) {
  const auto start = line.find_first_not_of(' ');
  if (start == std::string::npos) return LineVerdict::kBlank;
  auto end = line.find(' ', start);
  if (end != std::string::npos && line.find_first_not_of(' ', end) != std::string::npos)
    return LineVerdict::kSeveralWords;
  if (end == std::string::npos) end = line.size();
  int letters = 0, hyphens = 0;
  for (size_t i = start; i < end; ++i) {
    if (isAsciiLetter(line[i])) {
      ++letters;
    } else if (line[i] == '-') {
      ++hyphens;
    } else {
      return LineVerdict::kNotLetters;
    }
  }
  if (hyphens > 1 || line[start] == '-' || line[end - 1] == '-') return LineVerdict::kHyphens;
  return letters > longest ? LineVerdict::kTooLong : LineVerdict::kWord;
}

LineVerdict takeLine(std::string& line, int longest) {
  const LineVerdict verdict = judgeLine(line, longest);
  if (verdict != LineVerdict::kWord) return verdict;
  const auto start = line.find_first_not_of(' ');
  const auto end = line.find(' ', start);
  line = foldWord(line.substr(start, end == std::string::npos ? end : end - start));
  return verdict;
}

bool validateLine(std::string& line, int longest) {
  return takeLine(line, longest) == LineVerdict::kWord;
}

}  // namespace wk
