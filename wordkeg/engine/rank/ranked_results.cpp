#include "ranked_results.h"

#include <algorithm>
#include <queue>

#include "../base/system_path.h"

namespace wk {
namespace {

constexpr size_t kItemOverhead = sizeof(uint32_t) * 2 + sizeof(uint64_t) + 32;

bool writeAll(std::FILE* f, const void* bytes, size_t size) {
  return std::fwrite(bytes, 1, size, f) == size;
}

bool readAll(std::FILE* f, void* bytes, size_t size) {
  return std::fread(bytes, 1, size, f) == size;
}

}  // namespace

RankedResults::RankedResults(const WordRarity& table, size_t limit, std::string spillFolder,
                             size_t memoryBytes)
    : table_(table),
      limit_(limit),
      memoryBytes_(memoryBytes),
      spillFolder_(std::move(spillFolder)) {}

RankedResults::~RankedResults() {
  for (std::FILE* run : runs_) std::fclose(run);
}

void RankedResults::keyOf(const WordRarity& table, std::string_view line, uint32_t& level,
                          uint32_t& sum) {
  level = 0;
  sum = 0;
  for (size_t at = 0; at < line.size();) {
    size_t end = line.find(' ', at);
    if (end == std::string_view::npos) end = line.size();
    if (end > at) {
      const int rarity = table.rarity(line.substr(at, end - at));
      level = std::max<uint32_t>(level, static_cast<uint32_t>(rarity / 100));
      sum += static_cast<uint32_t>(rarity);
    }
    at = end + 1;
  }
}

void RankedResults::add(std::string_view line) {
  Item item{0, 0, found_++, {}};
  keyOf(table_, line, item.level, item.sum);
  if (limit_ > 0) {
    if (held_.size() == limit_) {
      if (!(item < held_.front())) return;
      std::pop_heap(held_.begin(), held_.end());
      held_.pop_back();
    }
    item.text = line;
    held_.push_back(std::move(item));
    std::push_heap(held_.begin(), held_.end());
    return;
  }
  item.text = line;
  heldBytes_ += item.text.size() + kItemOverhead;
  held_.push_back(std::move(item));
  if (heldBytes_ >= memoryBytes_ && !failed_) failed_ = !spill();
}

// The held results, sorted, as a run in a file of its own: key, order, length, text.
bool RankedResults::spill() {
  std::sort(held_.begin(), held_.end());
  std::FILE* run = openUnnamedFile(spillFolder_);
  if (!run) return false;
  runs_.push_back(run);
  std::setvbuf(run, nullptr, _IOFBF, size_t{1} << 16);
  bool ok = true;
  for (const Item& item : held_) {
    const auto size = static_cast<uint32_t>(item.text.size());
    ok = ok && writeAll(run, &item.level, 4) && writeAll(run, &item.sum, 4) &&
         writeAll(run, &item.order, 8) && writeAll(run, &size, 4) &&
         writeAll(run, item.text.data(), size);
  }
  ok = std::fflush(run) == 0 && ok;
  held_.clear();
  held_.shrink_to_fit();
  heldBytes_ = 0;
  return ok && std::fseek(run, 0, SEEK_SET) == 0;
}

bool RankedResults::readItem(std::FILE* run, Item& item) {
  uint32_t size = 0;
  if (!readAll(run, &item.level, 4) || !readAll(run, &item.sum, 4) ||
      !readAll(run, &item.order, 8) || !readAll(run, &size, 4))
    return false;
  item.text.resize(size);
  return readAll(run, item.text.data(), size);
}

bool RankedResults::emit(const std::function<bool(std::string_view)>& out) {
  if (failed_) return false;
  if (runs_.empty()) {
    std::sort(held_.begin(), held_.end());  // a heap, with a limit: sorted the same way
    for (const Item& item : held_)
      if (!out(item.text)) break;
    return true;
  }
  if (!held_.empty() && !spill()) return false;
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
