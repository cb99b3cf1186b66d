#pragma once
// Puts a finished dictionary in place of the one at a target path.
#include <atomic>
#include <string>

namespace wk {

class DictionaryNames;

// Installs `source` as the dictionary `target`, so that at every instant, a crash included,
// `target` names a whole dictionary, the old one or the new one:
//   1. `source` is moved (or copied, from another file system) beside `target` as its staged
//      file, and flushed to the disk;
//   2. the old dictionary gets a second name, its ".lxb" backup (replacing an older backup);
//   3. the staged file is renamed over `target` in one step.
// On failure the old dictionary is untouched, the staged file is gone, the user has been told
// what failed, and false is returned; `source` may remain, for the caller to remove.
bool installDictionary(const std::string& source, const std::string& target,
                       std::atomic<int>* percent);

// The names of the files an install leaves only if it dies half way, in the dictionary
// directory, to be cleared when no other copy runs.
constexpr const char* kStagedExtension = "lx$";
constexpr const char* kBackupStagedExtension = "lb$";

// After a new dictionary was installed at `path`: drop any old catalogue entry and enter the
// new file, as the make and merge operations do.
void recatalogue(DictionaryNames& catalogue, const std::string& path);

}  // namespace wk
