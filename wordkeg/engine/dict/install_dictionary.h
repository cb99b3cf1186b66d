#pragma once
// Puts a finished dictionary in place of the one at a target path.
#include <atomic>
#include <string>

namespace wk {

// The old dictionary at `target` (if any) becomes its ".lxb" backup, then `source` is moved to
// `target`. On failure nothing is lost: the old dictionary is put back where it was, the user
// has been told what failed, and false is returned with `source` left for the caller.
bool installDictionary(const std::string& source, const std::string& target,
                       std::atomic<int>* percent);

// After a new dictionary was installed at `path`: drop any old catalogue entry and enter the
// new file, as the make and merge operations do.
void recatalogue(const std::string& path);

}  // namespace wk
