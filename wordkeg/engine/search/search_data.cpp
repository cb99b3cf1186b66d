#include "search_data.h"

#include <algorithm>

#include "../base/paths.h"
#include "../base/string_table.h"
#include "../dict/dict_format.h"

namespace wk {
namespace {

constexpr size_t kMaxFind = 40;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isUpper(char c) {
  return c >= 'A' && c <= 'Z';
}

// The pattern's length with each digit run counted as its value and each blank run as one.
size_t measure(const std::string& text) {
  size_t total = 0;
  for (size_t i = 0; i < text.size();) {
    if (isDigit(text[i])) {
      size_t value = 0;
      for (; i < text.size() && isDigit(text[i]); ++i)
        value = std::min<size_t>(value * 10 + (text[i] - '0'), 1000);
      total += value;
    } else {
      const bool blank = text[i] == ' ';
      for (++i; blank && i < text.size() && text[i] == ' ';) ++i;
      total += 1;
    }
  }
  return total;
}

std::string rewrite(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (isDigit(text[i])) {
      size_t value = 0;
      for (; i < text.size() && isDigit(text[i]); ++i) value = value * 10 + (text[i] - '0');
      out.append(value, '?');
    } else {
      out += text[i];
      const bool blank = text[i] == ' ';
      for (++i; blank && i < text.size() && text[i] == ' ';) ++i;
    }
  }
  return out;
}

bool wordsFit(const std::string& find, int longest) {
  size_t start = 0;
  while (start <= find.size()) {
    size_t end = find.find(' ', start);
    if (end == std::string::npos) end = find.size();
    const std::string word = find.substr(start, end - start);
    if (word.size() - std::count(word.begin(), word.end(), '*') > static_cast<size_t>(longest))
      return false;
    start = end + 1;
  }
  return true;
}

// Step 7 of the final check: every letter of FIND must be found in FROM; lower-case letters of
// FROM are used up, upper-case ones never.
// Letters FROM lacks may each take a blank.
bool findLettersInFrom(const std::string& find, std::string from, int blanks) {
  for (char c : find) {
    if (!isLetter(c)) continue;
    auto at = from.find(c);
    if (at != std::string::npos) {
      from[at] = '#';
    } else if (from.find(static_cast<char>(c - 'a' + 'A')) == std::string::npos &&
               blanks-- == 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool isMultiWord(const std::string& findText) {
  if (findText.find('!') != std::string::npos) return true;
  const auto start = findText.find_first_not_of(' ');
  if (start == std::string::npos) return false;
  const auto blank = findText.find(' ', start);
  return blank != std::string::npos && findText.find_first_not_of(' ', blank) != std::string::npos;
}

NormalisedFind normaliseFind(const std::string& text, int longest) {
  NormalisedFind out;
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return out;
  const std::string trimmed = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (measure(trimmed) > kMaxFind) {
    out.refusal = kFindTooLong;
    return out;
  }
  std::string find = rewrite(trimmed);
  if (!wordsFit(find, longest)) {
    out.refusal = kPatternTooLong;
    return out;
  }
  if (const auto bang = find.find('!'); bang != std::string::npos) {
    out.restDropped = find.find_first_not_of(' ', bang + 1) != std::string::npos;
    find.erase(bang + 1);
  }
  out.find = toLower(find);
  return out;
}

std::string storedFrom(const SearchData& request, const std::string& text) {
  return (request.multiWord || request.useAll) ? toLower(text) : text;
}

int overlapRefusal(const SearchData& request) {
  return request.exclude.find_first_of(request.include) == std::string::npos
             ? 0
             : kIncludeExcludeOverlap;
}

int completeRequest(SearchData& request) {
  if (request.find.empty()) return kNoFind;
  if (request.multiWord && request.from.empty()) return kMultiNeedsFrom;
  request.sourceLetters = request.from;
  request.fromPool.set(request.from);
  request.fromPool.addBlanks(request.blanks);
  request.fromChanged = !(request.fromPool == request.previousFromPool);
  if (request.fromChanged) request.previousFromPool = request.fromPool;
  int sourceBlanks = request.blanks;
  if (request.multiWord) {
    // Each level adds its pattern's letters back: they are taken out of FROM here, and a
    // letter FROM lacks out of the blanks.
    for (char c : request.find) {
      if (const auto at = request.sourceLetters.find(c); at != std::string::npos)
        request.sourceLetters.erase(at, 1);
      else if (isLetter(c) && sourceBlanks > 0)
        --sourceBlanks;
    }
    request.readerBufferSize = 2048;
  }
  request.sourcePool.set(request.sourceLetters);
  request.sourcePool.addBlanks(sourceBlanks);
  if (request.from.empty()) return 0;
  if (!findLettersInFrom(request.find, request.from, request.blanks)) return kFindLettersNotInFrom;
  const std::string beforeBang = request.find.substr(0, request.find.find('!'));
  const auto needed = static_cast<size_t>(std::count_if(
      beforeBang.begin(), beforeBang.end(), [](char c) { return isLetter(c) || c == '?'; }));
  const bool unlimited = std::any_of(request.from.begin(), request.from.end(), isUpper);
  if (request.from.size() + static_cast<size_t>(request.blanks) >= needed ||
      (unlimited && !request.multiWord))
    return 0;
  return kFindLongerThanFrom;
}

ResultsHeader resultsHeaderFor(const SearchFields& f, uint64_t wordsChecked) {
  ResultsHeader h;
  h.find = f.find;
  h.from = f.from;
  h.include = f.include;
  h.exclude = f.exclude;
  h.useAll = f.useAll;
  h.suppressPermutations = f.suppressPermutations;
  // The pair's field has 32 bits, read as unsigned: a larger count keeps its largest value
  // rather than wrapping to a small one.
  h.wordsChecked =
      static_cast<int32_t>(static_cast<uint32_t>(std::min<uint64_t>(wordsChecked, UINT32_MAX)));
  return h;
}

}  // namespace wk
