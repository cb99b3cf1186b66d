#pragma once
// Word-level services over the catalogue's dictionaries: lookups, and adding a word to or
// removing it from one dictionary by rewriting it into a new file.
#include <string>

namespace wk {

class DictionaryNames;
class OperationContext;

enum class UpdateMode { kAdd = 0, kRemove = 1 };

namespace update_result {
constexpr int kDone = 0;
constexpr int kAlreadyPresent = 1;
constexpr int kNotPresent = 2;
constexpr int kCancelled = 6;
constexpr int kFailed = 7;  // the new file could not be put in place; the user has been told
}  // namespace update_result

// The temporary file of an update, in the home's folder (ConfigData::inHomeFolder).
constexpr const char* kUpdateFile = "new{}}{.$$$";

// True when no catalogue dictionary but the one at `path` holds a word with the letters of
// `word` (capital and hyphen ignored).
bool wordAbsentElsewhere(DictionaryNames& catalogue, const std::string& word,
                         const std::string& path);
// "\n" + file name for every catalogue dictionary holding exactly `word`, in catalogue order.
std::string dictionariesHolding(DictionaryNames& catalogue, const std::string& word);
// The same whatever the letter case: a dictionary holding `word` exactly as given is named alone
// (as above), one holding only other forms as "file: Form form", with every form it stores.
std::string dictionariesHoldingAnyCase(DictionaryNames& catalogue, const std::string& word);
// Adds or removes `word` (as written) in the dictionary at `path`, creating the dictionary for
// an add when it does not exist. Returns an update_result code. Throws WordkegException when a
// dictionary or the temporary file cannot be read or written; the dictionary is then unchanged
// and no temporary file remains. The catalogue's entry follows the file.
int updateDictionary(DictionaryNames& catalogue, const std::string& path, const std::string& word,
                     UpdateMode mode);
// The same as a part of the operation of `context`, whose cancel stops the copy.
int updateDictionary(OperationContext& context, DictionaryNames& catalogue, const std::string& path,
                     const std::string& word, UpdateMode mode);

}  // namespace wk
