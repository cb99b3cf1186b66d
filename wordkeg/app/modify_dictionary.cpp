// Modify Dictionary: the checks and questions of Add and Remove in their order, the update
// behind the progress display, and Find.
#include <algorithm>

#include "dictionary_dialogs.h"
#include "engine/base/file_ops.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "engine/compile/word_shape.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/update_operation.h"
#include "field_rules.h"

namespace wk::app {
namespace {

// The word as OK takes it, folded; empty after telling the user why not. `longest` is the
// home's longest word.
std::string checkedWord(const std::string& word, int longest) {
  if (word.empty()) {
    showMessageIds(kNeedWord, kIncompleteCaption, mb::kOk);
    return {};
  }
  if (word.back() == '-') {
    beep();  // the dialog only beeps and puts the focus back on the word
    return {};
  }
  if (!isWordShape(word, longest)) {
    showMessage(word + str(kNotValidWord), str(kIncompleteCaption), mb::kOk);
    return {};
  }
  return foldWord(word);
}

bool askedBeforeAdding(const std::string& word, const std::string& file, const std::string& holding,
                       bool listed) {
  if ((holding + "\n").find("\n" + file + "\n") != std::string::npos) {
    showMessage(file + str(kAlreadyContains) + word + "'", str(kErrorCaption),
                mb::kOk | mb::kTaskModal);
    return false;
  }
  const unsigned question = mb::kYesNo;
  if (!holding.empty() && showMessage(str(kFoundInOthers) + holding + str(kAddAnyway),
                                      str(kWarningCaption), question) != mb::kIdYes)
    return false;
  return listed ||
         showMessageIds(kCreateNewDictionary, kNewDictionaryCaption, question) == mb::kIdYes;
}

// A remove that emptied the dictionary deletes it altogether.
void dropIfEmpty(DictionaryNames& catalogue, const std::string& path) {
  const DictionaryName* entry = catalogue.find(path);
  if (!entry || entry->header.wordCount != 0) return;
  if (!removeFile(path)) {
    showMessage(str(kCannotRemoveEmpty) + path, str(kErrorCaption), mb::kOk);
    return;
  }
  catalogue.remove(path);
}

Outcome report(DialogHost& host, int result, UpdateMode mode) {
  if (result == update_result::kDone) {
    host.setStatus(mode == UpdateMode::kAdd ? kWordAddedOk : kWordRemovedOk);
    return Outcome::kDone;
  }
  if (result == update_result::kAlreadyPresent || result == update_result::kNotPresent) {
    beep();
    // The word already there gets a text that says so, not the one about removal.
    showMessageIds(
        result == update_result::kAlreadyPresent ? kWordAlreadyPresent : kNotFoundForRemoval,
        kUpdateFailedCaption, mb::kIconStop | mb::kOk);
    return Outcome::kNothingDone;
  }
  return Outcome::kRefused;
}

}  // namespace

Outcome modifyDictionary(DialogHost& host, DictionaryNames& catalogue, UpdateMode mode,
                         const std::string& typed, const std::string& dictionary,
                         const std::vector<std::string>& listed) {
  host.setStatus(kBlankStatus);
  const std::string word = checkedWord(typed, catalogue.config().longestWord());
  if (word.empty()) return Outcome::kRefused;
  const std::string holding = dictionariesHolding(catalogue, word);
  if (dictionary.empty()) {
    showMessageIds(kSelectDictionary, kIncompleteCaption, mb::kOk);
    return Outcome::kRefused;
  }
  // A listed name is taken as it stands, its extension's case included (names keep their case
  // where file names are case-sensitive, and "Names.LEX" is another file than "Names.lex");
  // any other text is folded to lower case, as the dialog does.
  std::string file = dictionary;
  if (std::find(listed.begin(), listed.end(), file) == listed.end())
    file = replaceExtension(dictionary, "lex");
  if (std::find(listed.begin(), listed.end(), file) == listed.end())
    file = replaceExtension(toLower(dictionary), "lex");
  const std::string path = catalogue.config().dictionaryPath(file);
  const bool inList = std::find(listed.begin(), listed.end(), file) != listed.end();
  // A name not taken from the list is held to the field's typing rule (letters only), so no
  // pasted path or separator can reach outside the dictionary directory.
  if (!inList && !recheckField(Field::kDictionaryChoice, withoutLex(dictionary)))
    return Outcome::kRefused;
  if (mode == UpdateMode::kAdd && !askedBeforeAdding(word, file, holding, inList))
    return Outcome::kNothingDone;
  if (mode == UpdateMode::kRemove && !inList) {
    showMessageIds(kUnknownDictionary, kIncompleteCaption, mb::kOk);
    host.showDictionaryList();
    return Outcome::kRefused;
  }
  const DictionaryName* entry = catalogue.find(path);
  UpdateOperation operation(catalogue, path, word, mode, entry ? entry->header.wordCount : 0);
  if (host.runOperation(operation) != RunOutcome::kCompleted) return Outcome::kRefused;
  if (mode == UpdateMode::kRemove && operation.result() == update_result::kDone) dropIfEmpty(catalogue, path);
  return report(host, operation.result(), mode);
}

bool findWord(DictionaryNames& catalogue, const std::string& word) {
  if (word.empty()) {
    showMessageIds(kNeedWord, kIncompleteCaption, mb::kOk);
    return false;
  }
  const std::string holding = dictionariesHolding(catalogue, word);
  if (holding.empty()) {
    showMessageIds(kWordNotFound, kFindCaption, mb::kOk);
    return false;
  }
  showMessage(str(kWordFoundIn) + holding, str(kFindCaption), mb::kOk);
  return true;
}

bool acceptableWhileTyping(const std::string& text, int longest) {
  if (isWordShape(text, longest)) return true;
  if (text.size() < 2 || text.back() != '-') return false;
  const std::string before = text.substr(0, text.size() - 1);
  return before.find('-') == std::string::npos && isWordShape(before, longest);
}

}  // namespace wk::app
