#pragma once
// The decisions of the dictionary dialogs, apart from any window: the order of checks, which
// message with which caption and buttons, what each answer does, and what the status line says.
// Make Dictionary From File (OK), Merge Dictionaries (Merge), Select Dictionaries (Delete,
// Details) and Modify Dictionary (Add, Remove, Find).
#include <string>
#include <vector>

#include "dialog_host.h"
#include "engine/dict/dict_format.h"
#include "engine/dict/word_lookup.h"

namespace wk {
class DictionaryNames;
struct LineTally;
}  // namespace wk

namespace wk::app {

// Each action works on `catalogue`, the dictionaries of the home the program was started in.

// How a dialog action ended: done; nothing done (the user said No, or there was nothing to
// change); refused by a check or failed (the user has been told).
enum class Outcome { kDone, kNothingDone, kRefused };

// OK of Make Dictionary: `name` as the name field holds it (letters, digits, _ { } $); done
// when the dictionary was made and installed. `tally`, when given, receives what the list's lines
// held once the list was read.
Outcome makeDictionary(DialogHost& host, DictionaryNames& catalogue, const std::string& source,
                       const std::string& name, bool uniqueOnly, LineTally* tally = nullptr);

// Merge of Merge Dictionaries: `selected` are file names from the list; done when the merged
// dictionary was installed. With `deleteSources` the sources are then deleted behind the delete
// confirmation (never the new dictionary itself).
Outcome mergeDictionaries(DialogHost& host, DictionaryNames& catalogue,
                          const std::vector<std::string>& selected, const std::string& newName,
                          bool deleteSources);

// Delete of Select Dictionaries: the confirmation, then each file name is deleted (kept as its
// ".lxb" backup); done when every one was deleted.
Outcome deleteDictionaries(DialogHost& host, DictionaryNames& catalogue,
                           const std::vector<std::string>& fileNames);

// The Details text of a catalogue dictionary: created, modified (when ever), total words.
std::string detailsText(DictionaryNames& catalogue, const std::string& path);

// OK of Modify Dictionary in `mode`: `word` as typed, `dictionary` the combo's text,
// `listed` the combo's list; done when the word was added or removed.
Outcome modifyDictionary(DialogHost& host, DictionaryNames& catalogue, UpdateMode mode,
                         const std::string& word, const std::string& dictionary,
                         const std::vector<std::string>& listed);

// The word field's validator: `text` could still become a word of at most `longest` letters
// (the home's limit; a final hyphen is let through while typing; OK refuses it).
bool acceptableWhileTyping(const std::string& text, int longest = dict::kMaxSearchLength);

// Find of Modify Dictionary: shows where `word` is, exactly as typed. True when found.
bool findWord(DictionaryNames& catalogue, const std::string& word);

}  // namespace wk::app
