#include "dictionary_scan.h"

#include <algorithm>
#include <bit>
#include <tuple>

#include "../base/pause_gate.h"
#include "dict_format.h"
#include "dictionary.h"
#include "operation_context.h"

namespace wk {
namespace {

// A pattern of the longest words holds at most one piece per letter, and the word's end.
constexpr size_t kMaxTokens = dict::kMaxLength + 1;
// Words read between two reports of the checked count, pause-gate passes and cancel checks.
constexpr uint32_t kCheckBatch = 1024;

// The words a step of a scan read since its last report, added to the shared count on every
// way out of it.
struct PendingChecked {
  OperationContext& state;
  uint32_t count = 0;
  ~PendingChecked() { state.addChecked(count); }
};

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
  OperationContext& state = reader_.context();
  if (reader_.inert()) {
    state.clearTooMany();
    return kExhausted;
  }
  if (state.openReaders() == 1) state.resetChecked();
  matchAll_ = pattern == "*";
  if (pattern.empty()) return kEmptyPattern;
  hasPool_ = pool != nullptr;
  if (pool) pool_ = *pool;
  missingMask_ = pool_.missingMask();
  poolCounts_ = pool_.packed();
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
  suffixOnly_ = 0;
  if (tokens_.size() == 1 && pattern_[0] == '*' && tokens_[0].size() + 1 == pattern_.size() &&
      tokens_[0].find('?') == std::string::npos)
    suffixOnly_ = tokens_[0].size();
  fixedLength_ = static_cast<int>(pattern.size());
  for (char c : pattern) fixedLength_ -= c == '*';
  int length = minLength > fixedLength_ ? minLength : fixedLength_;
  if (length < 1) length = 1;
  if (length > longest_) return kExhausted;
  const char letter = firstLetter ? firstLetter : pattern_[0];
  reader_.seek(length, letter);
  if (own_) own_->valid = false;
  counted_ = startCounted(length, letter);
  return next(out);
}

bool DictionaryScan::findsOnlyAnagrams(const Dictionary& reader, bool exactPool, int total,
                                       int length) {
  const SharedDictionary* d = reader.decoded();
  return d && d->groups.usable && exactPool && length >= total;
}

bool DictionaryScan::startCounted(int length, char letter) {
  const SharedDictionary* d = reader_.decoded();
  if (!d || !d->groups.usable || !hasPool_ || !matchAll_ || !pool_.packsExactly()) return false;
  const size_t from = reader_.nextOrdinal();
  if (findsOnlyAnagrams(reader_, pool_, length)) {  // none lie before `from` when it is longer
    std::tie(anagram_, anagramsEnd_) = d->anagramsOf(poolCounts_, from);
    listed_ = listedEnd_ = nullptr;
  } else if (own_) {
    listMatches(from);
    anagram_ = anagramsEnd_ = nullptr;
  } else {
    return false;
  }
  walk_ = GroupWalk(d->groups, missingMask_, pool_.total(), longest_, length, letter);
  return true;
}

void DictionaryScan::listMatches(size_t from) {
  const SharedDictionary& d = *reader_.decoded();
  // Words longer than the pool's letters (or the home's limit) lie from `to` on.
  const int longest = std::min(longest_, pool_.total());
  size_t to = d.words.size();
  for (int length = longest + 1; length <= dict::kMaxLength; ++length) {
    if (const uint32_t filled = d.groups.filled[length]) {
      to = d.groups.begin[length][std::countr_zero(filled)];
      break;
    }
  }
  std::vector<uint32_t>& own = own_->words;
  own.clear();
  // An exact pool holds no letter more than seven times: a word that does cannot be made.
  const uint32_t refused = missingMask_ | kCountsTooHigh;
  const uint32_t* masks = d.masks.data();
  const LetterCounts* counts = d.counts.data();
  const LetterCounts pool = poolCounts_;
  if (above_ && above_->valid && above_->from <= from) {
    const auto& above = above_->words;
    const auto first = std::lower_bound(above.begin(), above.end(), from);
    const auto last = std::lower_bound(first, above.end(), to);
    for (auto it = first; it != last; ++it)
      if (!(masks[*it] & refused) && pool.fits(counts[*it])) own.push_back(*it);
  } else {
    for (auto i = static_cast<uint32_t>(from); i < to; ++i)
      if (!(masks[i] & refused) && pool.fits(counts[i])) own.push_back(i);
  }
  own_->from = from;
  own_->valid = true;
  listed_ = own.data();
  listedEnd_ = own.data() + own.size();
}

int DictionaryScan::next(std::string& out) {
  OperationContext& state = reader_.context();
  if (reader_.inert()) {
    state.clearTooMany();
    return kExhausted;
  }
  if (counted_) return nextCounted(out);
  if (reader_.decoded()) return nextDecoded(out);
  if (state.cancelRequested()) return kCancelled;
  PendingChecked pending{state};
  uint32_t& checked = pending.count;
  for (;;) {
    if (!reader_.readNext()) return kExhausted;
    if (++checked >= kCheckBatch) {
      state.addChecked(checked);
      checked = 0;
      state.pause().pass();
      if (state.cancelRequested()) return kCancelled;
    }
    const int length = reader_.length();
    if (length > longest_) return kExhausted;
    if (length > fixedLength_ && !hasStar_) return kExhausted;
    const char* word = reader_.stored();
    if (firstIsLetter_ && pattern_[0] < word[0]) {
      if (length >= longest_) return kExhausted;
      reader_.seekForward(length + 1, pattern_[0]);
      continue;
    }
    if (!matchAll_ && !fitsPattern(word, length)) continue;
    if (hasPool_) {
      if (pool_.total() < length) return kExhausted;
      // Most words hold a letter the pool lacks: told by its mask, without a take.
      int missing = pool_.firstLacking(word, ' ');
      if (missing == 0) missing = pool_.take(word, ' ');
      if (missing == 1) {
        if (skipGroup() == kExhausted) return kExhausted;
        continue;
      }
      if (missing != 0) {
        // The words after it that begin with the same letters up to the one that failed fail
        // there too: read, not put together.
        reader_.passSharing(missing, checked);
        continue;
      }
    }
    return matched(out);
  }
}

int DictionaryScan::nextDecoded(std::string& out) {
  OperationContext& state = reader_.context();
  const SharedDictionary& d = *reader_.decoded();
  const size_t count = d.words.size();
  size_t i = reader_.nextOrdinal();
  PendingChecked pending{state};
  uint32_t& checked = pending.count;
  // Counts word `j` as read; true when the search was cancelled meanwhile.
  auto read = [&](size_t j) {
    if (++checked < kCheckBatch) return false;
    state.addChecked(checked);
    checked = 0;
    state.pause().pass();
    if (!state.cancelRequested()) return false;
    reader_.takeDecoded(j);
    return true;
  };
  for (;;) {
    if (i >= count) return kExhausted;
    const DecodedWord& first = d.words[i];
    const int length = first.length;
    // What the group's first word meets holds for every word of the group.
    const bool pastLength = length > longest_ || (length > fixedLength_ && !hasStar_);
    if (pastLength || (firstIsLetter_ && pattern_[0] < first.letters[0])) {
      if (read(i)) return kCancelled;
      if (pastLength || length >= longest_) return kExhausted;
      reader_.takeDecoded(i);
      reader_.seekForward(length + 1, pattern_[0]);
      i = reader_.nextOrdinal();
      continue;
    }
    const bool blocked =
        hasPool_ && (pool_.total() < length || (missingMask_ >> (first.letters[0] - 'a') & 1u));
    const size_t end = d.groupEnd[i];
    size_t j = i;
    for (; j < end; ++j) {
      if (matchAll_ && hasPool_ && !blocked) {
        // The common case of a multi-word search, in runs that stop at the next word whose
        // letters the pool holds, or at the next report of the checked count.
        const size_t stop = std::min(end, j + (kCheckBatch - 1 - checked));
        const size_t from = j;
        while (j < stop && (d.masks[j] & missingMask_)) ++j;
        checked += static_cast<uint32_t>(j - from);
        if (j == end) break;
      }
      if (read(j)) return kCancelled;
      if (!matchAll_ && !fitsPattern(d.words[j].letters, length)) continue;
      if (blocked) break;
      // The mask rejects most words and the packed counts the rest; take() decides where they
      // cannot, and leaves what the word did not use, for the level below.
      if (hasPool_) {
        const uint32_t mask = d.masks[j];
        if (mask & missingMask_) continue;
        if (!(mask & kCountsTooHigh) && !poolCounts_.fits(d.counts[j])) continue;
        if (pool_.take(d.words[j].letters, ' ') != 0) continue;
      }
      reader_.takeDecoded(j);
      return matched(out);
    }
    if (j == end) {
      i = end;
      continue;
    }
    // The first word of a blocked group that fits the pattern: the pool is too small for its
    // length, or lacks its first letter.
    if (pool_.total() < length) return kExhausted;
    reader_.takeDecoded(j);
    if (skipGroup() == kExhausted) return kExhausted;
    i = reader_.nextOrdinal();
  }
}

int DictionaryScan::nextCounted(std::string& out) {
  OperationContext& state = reader_.context();
  state.pause().pass();
  if (state.cancelRequested()) return kCancelled;
  const SharedDictionary& d = *reader_.decoded();
  for (;;) {
    uint32_t match;
    if (anagram_ != anagramsEnd_) {
      match = anagram_++->ordinal;
    } else if (listed_ != listedEnd_) {
      match = *listed_++;
    } else {
      state.addChecked(walk_.countRest());
      return kExhausted;
    }
    if (refused_) {
      const LetterCounts& word = d.counts[match];
      const LetterCounts left{poolCounts_.lo - word.lo, poolCounts_.hi - word.hi};
      if (refused_->refuses(pool_.total() - d.words[match].length, left.hasVowel()))
        continue;  // counted with the next match, or the rest
    }
    state.addChecked(walk_.countTo(match));
    // It fits by its counts (found so): what it leaves is for the level below.
    pool_.takeFitting(d.counts[match], d.words[match].length, d.masks[match] & ~kCountsTooHigh);
    reader_.takeDecoded(match);
    return matched(out);
  }
}

int DictionaryScan::matched(std::string& out) const {
  if (writesMatches_) {
    out.clear();
    reader_.appendWritten(out);
  }
  return kMatch;
}

int DictionaryScan::skipGroup() {
  const int length = reader_.length();
  for (char c = static_cast<char>(reader_.stored()[0] + 1); c <= 'z'; ++c) {
    if (pool_.countOf(c) != 0) {
      reader_.seekForward(length, c);
      return kMatch;
    }
  }
  if (length >= longest_) return kExhausted;
  reader_.seekForward(length + 1, 'a');
  return kMatch;
}

bool DictionaryScan::endMatches(const char* word, int length) const {
  // The word's end against the letters, from the last, which tells most words apart at once.
  const size_t end = static_cast<size_t>(length);  // the blank, equal to the pattern's
  if (end + 1 < suffixOnly_) return false;
  const char* suffix = tokens_[0].data();
  for (size_t k = suffixOnly_ - 1; k-- > 0;)
    if (word[end + 1 - suffixOnly_ + k] != suffix[k]) return false;
  return true;
}

bool DictionaryScan::matches(const char* word, int length) const {
  const char* p = pattern_.c_str();
  const char* end = word + length + 1;
  for (; *word; ++word, ++p) {
    if (*p == '*') return matchTokens(word, end);
    if (*p != *word && *p != '?') return false;
  }
  return true;
}

bool DictionaryScan::matchTokens(const char* word, const char* end) const {
  for (const std::string& token : tokens_) {
    size_t from = 0;
    for (; from < token.size() && token[from] == '?'; ++from, ++word)
      if (*word == ' ' || *word == 0) return false;
    if (from == token.size()) continue;
    if (token.back() == ' ') {
      // The last piece holds the word's end, the only blank: it can fit only there ("*ing").
      const size_t need = token.size() - from;
      const auto left = static_cast<size_t>(end - word);
      return left >= need && fitsAt(word + left - need, token, from);
    }
    while (*word && !fitsAt(word, token, from)) ++word;
    if (!*word) return false;
    word += token.size() - from;
  }
  return true;
}

}  // namespace wk
