#include "reader_state.h"

#include <algorithm>

namespace wk {

namespace {

bool before(const SharedDictionary::Anagram& a, const SharedDictionary::Anagram& b) {
  if (a.counts.lo != b.counts.lo) return a.counts.lo < b.counts.lo;
  if (a.counts.hi != b.counts.hi) return a.counts.hi < b.counts.hi;
  return a.ordinal < b.ordinal;
}

}  // namespace

const std::vector<SharedDictionary::Anagram>& SharedDictionary::anagrams() const {
  std::call_once(anagramsBuilt_, [this] {
    anagrams_.reserve(words.size());
    for (size_t i = 0; i < words.size(); ++i)
      if (!(masks[i] & kCountsTooHigh)) anagrams_.push_back({counts[i], static_cast<uint32_t>(i)});
    std::sort(anagrams_.begin(), anagrams_.end(), before);
  });
  return anagrams_;
}

std::pair<const SharedDictionary::Anagram*, const SharedDictionary::Anagram*>
SharedDictionary::anagramsOf(const LetterCounts& counts, size_t from) const {
  const std::vector<Anagram>& all = anagrams();
  const Anagram* begin = all.data();
  const Anagram* end = begin + all.size();
  const Anagram* first = std::lower_bound(begin, end, Anagram{counts, static_cast<uint32_t>(from)}, before);
  const Anagram* last = std::lower_bound(first, end, Anagram{counts, UINT32_MAX}, before);
  return {first, last};
}

uint32_t letterMask(const char* stored, int length) {
  uint32_t mask = 0;
  for (int i = 0; i < length; ++i) {
    const int slot = stored[i] - 'a';
    if (slot >= 0 && slot < 26) mask |= 1u << slot;
  }
  return mask;
}

ReaderState& readerState() {
  static ReaderState state;
  return state;
}

}  // namespace wk
