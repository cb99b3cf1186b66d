#pragma once
// GroupWalk: counts the words a pool scan of "*" reads in a dictionary held in memory, group by
// group, without reading them. Such a scan reads every word of a group whose first letter the
// pool holds, only the first word of any other group it comes to (then it seeks the pool's next
// letter), and stops after the first word longer than the pool's letters or the home's limit.
// A multi-word search finds its matches another way (the anagram index, a list narrowed by the
// level above) and this walk keeps the checked count exactly as the scan's, match by match.
#include <cstdint>
#include <vector>

#include "shared_dictionary.h"

namespace wk {

// What walks over the rest of one length gave, kept by a search for the walks after: the last
// word of many sequences asks the same of the same groups. One per search and table.
struct LengthMemo {
  struct Entry {
    uint64_t key = 0;  // 0: empty
    uint32_t counted = 0;
    bool ended = false;
  };
  std::vector<Entry> entries;  // 4,096 once a walk asks: most searches never do
};

class GroupWalk {
 public:
  GroupWalk() = default;
  // REQUIRES: groups.usable. The scan starts where a seek to (length, letter) lands; `missing`
  // holds the letters the pool lacks, `total` its letter count. `memo`, when given, must have
  // been filled only by walks over the same table.
  GroupWalk(const GroupTable& groups, uint32_t missing, int total, int longest, int length,
            char letter, LengthMemo* memo = nullptr);

  // The words read from the last match (or the start) up to and including word `ordinal`, a
  // match: a word at or after that point whose first letter the pool holds, of at most `total`
  // letters.
  uint32_t countTo(uint32_t ordinal);
  // The words read after the last match until the scan ends.
  uint32_t countRest();

 private:
  // Moves to the next group the scan comes to, adding what it reads of a group it leaves after
  // its first word; false when the scan has ended.
  bool visit(uint32_t& counted);
  // visit() over the rest of the pool's own length at once, from a group's start: only words of
  // that length can follow, so the last groups are counted by their letter masks.
  void lastLength(uint32_t& counted);
  void lengthOnce(uint32_t& counted);  // lastLength() without the memo

  const GroupTable* groups_ = nullptr;
  LengthMemo* memo_ = nullptr;
  uint32_t held_ = 0;  // the letters the pool holds
  int total_ = 0;
  int longest_ = 0;
  int length_ = 1;  // the next group is the first with words at or after (length_, letter_)
  int letter_ = 0;
  bool inGroup_ = false;  // within a group read whole: words next_ to end_ are still to come
  uint32_t next_ = 0;
  uint32_t end_ = 0;
  bool ended_ = false;
};

}  // namespace wk
