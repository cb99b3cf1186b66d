#include "dictionary_scan.h"

#include "../base/pause_gate.h"
#include "dict_format.h"
#include "dictionary.h"
#include "reader_state.h"

namespace wk {
namespace {

constexpr size_t kMaxTokens = 10;

bool isLetter(char c) {
  return c >= 'a' && c <= 'z';
}

// Length of the token part that must fit at `w`: its first character equal, each later "?" on
// a letter (not the final blank), each later letter equal.
bool fitsAt(const char* w, const std::string& token, size_t from) {
  if (w[0] != token[from]) return false;
  for (size_t k = from + 1; k < token.size(); ++k) {
    const char c = w[k - from];
    if (c == 0) return false;
    if (token[k] == '?' ? c == ' ' : c != token[k]) return false;
  }
  return true;
}

}  // namespace

int DictionaryScan::start(std::string_view pattern, const SrcLetters* pool, int minLength,
                          char firstLetter, std::string& out) {
  ReaderState& state = readerState();
  if (reader_.inert()) {
    state.tooMany = false;
    return kExhausted;
  }
  if (state.openReaders == 1) state.wordsChecked = 0;
  matchAll_ = pattern == "*";
  if (pattern.empty()) return kEmptyPattern;
  hasPool_ = pool != nullptr;
  if (pool) pool_ = *pool;
  pattern_.assign(pattern);
  if (pattern_[0] >= 'A' && pattern_[0] <= 'Z') pattern_[0] = static_cast<char>(pattern_[0] | 0x20);
  firstIsLetter_ = isLetter(pattern_[0]);
  pattern_ += ' ';
  hasStar_ = pattern_.find('*') != std::string::npos;
  tokens_.clear();
  if (hasStar_ && !matchAll_) {
    size_t at = pattern_.find('*');
    while (at != std::string::npos && tokens_.size() < kMaxTokens) {
      const size_t end = pattern_.find('*', at + 1);
      std::string piece = pattern_.substr(at + 1, end == std::string::npos ? end : end - at - 1);
      if (!piece.empty()) tokens_.push_back(piece);
      at = end;
    }
  }
  fixedLength_ = static_cast<int>(pattern.size());
  for (char c : pattern) fixedLength_ -= c == '*';
  int length = minLength > fixedLength_ ? minLength : fixedLength_;
  if (length < 1) length = 1;
  if (length > dict::kMaxSearchLength) return kExhausted;
  const char letter = firstLetter ? firstLetter : pattern_[0];
  reader_.seek(length, letter);
  return next(out);
}

int DictionaryScan::next(std::string& out) {
  ReaderState& state = readerState();
  if (reader_.inert()) {
    state.tooMany = false;
    return kExhausted;
  }
  for (;;) {
    if (!reader_.readNext()) return kExhausted;
    ++state.wordsChecked;
    pauseGate().pass();
    if (state.cancel) return kCancelled;
    const int length = reader_.length();
    if (length > dict::kMaxSearchLength) return kExhausted;
    if (length > fixedLength_ && !hasStar_) return kExhausted;
    const char* word = reader_.stored();
    if (firstIsLetter_ && pattern_[0] < word[0]) {
      if (length >= dict::kMaxSearchLength) return kExhausted;
      reader_.seekForward(length + 1, pattern_[0]);
      continue;
    }
    if (!matchAll_ && !matches(word)) continue;
    if (hasPool_) {
      if (pool_.total() < length) return kExhausted;
      const int missing = pool_.take(word, ' ');
      if (missing == 1) {
        if (skipGroup() == kExhausted) return kExhausted;
        continue;
      }
      if (missing != 0) continue;
    }
    out = reader_.asWritten();
    return kMatch;
  }
}

int DictionaryScan::skipGroup() {
  const int length = reader_.length();
  for (char c = static_cast<char>(reader_.stored()[0] + 1); c <= 'z'; ++c) {
    if (pool_.countOf(c) != 0) {
      reader_.seekForward(length, c);
      return kMatch;
    }
  }
  if (length >= dict::kMaxSearchLength) return kExhausted;
  reader_.seekForward(length + 1, 'a');
  return kMatch;
}

bool DictionaryScan::matches(const char* word) const {
  const char* p = pattern_.c_str();
  for (; *word; ++word, ++p) {
    if (*p == '*') return matchTokens(word);
    if (*p != *word && *p != '?') return false;
  }
  return true;
}

bool DictionaryScan::matchTokens(const char* word) const {
  for (const std::string& token : tokens_) {
    size_t from = 0;
    for (; from < token.size() && token[from] == '?'; ++from, ++word)
      if (*word == ' ' || *word == 0) return false;
    if (from == token.size()) continue;
    while (*word && !fitsAt(word, token, from)) ++word;
    if (!*word) return false;
    word += token.size() - from;
  }
  return true;
}

}  // namespace wk
