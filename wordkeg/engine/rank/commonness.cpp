#include "commonness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "../base/paths.h"
#include "../base/system_path.h"

namespace wk {
namespace {

// Levels given back to words that would otherwise crowd the top of a multi-word search.
constexpr int kAbbreviationLevel = 80;
constexpr int kOneLetterLevel = 70;

// Pieces of contractions that the subtitles' counts hold as words ("don" of "don't"): their
// counts say nothing of the words spelled the same.
constexpr const char* kContractionPieces[] = {
    "don",  "didn",  "doesn", "isn", "wasn",  "couldn", "wouldn", "shouldn", "aren", "weren",
    "hasn", "haven", "hadn",  "ain", "mustn", "needn",  "ll",     "ve",      "re"};

// Past this count a word is simply common: the most frequent words (to, was, not) would
// otherwise carry a phrase to the top on their own, ahead of phrases of words people know.
constexpr double kCountCap = 3000;

// SCOWL's size levels as the ranking's tiers: 10 and 20 are both the lists of the commonest
// words, and the levels that come in pairs (35 and 40, 50 and 55) are as close.
int tierOf(int level) {
  if (level <= 20) return 1;
  if (level <= 40) return 2;
  if (level <= 55) return 3;
  if (level <= 60) return 4;
  if (level <= 70) return 5;
  if (level <= 80) return 6;
  if (level <= 95) return 7;
  return 8;
}

// The spellings whose lists count: the common ones and the British and American variants.
constexpr const char* kSpellings[] = {"english", "british", "american", "british_z"};

bool isLower(char c) {
  return c >= 'a' && c <= 'z';
}

bool isAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// "english-proper-names.50" read as its spelling, kind and level; false for any other name.
bool parseListName(const std::string& name, std::string& kind, int& level) {
  const size_t dot = name.rfind('.'), dash = name.find('-');
  if (dot == std::string::npos || dash == std::string::npos || dash > dot) return false;
  const std::string spelling = name.substr(0, dash);
  if (std::none_of(std::begin(kSpellings), std::end(kSpellings),
                   [&](const char* s) { return spelling == s; }))
    return false;
  kind = name.substr(dash + 1, dot - dash - 1);
  char* end = nullptr;
  level = static_cast<int>(std::strtol(name.c_str() + dot + 1, &end, 10));
  return *end == '\0' && level > 0 && level < Commonness::kUnlistedLevel;
}

}  // namespace

void Commonness::add(const std::string& word, Kind kind, int level) {
  Entry& entry = levels_[word];
  uint8_t& slot = kind == kWords ? entry.words : kind == kNames ? entry.names : entry.abbreviations;
  if (slot == 0 || level < slot) slot = static_cast<uint8_t>(level);
}

Commonness Commonness::load(const std::string& scowlFolder, std::string_view subtlex) {
  Commonness table;
  std::error_code ec;
  for (const auto& file : std::filesystem::directory_iterator(systemPath(scowlFolder), ec)) {
    std::string kindName;
    int level = 0;
    if (!parseListName(pathText(file.path().filename()), kindName, level)) continue;
    Kind kind;
    if (kindName == "words" || kindName == "contractions")
      kind = kWords;
    else if (kindName == "upper" || kindName == "proper-names")
      kind = kNames;
    else if (kindName == "abbreviations")
      kind = kAbbreviations;
    else
      continue;
    std::ifstream in(file.path(), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && isAscii(line)) table.add(line, kind, level);
    }
  }
  if (table.levels_.empty()) return table;
  for (size_t at = 0; at < subtlex.size();) {
    size_t end = subtlex.find('\n', at);
    if (end == std::string_view::npos) end = subtlex.size();
    const std::string_view line = subtlex.substr(at, end - at);
    at = end + 1;
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) continue;
    // The counts hold a word once, in its commonest casing ("West"): kept by its letters.
    const std::string word = toLower(std::string(line.substr(0, tab)));
    if (std::any_of(std::begin(kContractionPieces), std::end(kContractionPieces),
                    [&](const char* piece) { return word == piece; }))
      continue;
    const std::string number(line.substr(tab + 1));
    const auto count = static_cast<uint32_t>(std::strtoul(number.c_str(), nullptr, 10));
    uint32_t& kept = table.counts_[word];
    kept = std::max(kept, count);
  }
  return table;
}

int Commonness::level(std::string_view word) const {
  const auto found = levels_.find(std::string(word));
  if (word.empty() || found == levels_.end()) return kUnlistedLevel;
  const Entry& e = found->second;
  // A lower-case word is the word itself; a capitalised one a name, or a word listed capitalised.
  int level = isLower(word[0]) ? e.words : (e.names ? e.names : e.words);
  if (level == 0)
    level = e.abbreviations ? std::max<int>(e.abbreviations, kAbbreviationLevel) : kUnlistedLevel;
  if (word.size() == 1) level = std::max(level, kOneLetterLevel);
  return level;
}

int Commonness::rarity(std::string_view word) const {
  const auto found = counts_.find(toLower(std::string(word)));
  const double count = found == counts_.end() ? 0 : std::min<double>(found->second, kCountCap);
  const int within = 99 - std::min(99, static_cast<int>(std::log10(count + 1) * 15.5));
  return tierOf(level(word)) * 100 + within;
}

}  // namespace wk
