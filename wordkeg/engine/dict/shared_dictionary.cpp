#include "shared_dictionary.h"

#include <algorithm>

namespace wk {

namespace {

bool before(const SharedDictionary::Anagram& a, const SharedDictionary::Anagram& b) {
  if (a.counts.lo != b.counts.lo) return a.counts.lo < b.counts.lo;
  if (a.counts.hi != b.counts.hi) return a.counts.hi < b.counts.hi;
  return a.ordinal < b.ordinal;
}

bool sameCounts(const LetterCounts& a, const LetterCounts& b) {
  return a.lo == b.lo && a.hi == b.hi;
}

uint64_t mix(const LetterCounts& counts) {
  return (counts.lo ^ (counts.hi * 0xC2B2AE3D27D4EB4Full)) * 0x9E3779B97F4A7C15ull;
}

size_t slotOf(const LetterCounts& counts, size_t size) {
  return static_cast<size_t>(mix(counts) >> 32) & (size - 1);
}

// A bit of the filter beside the table: other bits of the mix than the slot's.
constexpr size_t kFilterBits = size_t{1} << 16;
size_t filterBit(const LetterCounts& counts) {
  return static_cast<size_t>(mix(counts) >> 8) & (kFilterBits - 1);
}

}  // namespace

const std::vector<SharedDictionary::Anagram>& SharedDictionary::anagrams() const {
  if (anagramsReady_.load(std::memory_order_acquire)) return anagrams_;  // asked once a word
  std::call_once(anagramsBuilt_, [this] {
    anagrams_.reserve(words.size());
    for (size_t i = 0; i < words.size(); ++i)
      if (!(masks[i] & kCountsTooHigh)) anagrams_.push_back({counts[i], static_cast<uint32_t>(i)});
    std::sort(anagrams_.begin(), anagrams_.end(), before);
    size_t size = 16;
    while (size < 2 * anagrams_.size()) size *= 2;
    runs_.resize(size);
    for (uint32_t i = 0; i < anagrams_.size(); ++i) {
      const LetterCounts& counts = anagrams_[i].counts;
      size_t at = slotOf(counts, size);
      while (runs_[at].end != 0 && !sameCounts(runs_[at].counts, counts)) at = (at + 1) & (size - 1);
      if (runs_[at].end == 0) runs_[at] = {counts, i, i + 1};
      runs_[at].end = i + 1;
    }
    filter_.assign(kFilterBits / 64, 0);
    for (const Anagram& a : anagrams_) {
      const size_t bit = filterBit(a.counts);
      filter_[bit / 64] |= uint64_t{1} << (bit % 64);
    }
    anagramsReady_.store(true, std::memory_order_release);
  });
  return anagrams_;
}

const SharedDictionary::Run* SharedDictionary::findRun(const LetterCounts& counts) const {
  // Most pools of a long search are no word's letters: the small filter says so without a
  // probe into the table.
  const size_t bit = filterBit(counts);
  if (!(filter_[bit / 64] >> (bit % 64) & 1u)) return nullptr;
  const size_t size = runs_.size();
  for (size_t at = slotOf(counts, size); runs_[at].end != 0; at = (at + 1) & (size - 1))
    if (sameCounts(runs_[at].counts, counts)) return &runs_[at];
  return nullptr;
}

std::pair<const SharedDictionary::Anagram*, const SharedDictionary::Anagram*>
SharedDictionary::anagramsOf(const LetterCounts& counts, size_t from) const {
  const Anagram* all = anagrams().data();
  const Run* run = findRun(counts);
  if (!run) return {all, all};
  const Anagram* first = all + run->begin;
  const Anagram* last = all + run->end;
  while (first != last && first->ordinal < from) ++first;  // runs are a few words long
  return {first, last};
}

void SharedDictionary::tableGroups() {
  groups = GroupTable();
  int previous = -1;
  for (size_t i = 0; i < words.size(); i = groupEnd[i]) {
    const int length = words[i].length;
    const int letter = words[i].letters[0] - 'a';
    const int key = length * dict::kLetters + letter;
    // Out of order, the index and the records could disagree on where a group lies.
    if (length < 1 || length > dict::kMaxLength || letter < 0 || letter >= dict::kLetters ||
        key <= previous)
      return;
    previous = key;
    groups.filled[length] |= 1u << letter;
    groups.begin[length][letter] = static_cast<uint32_t>(i);
    groups.size[length][letter] = groupEnd[i] - static_cast<uint32_t>(i);
  }
  // Where a seek to each slot lands: the first word of that group or of the next one with words.
  auto next = static_cast<uint32_t>(words.size());
  for (int length = dict::kMaxLength; length >= 1; --length) {
    for (int letter = dict::kLetters - 1; letter >= 0; --letter) {
      if (groups.filled[length] >> letter & 1u) next = groups.begin[length][letter];
      const auto offset =
          static_cast<size_t>(index[dict::indexSlot(length, static_cast<char>('a' + letter))]);
      if (offset >= wordAt.size() || wordAt[offset] != next) return;
    }
  }
  groups.usable = true;
}

uint32_t letterMask(const char* stored, int length) {
  uint32_t mask = 0;
  for (int i = 0; i < length; ++i) {
    const int slot = stored[i] - 'a';
    if (slot >= 0 && slot < 26) mask |= 1u << slot;
  }
  return mask;
}

}  // namespace wk
