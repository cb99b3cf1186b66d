// "wordkeg dict add" and "wordkeg dict remove": the checks and questions of the Modify
// Dictionary dialog, in its order, then the update behind a progress display.
#include <cstdio>

#include "dict_commands.h"
#include "dictionary_names_cli.h"
#include "engine/base/file_ops.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "engine/build/word_shape.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/instance_marker.h"
#include "engine/dict/update_operation.h"
#include "progress_runner.h"

namespace wk::cli {
namespace {

// The word as the dialog accepts it, folded; empty after telling the user why not.
std::string checkedWord(const std::string& word) {
  if (word.empty()) {
    showMessageIds(kNeedWord, kIncompleteCaption, mb::kOk);
    return {};
  }
  if (!isWordShape(word)) {
    beep();
    showMessage(word + str(kNotValidWord), str(kIncompleteCaption), mb::kOk);
    return {};
  }
  return foldWord(word);
}

// The dictionary path for the typed name: a listed dictionary, else the completed new name.
std::string targetPath(const std::string& name) {
  const std::string listed = findDictionary(name);
  if (!listed.empty()) return listed;
  return ConfigData::instance().dictionaryPath(toLower(withoutLex(name)) + ".lex");
}

bool askedBeforeAdding(const std::string& word, const std::string& path,
                       const std::string& holding) {
  const std::string file = fileNameOf(path);
  if ((holding + "\n").find("\n" + file + "\n") != std::string::npos) {
    showMessage(file + str(kAlreadyContains) + word + "'", str(kErrorCaption),
                mb::kOk | mb::kTaskModal);
    return false;
  }
  const unsigned question = mb::kYesNo | mb::kIconQuestion;
  if (!holding.empty() && showMessage(str(kFoundInOthers) + holding.substr(1) + str(kAddAnyway),
                                      str(kWarningCaption), question) != mb::kIdYes)
    return false;
  if (!DictionaryNames::instance().find(path) &&
      showMessage(str(kCreateNewDictionary), str(kNewDictionaryCaption), question) != mb::kIdYes)
    return false;
  return true;
}

int reportResult(int result, UpdateMode mode) {
  switch (result) {
    case update_result::kDone:
      std::fprintf(stderr, "%s\n",
                   loadString(mode == UpdateMode::kAdd ? kWordAddedOk : kWordRemovedOk));
      return exit_code::kDone;
    case update_result::kAlreadyPresent:
      beep();
      showMessageIds(kWordAlreadyPresent, kUpdateFailedCaption, mb::kIconStop | mb::kOk);
      return exit_code::kNothing;
    case update_result::kNotPresent:
      beep();
      showMessageIds(kNotFoundForRemoval, kUpdateFailedCaption, mb::kIconStop | mb::kOk);
      return exit_code::kNothing;
    default:
      return exit_code::kRefused;
  }
}

// A remove that emptied the dictionary deletes it altogether.
void dropIfEmpty(const std::string& path) {
  DictionaryNames& catalogue = DictionaryNames::instance();
  const DictionaryName* entry = catalogue.find(path);
  if (!entry || entry->header.wordCount != 0) return;
  if (!removeFile(path)) {
    showMessage(str(kCannotRemoveEmpty) + path, str(kErrorCaption), mb::kOk);
    return;
  }
  catalogue.remove(path);
}

int update(const std::string& word, const std::string& path, UpdateMode mode) {
  const DictionaryName* entry = DictionaryNames::instance().find(path);
  UpdateOperation operation(path, word, mode, entry ? entry->header.wordCount : 0);
  if (runWithProgress(operation) != RunOutcome::kCompleted) return exit_code::kRefused;
  if (mode == UpdateMode::kRemove && operation.result() == update_result::kDone) dropIfEmpty(path);
  return reportResult(operation.result(), mode);
}

}  // namespace

int addWord(const std::string& typed, const std::string& dictionary) {
  const std::string word = checkedWord(typed);
  if (word.empty()) return exit_code::kRefused;
  const std::string holding = dictionariesHolding(word);
  if (dictionary.empty()) {
    showMessageIds(kSelectDictionary, kIncompleteCaption, mb::kOk);
    return exit_code::kRefused;
  }
  const std::string path = targetPath(dictionary);
  if (!soleCopyOrRefuse()) return exit_code::kRefused;
  if (!askedBeforeAdding(word, path, holding)) return exit_code::kNothing;
  return update(word, path, UpdateMode::kAdd);
}

int removeWord(const std::string& typed, const std::string& dictionary) {
  const std::string word = checkedWord(typed);
  if (word.empty()) return exit_code::kRefused;
  if (dictionary.empty()) {
    showMessageIds(kSelectDictionary, kIncompleteCaption, mb::kOk);
    return exit_code::kRefused;
  }
  const std::string path = findDictionary(dictionary);
  if (path.empty()) {
    showMessageIds(kUnknownDictionary, kIncompleteCaption, mb::kOk);
    return exit_code::kRefused;
  }
  if (!soleCopyOrRefuse()) return exit_code::kRefused;
  return update(word, path, UpdateMode::kRemove);
}

}  // namespace wk::cli
