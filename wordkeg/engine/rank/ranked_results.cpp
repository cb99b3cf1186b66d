#include "ranked_results.h"

#include <algorithm>
#include <queue>
#include <unordered_set>

#include "../base/file_ops.h"
#include "../base/paths.h"
#include "../base/system_path.h"

namespace wk {
namespace {

bool writeAll(std::FILE* f, const void* bytes, size_t size) {
  return std::fwrite(bytes, 1, size, f) == size;
}

bool readAll(std::FILE* f, void* bytes, size_t size) {
  return std::fread(bytes, 1, size, f) == size;
}

}  // namespace

// A limit up to this share of the memory budget is held as the best so far; a larger one goes
// the way of all results (a million-result limit would hold gigabytes).
constexpr size_t kHeapBytesPerResult = 256;

// As a search's working results: the larger of 1% of the disk and 256 MB, or half of what is
// free on a disk with less.
constexpr int64_t kReserveFloor = int64_t{256} << 20;

RankedResults::RankedResults(const WordRarity& table, size_t limit, std::string spillFolder,
                             size_t memoryBytes)
    : table_(table),
      limit_(limit),
      memoryBytes_(memoryBytes),
      spillFolder_(std::move(spillFolder)),
      heap_(limit > 0 && limit <= memoryBytes / kHeapBytesPerResult) {
  const DiskSpace space = diskSpaceOf(spillFolder_);
  reserve_ = space.available < 0
                 ? 0
                 : std::min(std::max(space.capacity / 100, kReserveFloor), space.available / 2);
}

bool RankedResults::roomForRun() const {
  const DiskSpace space = diskSpaceOf(spillFolder_);
  const auto run = static_cast<int64_t>(arena_.size() + slots_.size() * 20);
  return space.available < 0 || space.available - run >= reserve_;
}

RankedResults::~RankedResults() {
  for (std::FILE* run : runs_) std::fclose(run);
}

void RankedResults::keyOf(std::string_view line, uint32_t& level, uint32_t& sum) {
  level = 0;
  sum = 0;
  size_t position = 0;
  for (size_t at = 0; at < line.size();) {
    size_t end = line.find(' ', at);
    if (end == std::string_view::npos) end = line.size();
    if (end > at) {
      // Results one after another share their first words: each word's place remembers the
      // last word seen there and its rarity.
      const std::string_view word = line.substr(at, end - at);
      if (position == lastWords_.size()) lastWords_.push_back({{}, 0});
      auto& [lastWord, lastRarity] = lastWords_[position++];
      if (lastWord != word) {
        lastWord.assign(word);
        lastRarity = table_.rarity(word);
      }
      const int rarity = lastRarity;
      level = std::max<uint32_t>(level, static_cast<uint32_t>(rarity / 100));
      sum += static_cast<uint32_t>(rarity);
    }
    at = end + 1;
  }
}

// A counting sort by tier and sum, stable, so the order found breaks ties: the keys are few
// (8 tiers, sums under 32768 for any search of up to 36 words), and a comparison sort of a
// million results costs more than the search that found them.
void RankedResults::sortSlots() {
  constexpr uint32_t kSumBits = 15;
  const auto bucket = [](const Key& key) {
    return (std::min<uint32_t>(key.level, 15) << kSumBits) |
           std::min<uint32_t>(key.sum, (1u << kSumBits) - 1);
  };
  std::vector<uint32_t> starts((size_t{16} << kSumBits) + 1, 0);
  for (const Slot& slot : slots_) ++starts[bucket(slot.key) + 1];
  for (size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
  std::vector<Slot> sorted(slots_.size());
  for (const Slot& slot : slots_) sorted[starts[bucket(slot.key)]++] = slot;
  slots_ = std::move(sorted);
}

bool RankedResults::keepAmongBest(std::vector<Item>& held, size_t count, const Key& key,
                                  std::string_view line) {
  if (held.size() == count) {
    if (!(key < held.front().key)) return false;
    std::pop_heap(held.begin(), held.end());
    held.pop_back();
  }
  held.push_back({key, std::string(line)});
  std::push_heap(held.begin(), held.end());
  return true;
}

std::vector<std::string> RankedResults::bestSoFar(uint64_t& version) const {
  std::lock_guard<std::mutex> lock(previewMutex_);
  std::vector<Item> sorted = preview_;
  std::sort(sorted.begin(), sorted.end());
  std::vector<std::string> texts;
  for (Item& item : sorted) texts.push_back(std::move(item.text));
  version = previewVersion_;
  return texts;
}

void RankedResults::add(std::string_view line) {
  if (stopped_) return;
  Key key{0, 0, found_++};
  keyOf(line, key.level, key.sum);
  if (previewCount_ > 0) {
    std::lock_guard<std::mutex> lock(previewMutex_);
    if (keepAmongBest(preview_, previewCount_, key, line)) ++previewVersion_;
  }
  if (heap_) {
    if (distinct_)
      keepDistinctBest(key, line);
    else
      keepAmongBest(best_, limit_, key, line);
    return;
  }
  slots_.push_back({key, static_cast<uint32_t>(arena_.size()), static_cast<uint32_t>(line.size())});
  arena_.append(line);
  if (arena_.size() + slots_.size() * sizeof(Slot) < memoryBytes_) return;
  if (!roomForRun())
    reserveReached_ = stopped_ = true;  // what is held stays, for emit
  else if (!spill())
    failed_ = stopped_ = true;
}

void RankedResults::keepDistinctBest(const Key& key, std::string_view line) {
  const std::string lower = toLower(std::string(line));
  if (const auto same = spellings_.find(lower); same != spellings_.end()) {
    if (!(key < same->second)) return;
    distinctBest_.erase(same->second);
  } else if (distinctBest_.size() == limit_) {
    const auto worst = std::prev(distinctBest_.end());
    if (!(key < worst->first)) return;
    spellings_.erase(toLower(worst->second));
    distinctBest_.erase(worst);
  }
  spellings_[lower] = key;
  distinctBest_.emplace(key, std::string(line));
}

// The held results, sorted, as a run in a file of its own: key, length, text.
bool RankedResults::spill() {
  sortSlots();
  std::FILE* run = openUnnamedFile(spillFolder_);
  if (!run) return false;
  runs_.push_back(run);
  std::setvbuf(run, nullptr, _IOFBF, size_t{1} << 16);
  bool ok = true;
  for (const Slot& slot : slots_)
    ok = ok && writeAll(run, &slot.key.level, 4) && writeAll(run, &slot.key.sum, 4) &&
         writeAll(run, &slot.key.order, 8) && writeAll(run, &slot.size, 4) &&
         writeAll(run, arena_.data() + slot.at, slot.size);
  ok = std::fflush(run) == 0 && ok;
  slots_ = {};
  arena_ = {};
  return ok && std::fseek(run, 0, SEEK_SET) == 0;
}

bool RankedResults::readItem(std::FILE* run, Item& item) {
  uint32_t size = 0;
  if (!readAll(run, &item.key.level, 4) || !readAll(run, &item.key.sum, 4) ||
      !readAll(run, &item.key.order, 8) || !readAll(run, &size, 4))
    return false;
  item.text.resize(size);
  return readAll(run, item.text.data(), size);
}

bool RankedResults::emit(const std::function<bool(std::string_view)>& in) {
  if (failed_) return false;
  // Each spelling once, the first given being the best; and no more than the limit.
  std::unordered_set<std::string> given;
  size_t count = 0;
  const auto out = [&](std::string_view line) {
    if (distinct_ && !heap_) {
      if (!given.insert(toLower(std::string(line))).second) return true;
    }
    return (limit_ == 0 || count++ < limit_) && in(line) && (limit_ == 0 || count < limit_);
  };
  if (heap_) {
    if (distinct_) {
      for (const auto& [key, text] : distinctBest_)
        if (!out(text)) break;
      return true;
    }
    std::sort_heap(best_.begin(), best_.end());
    for (const Item& item : best_)
      if (!out(item.text)) break;
    return true;
  }
  if (runs_.empty()) {
    sortSlots();
    for (const Slot& slot : slots_)
      if (!out(std::string_view(arena_.data() + slot.at, slot.size))) break;
    return true;
  }
  // The last held results go to disk too (within the reserve, which leaves room for them).
  if (!slots_.empty() && !spill()) return false;
  // The runs merged: the best head of any run goes next.
  struct Head {
    Item item;
    size_t run;
    bool operator>(const Head& o) const { return o.item < item; }
  };
  std::priority_queue<Head, std::vector<Head>, std::greater<Head>> heads;
  for (size_t i = 0; i < runs_.size(); ++i) {
    Head head{{}, i};
    if (readItem(runs_[i], head.item)) heads.push(std::move(head));
  }
  while (!heads.empty()) {
    Head head = heads.top();
    heads.pop();
    if (!out(head.item.text)) return true;
    if (readItem(runs_[head.run], head.item)) heads.push(std::move(head));
  }
  return std::none_of(runs_.begin(), runs_.end(), [](std::FILE* run) { return std::ferror(run); });
}

}  // namespace wk
