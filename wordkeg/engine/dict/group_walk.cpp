#include "group_walk.h"

#include <bit>

namespace wk {

GroupWalk::GroupWalk(const GroupTable& groups, uint32_t missing, int total, int longest,
                     int length, char letter, LengthMemo* memo)
    : groups_(&groups),
      memo_(memo),
      held_(~missing & ((1u << dict::kLetters) - 1)),
      total_(total),
      longest_(longest),
      length_(length),
      letter_(letter >= 'a' && letter <= 'z' ? letter - 'a' : 0) {}

uint32_t GroupWalk::countTo(uint32_t ordinal) {
  uint32_t counted = 0;
  for (;;) {
    if (inGroup_) {
      if (ordinal < end_) {
        counted += ordinal + 1 - next_;
        next_ = ordinal + 1;
        return counted;
      }
      counted += end_ - next_;
      inGroup_ = false;
    }
    if (!visit(counted)) return counted;
  }
}

uint32_t GroupWalk::countRest() {
  uint32_t counted = 0;
  for (;;) {
    if (inGroup_) {
      counted += end_ - next_;
      inGroup_ = false;
    }
    if (!ended_ && length_ == total_ && length_ <= dict::kMaxLength) lastLength(counted);
    if (!visit(counted)) return counted;
  }
}

void GroupWalk::lastLength(uint32_t& counted) {
  LengthMemo::Entry* kept = nullptr;
  if (memo_) {
    if (memo_->entries.empty()) memo_->entries.resize(4096);
    // Everything the answer depends on, and a bit so that no key is 0.
    const uint64_t key = uint64_t{held_} | uint64_t(letter_) << 26 | uint64_t(length_) << 32 |
                         uint64_t(longest_) << 40 | uint64_t{1} << 48;
    kept = &memo_->entries[(key * 0x9E3779B97F4A7C15ull) >> 52];
    if (kept->key == key) {
      counted += kept->counted;
      if (kept->ended) {
        ended_ = true;
      } else {
        ++length_;
        letter_ = 0;
      }
      return;
    }
    kept->key = key;
    kept->counted = counted;  // the count before; the difference is kept below
  }
  lengthOnce(counted);
  if (kept) {
    kept->counted = counted - kept->counted;
    kept->ended = ended_;
  }
}

void GroupWalk::lengthOnce(uint32_t& counted) {
  const int length = length_;
  const uint32_t from = letter_ < dict::kLetters ? ~0u << letter_ : 0;
  const uint32_t filled = groups_->filled[length] & from;
  const uint32_t read = filled & held_;  // groups read whole
  for (uint32_t bits = read; bits; bits &= bits - 1)
    counted += groups_->size[length][std::countr_zero(bits)];
  // A group left after its first word is come to unless the one before it was left too with no
  // letter of the pool between them: the seek from that one passes it.
  const uint32_t left = filled & ~held_;
  const uint32_t marks = filled | (held_ & from);
  uint32_t passed = 0;
  for (uint32_t bits = left; bits; bits &= bits - 1) {
    const int letter = std::countr_zero(bits);
    counted += ~passed >> letter & 1u;  // its first word is read
    const uint32_t above = marks & ~((2u << letter) - 1);
    passed |= above & (0u - above) & left;
  }
  const uint32_t visited = read | (left & ~passed);
  // The last group come to decides whether the scan goes on to the longer words.
  if (visited) {
    const int top = 31 - std::countl_zero(visited);
    if ((left >> top & 1u) && (held_ >> top >> 1) == 0 && length >= longest_) {
      ended_ = true;
      return;
    }
  }
  length_ = length + 1;
  letter_ = 0;
}

bool GroupWalk::visit(uint32_t& counted) {
  if (ended_) return false;
  // The first group with words at or after the position.
  uint32_t letters = 0;
  for (; length_ <= dict::kMaxLength; ++length_, letter_ = 0) {
    letters = letter_ < dict::kLetters ? groups_->filled[length_] >> letter_ << letter_ : 0;
    if (letters) break;
  }
  if (length_ > dict::kMaxLength) {
    ended_ = true;  // the end of the words
    return false;
  }
  const int length = length_;
  const int letter = std::countr_zero(letters);
  if (length > longest_ || length > total_) {
    ++counted;  // the scan reads the first longer word and stops
    ended_ = true;
    return false;
  }
  if (held_ >> letter & 1u) {
    inGroup_ = true;
    next_ = groups_->begin[length][letter];
    end_ = next_ + groups_->size[length][letter];
    letter_ = letter + 1;
    return true;
  }
  // Its first word is read; the scan then seeks the pool's next letter, or the next length.
  ++counted;
  const uint32_t later = held_ >> (letter + 1) << (letter + 1);
  if (later) {
    letter_ = std::countr_zero(later);
  } else if (length >= longest_) {
    ended_ = true;
    return false;
  } else {
    ++length_;
    letter_ = 0;
  }
  return true;
}

}  // namespace wk
