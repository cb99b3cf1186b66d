#include "dictionary_dialogs.h"

#include <ctime>

#include "engine/base/file_ops.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/scoped_files.h"
#include "engine/base/string_table.h"
#include "engine/base/temp_names.h"
#include "engine/compile/make_dictionary.h"
#include "engine/compile/merge_dictionaries.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "field_rules.h"

namespace wk::app {
namespace {

// A Yes/No question without an icon; `safe` makes No the answer of Enter.
bool askYes(const std::string& text, int captionId, bool safe = false) {
  const unsigned style = mb::kYesNo | (safe ? mb::kDefButton2 : 0);
  return showMessage(text, str(captionId), style) == mb::kIdYes;
}

// The dictionary path of a name typed without extension: ".lex" in the dictionary directory.
std::string dictionaryPathFor(const DictionaryNames& catalogue, const std::string& name) {
  return catalogue.config().dictionaryPath(replaceExtension(name, "lex"));
}

std::string timeText(int32_t value) {
  const std::time_t t = value;
  const std::tm* local = std::localtime(&t);
  return local ? std::asctime(local) : "?\n";
}

}  // namespace

Outcome makeDictionary(DialogHost& host, DictionaryNames& catalogue, const std::string& source,
                       const std::string& name, bool uniqueOnly, LineTally* tally) {
  host.setStatus(kBlankStatus);
  if (source.empty() || name.empty()) {
    showMessageIds(kNeedFileAndName, kErrorCaption, mb::kOk);
    return Outcome::kRefused;
  }
  if (!recheckField(Field::kDictionaryName, name)) return Outcome::kRefused;
  const std::string path = dictionaryPathFor(catalogue, name);
  if (!isRegularFile(source)) {
    showMessage(str(kUnableToFindFile) + source, str(kErrorCaption), mb::kOk);
    return Outcome::kRefused;
  }
  if (fileExists(path) && !askYes(str(kDictExistsOverwrite), kWarningCaption))
    return Outcome::kNothingDone;
  MakeDictionaryFromFile operation(catalogue, source, path, uniqueOnly);
  const RunOutcome outcome = host.runOperation(operation);
  if (tally) *tally = operation.tally();
  // A failed backup or move into place leaves the old dictionary and shows no success.
  if (outcome != RunOutcome::kCompleted || !operation.installed()) return Outcome::kRefused;
  host.setStatus(kCreatedOk);
  return Outcome::kDone;
}

Outcome mergeDictionaries(DialogHost& host, DictionaryNames& catalogue,
                          const std::vector<std::string>& selected, const std::string& newName,
                          bool deleteSources) {
  host.setStatus(kBlankStatus);
  if (selected.size() < 2) {
    showMessageIds(kMergeNeedTwo, kIncompleteCaption, mb::kOk);
    return Outcome::kRefused;
  }
  if (newName.empty()) {
    showMessageIds(kMergeNeedName, kIncompleteCaption, mb::kOk);
    return Outcome::kRefused;
  }
  if (!recheckField(Field::kDictionaryName, newName)) return Outcome::kRefused;
  const std::string target = dictionaryPathFor(catalogue, newName);
  if (fileExists(target) &&
      !askYes(str(kTheDictionary) + fileNameOf(target) + str(kAlreadyExistsOverwrite),
              kConfirmCaption))
    return Outcome::kNothingDone;
  const ConfigData& config = catalogue.config();
  std::vector<std::string> inputs;
  for (const auto& name : selected) inputs.push_back(config.dictionaryPath(name));
  ScopedFile output(config.tempPath(freshTempName()));
  MergeDictionaries operation(catalogue, inputs, output.path());
  if (host.runOperation(operation) != RunOutcome::kCompleted) return Outcome::kRefused;
  // The sources are offered for deletion once the merge has finished, before the merged
  // dictionary is moved into place; never the target itself, which is about to be replaced.
  if (deleteSources) {
    std::vector<std::string> sources;
    for (const auto& name : selected)
      if (config.dictionaryPath(name) != target) sources.push_back(name);
    deleteDictionaries(host, catalogue, sources);
  }
  if (!installMerged(catalogue, output.path(), target)) return Outcome::kRefused;
  host.setStatus(kMergedOk);
  return Outcome::kDone;
}

Outcome deleteDictionaries(DialogHost& host, DictionaryNames& catalogue,
                           const std::vector<std::string>& fileNames) {
  host.setStatus(kBlankStatus);
  if (fileNames.empty()) {
    showMessageIds(kDeleteNeedOne, kIncompleteCaption, mb::kOk | mb::kTaskModal);
    return Outcome::kRefused;
  }
  std::string question = str(kDeleteConfirm);
  for (const auto& name : fileNames) appendLine(question, name);
  if (!askYes(question + str(kDeleteConfirmEnd), kConfirmCaption, true))
    return Outcome::kNothingDone;
  std::string failures;
  for (const auto& name : fileNames)
    if (!catalogue.deleteDictionary(catalogue.config().dictionaryPath(name)))
      appendLine(failures, name);
  if (!failures.empty()) {
    showMessage(str(kDeleteFailed) + failures, str(kFileErrorDotCaption), mb::kOk | mb::kTaskModal);
    return Outcome::kRefused;
  }
  host.setStatus(kDeleteOk);
  return Outcome::kDone;
}

std::string detailsText(DictionaryNames& catalogue, const std::string& path) {
  const DictionaryName* entry = catalogue.find(path);
  if (!entry) return {};
  const DictionaryHeader& h = entry->header;
  std::string text = str(kCreated) + timeText(h.created);
  if (h.modified != 0) text += str(kModified) + timeText(h.modified);
  return text + str(kTotalWords) + std::to_string(h.wordCount);
}

}  // namespace wk::app
