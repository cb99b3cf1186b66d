#pragma once
// The commonness of a home's words, for ranked searches (search --rank, the web's rank=1): the
// dictionaries' side files (engine/rank/rank_file.h), made from the word lists (SCOWL's folder:
// $WORDKEG_SCOWL, else /usr/share/dict/scowl, with the counts built into the program) when a
// dictionary is made or merged, and again by a ranked search that finds one missing, out of
// date (changed since, by a word added or removed, or by the Windows program) or damaged.
#include <memory>
#include <string>
#include <vector>

namespace wk {
class ConfigData;
class RankFiles;
struct DictionaryName;
}  // namespace wk

namespace wk::app {

// The folder of the word lists.
std::string wordListsFolder();
// Makes the side file of `entry` anew; false when the word lists are missing or it could not
// be written (the dictionary is then searched unranked: nothing else depends on it).
bool refreshRankFile(const DictionaryName& entry);
// Removes the side files whose dictionary is gone (deleted, or merged into a backup).
void removeLonelyRankFiles(const ConfigData& config);
// The side files of `dictionaries`, each made anew where it must be (where one cannot be kept,
// the word lists serve themselves); null when no dictionary's words can be ranked. `note` says,
// in a line, which dictionaries' words come unranked (no word lists).
std::unique_ptr<RankFiles> openRankFiles(const std::vector<const DictionaryName*>& dictionaries,
                                         std::string& note);

}  // namespace wk::app
