#include "rank_figures.h"

#include <cstdlib>
#include <optional>

#include "engine/base/file_ops.h"
#include "engine/base/paths.h"
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

bool writeFor(const DictionaryName& entry, const Commonness& lists) {
  OperationContext context;
  try {
    return writeRankFile(context, entry.path, entry.header, lists);
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
  return lists && writeFor(entry, *lists);
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
  for (const DictionaryName* entry : dictionaries) {
    bool read = files->add(entry->path, entry->header) == RankFiles::State::kRead;
    if (!read) {
      if (!triedLists) lists = readWordLists();
      triedLists = true;
      read = lists && writeFor(*entry, *lists) &&
             files->add(entry->path, entry->header) == RankFiles::State::kRead;
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
