#include "rank_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "../base/file_ops.h"
#include "../base/paths.h"
#include "../base/system_path.h"
#include "../dict/dictionary.h"
#include "../dict/operation_context.h"
#include "commonness.h"

namespace wk {
namespace {

constexpr const char* kMagic = "wordkeg-rank 1";

// The first line: what the side file was made from.
std::string identity(const std::string& lexPath, const DictionaryHeader& header) {
  return std::string(kMagic) + " " + std::to_string(header.created) + " " +
         std::to_string(header.modified) + " " + std::to_string(header.wordCount) + " " +
         std::to_string(fileSize(lexPath));
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
                   const DictionaryHeader& header, const Commonness& table) {
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
  bool ok = std::fprintf(out, "%s\n", identity(lexPath, header).c_str()) > 0;
  for (const std::string& line : lines)
    ok = ok && std::fwrite(line.data(), 1, line.size(), out) == line.size();
  ok = ok && std::fprintf(out, "end %zu\n", lines.size()) > 0;
  ok = std::fclose(out) == 0 && ok && replaceFile(path, staged);
  if (!ok) removeFile(staged);
  return ok;
}

RankFiles::State RankFiles::add(const std::string& lexPath, const DictionaryHeader& header) {
  bool opened = false;
  std::string text = readWhole(rankFilePath(lexPath), opened);
  if (!opened) return State::kMissing;
  const size_t firstEnd = text.find('\n');
  if (firstEnd == std::string::npos || text.compare(0, firstEnd, identity(lexPath, header)) != 0)
    return text.rfind(kMagic, 0) == 0 ? State::kOutOfDate : State::kDamaged;
  texts_.push_back(std::move(text));
  const std::string& kept = texts_.back();
  std::vector<std::pair<std::string_view, Figure>> figures;
  size_t at = firstEnd + 1;
  for (size_t end; (end = kept.find('\n', at)) != std::string::npos; at = end + 1) {
    const std::string_view line(kept.data() + at, end - at);
    const size_t tab = line.find('\t'), second = line.find('\t', tab + 1);
    if (line.rfind("end ", 0) == 0) {
      // The count closes the file: anything else means it was cut or changed.
      if (end + 1 != kept.size() ||
          std::strtoul(std::string(line.substr(4)).c_str(), nullptr, 10) != figures.size())
        break;
      files_.push_back(std::move(figures));
      return State::kRead;
    }
    if (tab == 0 || tab == std::string_view::npos || second == std::string_view::npos) break;
    const Figure figure{std::atoi(std::string(line.substr(tab + 1)).c_str()),
                        std::atoi(std::string(line.substr(second + 1)).c_str())};
    if (!figures.empty() && line.substr(0, tab) < figures.back().first) break;  // its order
    figures.emplace_back(line.substr(0, tab), figure);
  }
  texts_.pop_back();
  return State::kDamaged;
}

const RankFiles::Figure* RankFiles::find(std::string_view word) const {
  for (const auto& figures : files_) {
    const auto it = std::lower_bound(
        figures.begin(), figures.end(), word,
        [](const std::pair<std::string_view, Figure>& entry, std::string_view w) {
          return entry.first < w;
        });
    if (it != figures.end() && it->first == word) return &it->second;
  }
  return nullptr;
}

int RankFiles::rarity(std::string_view word) const {
  const auto seen = seen_.find(word);
  if (seen != seen_.end()) return seen->second.rarity;
  const Figure* found = find(word);
  const Figure figure =
      found ? *found : Figure{Commonness::kUnlistedLevel, Commonness::kUnlistedRarity};
  seen_.emplace(std::string(word), figure);
  return figure.rarity;
}

int RankFiles::level(std::string_view word) const {
  const Figure* found = find(word);
  return found ? found->level : Commonness::kUnlistedLevel;
}

}  // namespace wk
