#include "rank_figures.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "engine/base/file_ops.h"
#include "engine/base/paths.h"
#include "engine/base/system_path.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/operation_context.h"
#include "engine/rank/commonness.h"
#include "engine/rank/rank_file.h"

namespace wk::app {
namespace {

// The word lists take half a second and some 50 MB to read: read when a side file is to be
// made, and let go after.
std::unique_ptr<Commonness> readWordLists() {
  auto lists = std::make_unique<Commonness>(
      Commonness::load(wordListsFolder(), Commonness::builtInCounts()));
  return lists->empty() ? nullptr : std::move(lists);
}

// What the word lists are now: their folder, each file's name, size and change time, and the
// counts built in; empty when the folder holds none. A side file made from other lists (a
// package upgraded, another $WORDKEG_SCOWL) is made again.
std::string listsSignature() {
  namespace fs = std::filesystem;
  std::vector<std::string> parts;
  std::error_code ec;
  for (const auto& file : fs::directory_iterator(systemPath(wordListsFolder()), ec)) {
    std::error_code ignored;
    const auto size = file.file_size(ignored);
    const auto time = file.last_write_time(ignored).time_since_epoch().count();
    parts.push_back(pathText(file.path().filename()) + ":" + std::to_string(size) + ":" +
                    std::to_string(time));
  }
  if (parts.empty()) return {};
  std::sort(parts.begin(), parts.end());
  uint64_t hash = 14695981039346656037ull;
  const auto mix = [&hash](const std::string& text) {
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  };
  mix(wordListsFolder());
  for (const std::string& part : parts) mix(part);
  mix(std::to_string(Commonness::builtInCounts().size()));
  return std::to_string(hash);
}

bool writeFor(const DictionaryName& entry, const Commonness& lists, const std::string& signature) {
  OperationContext context;
  try {
    return writeRankFile(context, entry.path, entry.header, lists, signature);
  } catch (const std::exception&) {
    return false;  // a dictionary that cannot be read is searched unranked, and said so
  }
}

}  // namespace

std::string wordListsFolder() {
  const char* folder = std::getenv("WORDKEG_SCOWL");
  return folder && *folder ? folder : Commonness::kScowlFolder;
}

bool refreshRankFile(const DictionaryName& entry) {
  const std::unique_ptr<Commonness> lists = readWordLists();
  return lists && writeFor(entry, *lists, listsSignature());
}

void removeLonelyRankFiles(const ConfigData& config) {
  for (const std::string& name : findFiles(config.dictionaryPath("*.rnk")))
    // Its dictionary in any letter case, as the catalogue takes them.
    if (const std::string rnk = config.dictionaryPath(name);
        findFiles(replaceExtension(rnk, "lex")).empty())
      removeFile(rnk);
}

std::unique_ptr<RankFiles> openRankFiles(const std::vector<const DictionaryName*>& dictionaries,
                                         std::string& note) {
  auto files = std::make_unique<RankFiles>();
  std::unique_ptr<Commonness> lists;
  bool triedLists = false, any = false, fromLists = false;
  std::string unranked;
  const std::string signature = listsSignature();
  for (const DictionaryName* entry : dictionaries) {
    bool read = files->add(entry->path, entry->header, signature) == RankFiles::State::kRead;
    if (!read) {
      if (!triedLists) lists = readWordLists();
      triedLists = true;
      read = lists && writeFor(*entry, *lists, signature) &&
             files->add(entry->path, entry->header, signature) == RankFiles::State::kRead;
      // A side file that cannot be kept (a folder that cannot be written): the lists serve.
      fromLists = fromLists || (!read && lists);
      read = read || lists;
    }
    any = any || read;
    if (!read) unranked += (unranked.empty() ? "" : ", ") + entry->fileName();
  }
  if (fromLists) files->useLists(std::move(lists));
  if (!unranked.empty())
    note = "The words of " + unranked + " come unranked: there are no word lists in " +
           wordListsFolder() + " (the scowl package) to rank them by.";
  return any ? std::move(files) : nullptr;
}

}  // namespace wk::app
