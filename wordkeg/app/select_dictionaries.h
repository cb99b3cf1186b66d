#pragma once
// The Select Dictionaries dialog's logic: its lines, Select/Clear, Select All, Clear All and
// Details. Delete is deleteDictionaries (dictionary_dialogs.h).
#include <string>
#include <vector>

namespace wk {
class DictionaryNames;
}

namespace wk::app {

// The path of the catalogue dictionary called `name` (with or without ".lex"): the exact file
// name first, else the one whose name differs only in letter case; empty when none is listed.
std::string findDictionary(DictionaryNames& catalogue, const std::string& name);
// findDictionary, telling the user "There is no dictionary called NAME" when it is empty.
std::string existingOrRefuse(DictionaryNames& catalogue, const std::string& name);

// One line per catalogue dictionary, in catalogue order: the mark (0xBB when selected, else a
// blank), a TAB and the file name.
std::vector<std::string> dictionaryLines(DictionaryNames& catalogue);
// The file name a line names (what follows the mark and the TAB).
std::string fileNameOfLine(const std::string& line);
// Select/Clear: every named dictionary's selected flag turns over, each on its own.
void toggleSelected(DictionaryNames& catalogue, const std::vector<std::string>& fileNames);
// Select All / Clear All.
void selectAll(DictionaryNames& catalogue, bool selected);
// Details: the first of `fileNames` (message 701 when there is none), in an information box
// captioned "Information on: " and its name.
void showDetails(DictionaryNames& catalogue, const std::vector<std::string>& fileNames);

}  // namespace wk::app
