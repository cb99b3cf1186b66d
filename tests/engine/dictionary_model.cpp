#include "dictionary_model.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <set>

namespace wk::test {
namespace {

const std::string kPairs = "aeilnortscbdfghkmpuvy";  // the first ten open a pair

bool isUpper(char c) {
  return c >= 'A' && c <= 'Z';
}
char lower(char c) {
  return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string withoutHyphen(std::string w) {
  w.erase(std::remove(w.begin(), w.end(), '-'), w.end());
  return w;
}
bool hasHyphen(const std::string& w) {
  return w.find('-') != std::string::npos;
}
std::string storedForm(const std::string& w) {
  std::string s = withoutHyphen(w);
  s[0] = lower(s[0]);
  return s;
}

// The rest of two words from their second character: letters as unsigned bytes, hyphens
// skipped; then the word without a hyphen first.
int compareRest(const std::string& a, const std::string& b) {
  const std::string ra = withoutHyphen(a.substr(1)), rb = withoutHyphen(b.substr(1));
  for (size_t i = 0; i < ra.size() && i < rb.size(); ++i)
    if (ra[i] != rb[i]) return static_cast<unsigned char>(ra[i]) - static_cast<unsigned char>(rb[i]);
  if (ra.size() != rb.size()) return static_cast<int>(ra.size()) - static_cast<int>(rb.size());
  return static_cast<int>(hasHyphen(a)) - static_cast<int>(hasHyphen(b));
}

void put32(std::vector<unsigned char>& out, size_t at, int64_t value) {
  for (int k = 0; k < 4; ++k) out[at + k] = static_cast<unsigned char>(value >> (8 * k));
}

// The record of `word` after `previous` (as written), the first of its length when `first`.
void appendRecord(std::vector<unsigned char>& out, const std::string& word,
                  const std::string& previous, bool first) {
  const std::string s = storedForm(word);
  size_t prefix = 0;
  if (!first)
    while (prefix < s.size() && prefix < previous.size() && s[prefix] == previous[prefix])
      ++prefix;
  const size_t hyphen = word.find('-');
  out.push_back(static_cast<unsigned char>(prefix << 2 | (isUpper(word[0]) ? 2 : 0) |
                                           (hyphen != std::string::npos ? 1 : 0)));
  if (hyphen != std::string::npos) out.push_back(static_cast<unsigned char>(hyphen));
  for (size_t i = prefix; i < s.size();) {
    const size_t opener = kPairs.find(s[i]);
    if (opener < 10 && i + 1 < s.size() && kPairs.find(s[i + 1]) != std::string::npos) {
      out.push_back(static_cast<unsigned char>(21 * opener + kPairs.find(s[i + 1])));
      i += 2;
    } else {
      out.push_back(static_cast<unsigned char>(s[i] + 128));
      ++i;
    }
  }
}

}  // namespace

int modelOrder(const std::string& a, const std::string& b) {
  const size_t la = withoutHyphen(a).size(), lb = withoutHyphen(b).size();
  if (la != lb) return la < lb ? -1 : 1;
  if (a[0] != b[0] && lower(a[0]) != lower(b[0])) return lower(a[0]) < lower(b[0]) ? -1 : 1;
  const int rest = compareRest(a, b);
  if (rest != 0 || a[0] == b[0]) return rest;
  return isUpper(a[0]) ? -1 : 1;  // the same letter in two cases: the capital first
}

std::vector<std::string> modelSorted(std::vector<std::string> words) {
  std::stable_sort(words.begin(), words.end(),
                   [](const auto& a, const auto& b) { return modelOrder(a, b) < 0; });
  words.erase(std::unique(words.begin(), words.end()), words.end());
  return words;
}

std::vector<unsigned char> modelDictionary(const std::vector<std::string>& list) {
  const std::vector<std::string> words = modelSorted(list);
  std::vector<unsigned char> out(2096, 0);
  // Where each (length, first letter) group starts, and where each length's words end.
  std::map<std::pair<size_t, char>, size_t> groupStart;
  std::map<size_t, size_t> lengthEnd;
  size_t length = 1;
  std::string previous;
  for (const auto& w : words) {
    const size_t l = withoutHyphen(w).size();
    const bool first = l != length || previous.empty();
    while (length < l) {
      lengthEnd[length] = out.size();
      out.push_back(254);
      ++length;
    }
    groupStart.emplace(std::pair{l, lower(w[0])}, out.size());
    appendRecord(out, w, previous, first);
    previous = w;
  }
  lengthEnd[length] = out.size();
  for (size_t l = 1; l <= 20; ++l) {
    for (char c = 'a'; c <= 'z'; ++c) {
      size_t at = out.size();
      if (l <= length) {
        at = lengthEnd[l];
        for (char d = 'z'; d >= c; --d)
          if (auto it = groupStart.find({l, d}); it != groupStart.end()) at = it->second;
      }
      put32(out, 4 * ((l - 1) * 26 + static_cast<size_t>(c - 'a')), static_cast<int64_t>(at));
    }
  }
  put32(out, 2088, static_cast<int64_t>(words.size()));
  out[2092] = 0xB1;
  out[2093] = 0x59;
  out[2094] = 1;
  return out;
}

std::vector<unsigned char> withModelHeader(std::vector<unsigned char> file) {
  if (file.size() < 2096) return file;
  std::fill(file.begin() + 2080, file.begin() + 2088, 0);
  file[2094] = 1;
  file[2095] = 0;
  return file;
}

std::vector<std::string> randomWords(int count, int longest, unsigned seed) {
  std::mt19937 random(seed);
  const std::string common = "aeiourstlnc";
  std::vector<std::string> words;
  std::set<std::string> hyphenated;  // the stored forms that have a hyphenated word
  for (int i = 0; i < count; ++i) {
    // Short words most often, as in a real list, and every length up to the longest.
    const int length = 1 + static_cast<int>(random() % 2 ? random() % 7 : random() % longest);
    std::string w;
    for (int k = 0; k < length; ++k)
      w += random() % 3 ? common[random() % common.size()] : static_cast<char>('a' + random() % 26);
    if (random() % 9 == 0) w[0] = static_cast<char>(w[0] - 'a' + 'A');
    if (length > 2 && random() % 11 == 0 && hyphenated.insert(w).second)
      w.insert(1 + random() % (length - 1), 1, '-');
    words.push_back(w);
  }
  return modelSorted(words);
}

}  // namespace wk::test
