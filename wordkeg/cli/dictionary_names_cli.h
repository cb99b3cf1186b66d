#pragma once
// How the command line names dictionaries: with or without ".lex", in any letter case.
#include <string>

#include "app/select_dictionaries.h"

namespace wk {
class DictionaryNames;
}

namespace wk::cli {

using app::existingOrRefuse;
using app::findDictionary;
// The path a new dictionary called `name` gets: lower case, ".lex", in the dictionary
// directory. Empty when `name` holds characters a dictionary name may not (only letters,
// digits and _ { } $ are allowed), after telling the user.
std::string newDictionaryPath(const DictionaryNames& catalogue, const std::string& name);
// Dictionaries may change only while this is the one running copy; false after telling the
// user when another copy runs.
bool soleCopyOrRefuse(const DictionaryNames& catalogue);

}  // namespace wk::cli
