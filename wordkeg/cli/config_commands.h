#pragma once
// The "wordkeg config ..." commands: the home's options, kept in its ini file. Each returns the
// exit status of dict_commands.h.
#include <string>

namespace wk {
class DictionaryNames;
}

namespace wk::cli {

// "The longest word this home takes has N letters (20 with long words on)." for a home whose
// longest word has `longest` letters.
std::string longestWordNote(int longest);
// Prints whether the home takes long words, and how long its words may be.
int showLongWords(const DictionaryNames& catalogue);
// Sets the long-words option for the runs that follow, then prints it as showLongWords would.
int setLongWords(const DictionaryNames& catalogue, bool on);

}  // namespace wk::cli
