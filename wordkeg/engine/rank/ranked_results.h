#pragma once
// RankedResults: a search's results in order of how common their words are. A result's key is
// the tier of its rarest word first, then the sum of its words' rarities (Commonness); equal
// keys keep the order found. With a small limit only the best `limit` are held; otherwise the
// results are held up to a memory budget, past which sorted runs go to unnamed temporary files
// that are merged at the end, so any number of results ranks in bounded memory. The runs leave
// their disk the reserve a search's working results leave: past it the ranking stops taking
// results (stopped()), and the search should stop.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "word_rarity.h"

namespace wk {

class RankedResults {
 public:
  // `limit` 0: all. Runs past `memoryBytes` go to unnamed files in `spillFolder`.
  RankedResults(const WordRarity& table, size_t limit, std::string spillFolder,
                size_t memoryBytes = size_t{64} << 20);
  ~RankedResults();
  RankedResults(const RankedResults&) = delete;
  RankedResults& operator=(const RankedResults&) = delete;

  // Each result once, whatever its letter case: the best-ranked spelling (the search's own
  // distinct would keep the first found). Set before the first add().
  void setDistinct(bool distinct) { distinct_ = distinct; }
  // One result as its line reads (a word, or words separated by blanks); ignored once stopped.
  void add(std::string_view line);
  // No more results are taken: the disk of the runs reached its reserve, or a run could not be
  // written. What was taken can still be given (unless a run failed: emit says so).
  bool stopped() const { return stopped_; }
  bool reserveReached() const { return reserveReached_; }
  // Gives each result, best first, to `out` until it returns false. False when a run could not
  // be written or read back (a full disk): what came before is given, nothing after.
  bool emit(const std::function<bool(std::string_view)>& out);
  // Keeps the best `count` so far apart as well, for bestSoFar() (a page showing them while the
  // search runs). Set before the first add().
  void keepBestSoFar(size_t count) { previewCount_ = count; }
  // The best so far, best first, from any thread; `version` changes whenever they do.
  std::vector<std::string> bestSoFar(uint64_t& version) const;

 private:
  struct Key {
    uint32_t level, sum;
    uint64_t order;
    bool operator<(const Key& o) const {
      return level != o.level ? level < o.level : sum != o.sum ? sum < o.sum : order < o.order;
    }
  };
  struct Item {  // with a limit: each held result with its text
    Key key;
    std::string text;
    bool operator<(const Item& o) const { return key < o.key; }
  };
  struct Slot {  // without one: a key and where its text lies in the arena
    Key key;
    uint32_t at, size;
    bool operator<(const Slot& o) const { return key < o.key; }
  };
  // The tier of the rarest word of `line` and the sum of its words' rarities.
  void keyOf(std::string_view line, uint32_t& level, uint32_t& sum);
  bool spill();
  // Whether the held results may go to disk as one more run and leave the reserve.
  bool roomForRun() const;
  // With a limit and distinct: `line` among the held best, each spelling's best alone.
  void keepDistinctBest(const Key& key, std::string_view line);
  void sortSlots();  // by key; the order found kept among equals
  static bool readItem(std::FILE* run, Item& item);

  const WordRarity& table_;
  size_t limit_, memoryBytes_;
  std::string spillFolder_;
  uint64_t found_ = 0;
  std::vector<Item> best_;  // with a limit: a heap whose top is the worst held
  std::vector<Slot> slots_;
  std::string arena_;  // the texts of slots_, one after another
  std::vector<std::pair<std::string, int>> lastWords_;  // keyOf's last word at each place
  std::vector<std::FILE*> runs_;
  bool failed_ = false;
  bool heap_ = false;  // a limit small enough to hold its results in memory
  bool distinct_ = false, stopped_ = false, reserveReached_ = false;
  int64_t reserve_ = 0;                             // free bytes the runs leave on their disk
  std::map<Key, std::string> distinctBest_;         // with a limit and distinct
  std::unordered_map<std::string, Key> spellings_;  // their keys, by the text in lower case
  size_t previewCount_ = 0;
  mutable std::mutex previewMutex_;
  std::vector<Item> preview_;  // a heap, as best_
  uint64_t previewVersion_ = 0;
  // Puts the result among the held best of `held` (at most `count`, a heap); false when it is
  // not among them.
  static bool keepAmongBest(std::vector<Item>& held, size_t count, const Key& key,
                            std::string_view line);
};

}  // namespace wk
