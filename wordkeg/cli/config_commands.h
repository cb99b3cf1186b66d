#pragma once
// The "wordkeg config ..." commands: the home's options, kept in its ini file. Each returns the
// exit status of dict_commands.h.
#include <string>

#include "app/search_job.h"

namespace wk {
class DictionaryNames;
}

namespace wk::cli {

// How the command line turns long words on, as app::longWordsAside() and longestWordNote() say it.
using app::kTurnLongWordsOn;
// Prints whether the home takes long words, and how long its words may be.
int showLongWords(const DictionaryNames& catalogue);
// Sets the long-words option for the runs that follow, then prints it as showLongWords would.
int setLongWords(const DictionaryNames& catalogue, bool on);

}  // namespace wk::cli
