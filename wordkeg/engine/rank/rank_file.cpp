#include "rank_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "../base/file_ops.h"
#include "../base/paths.h"
#include "../base/system_path.h"
#include "../dict/dict_format.h"
#include "../dict/dictionary.h"
#include "../dict/operation_context.h"
#include "commonness.h"

namespace wk {
namespace {

constexpr const char* kMagic = "wordkeg-rank 1";

std::string readWhole(const std::string& path, bool& opened);

// A hash (FNV-1a) of the dictionary's words and index, its header (selection, times) left out:
// two changes within one second, which keep the count and the change time, still differ.
uint64_t wordsHash(const std::string& lexPath) {
  bool opened = false;
  const std::string bytes = readWhole(lexPath, opened);
  uint64_t hash = 14695981039346656037ull;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i >= static_cast<size_t>(dict::kHeaderOffset) &&
        i < static_cast<size_t>(dict::kStreamStart))
      continue;
    hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
  }
  return hash;
}

// The first line: what the side file was made from.
std::string identity(const std::string& lexPath, const DictionaryHeader& header) {
  return std::string(kMagic) + " " + std::to_string(header.created) + " " +
         std::to_string(header.wordCount) + " " + std::to_string(wordsHash(lexPath));
}

std::string readWhole(const std::string& path, bool& opened) {
  std::string text;
  std::FILE* in = openFile(path, "rb");
  opened = in != nullptr;
  if (!in) return text;
  char block[65536];
  for (size_t got; (got = std::fread(block, 1, sizeof block, in)) > 0;) text.append(block, got);
  std::fclose(in);
  return text;
}

}  // namespace

std::string rankFilePath(const std::string& lexPath) {
  return replaceExtension(lexPath, "rnk");
}

bool writeRankFile(OperationContext& context, const std::string& lexPath,
                   const DictionaryHeader& header, const Commonness& table,
                   const std::string& lists) {
  std::vector<std::string> lines;
  {
    Dictionary reader(context, lexPath, false, 64 * 1024);
    reader.seek(1, 'a');
    while (reader.readNext()) {
      const std::string word = reader.asWritten();
      const int level = table.level(word), rarity = table.rarity(word);
      // Unlisted and never counted: the figure every word missing from the file gets.
      if (level == Commonness::kUnlistedLevel && rarity == Commonness::kUnlistedRarity) continue;
      lines.push_back(word + '\t' + std::to_string(level) + '\t' + std::to_string(rarity) + '\n');
    }
  }
  std::sort(lines.begin(), lines.end());
  const std::string path = rankFilePath(lexPath), staged = stagingPathFor(path);
  std::FILE* out = openFile(staged, "wb");
  if (!out) return false;
  bool ok =
      std::fprintf(out, "%s lists %s\n", identity(lexPath, header).c_str(), lists.c_str()) > 0;
  for (const std::string& line : lines)
    ok = ok && std::fwrite(line.data(), 1, line.size(), out) == line.size();
  ok = ok && std::fprintf(out, "end %zu\n", lines.size()) > 0;
  ok = std::fclose(out) == 0 && ok && replaceFile(path, staged);
  if (!ok) removeFile(staged);
  return ok;
}

RankFiles::State RankFiles::add(const std::string& lexPath, const DictionaryHeader& header,
                                const std::string& lists) {
  bool opened = false;
  std::string text = readWhole(rankFilePath(lexPath), opened);
  if (!opened) return State::kMissing;
  const size_t firstEnd = text.find('\n');
  const std::string made = identity(lexPath, header) + " lists ";
  if (firstEnd == std::string::npos || firstEnd < made.size() ||
      text.compare(0, made.size(), made) != 0 ||
      (!lists.empty() && text.compare(made.size(), firstEnd - made.size(), lists) != 0))
    return text.rfind(kMagic, 0) == 0 ? State::kOutOfDate : State::kDamaged;
  // The last line counts the lines before it: a file cut short, or grown, is damaged.
  if (text.size() < 2 || text.back() != '\n') return State::kDamaged;
  const size_t last = text.rfind('\n', text.size() - 2) + 1;
  size_t count = 0;
  if (text.compare(last, 4, "end ") != 0 ||
      std::from_chars(text.data() + last + 4, text.data() + text.size() - 1, count).ec !=
          std::errc() ||
      count != static_cast<size_t>(std::count(text.begin() + static_cast<long>(firstEnd) + 1,
                                              text.begin() + static_cast<long>(last), '\n')))
    return State::kDamaged;
  texts_.push_back(std::move(text));
  const std::string& kept = texts_.back();
  lines_.emplace_back(kept.data() + firstEnd + 1, last - firstEnd - 1);
  return State::kRead;
}

// A binary search of the lines, which are in byte order of their words: from a middle byte,
// back to its line's start.
const RankFiles::Figure* RankFiles::find(std::string_view word, Figure& figure) const {
  for (const std::string_view lines : lines_) {
    size_t lo = 0, hi = lines.size();
    while (lo < hi) {
      size_t start = lines.rfind('\n', lo + (hi - lo) / 2);
      start = start == std::string_view::npos || start < lo ? lo : start + 1;
      if (start >= hi) start = lo;
      const size_t end = lines.find('\n', start);
      const std::string_view line = lines.substr(start, end - start);
      const std::string_view lineWord = line.substr(0, line.find('\t'));
      if (lineWord < word) {
        lo = end + 1;
      } else if (word < lineWord) {
        hi = start;
      } else {
        const size_t tab = line.find('\t'), second = line.find('\t', tab + 1);
        if (second == std::string_view::npos) return nullptr;  // damaged: taken as unlisted
        std::from_chars(line.data() + tab + 1, line.data() + second, figure.level);
        std::from_chars(line.data() + second + 1, line.data() + line.size(), figure.rarity);
        return &figure;
      }
    }
  }
  return nullptr;
}

RankFiles::RankFiles() = default;
RankFiles::~RankFiles() = default;

void RankFiles::useLists(std::unique_ptr<Commonness> lists) {
  lists_ = std::move(lists);
}

int RankFiles::rarity(std::string_view word) const {
  const auto seen = seen_.find(word);
  if (seen != seen_.end()) return seen->second.rarity;
  Figure figure{Commonness::kUnlistedLevel, Commonness::kUnlistedRarity};
  if (!find(word, figure) && lists_) figure = {lists_->level(word), lists_->rarity(word)};
  seen_.emplace(std::string(word), figure);
  return figure.rarity;
}

int RankFiles::level(std::string_view word) const {
  Figure figure{Commonness::kUnlistedLevel, Commonness::kUnlistedRarity};
  if (!find(word, figure) && lists_) return lists_->level(word);
  return figure.level;
}

}  // namespace wk
