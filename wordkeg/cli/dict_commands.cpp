#include "dict_commands.h"

#include <cstdio>
#include <ctime>

#include "dictionary_names_cli.h"
#include "engine/base/file_ops.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/scoped_files.h"
#include "engine/base/string_table.h"
#include "engine/base/temp_names.h"
#include "engine/build/make_dictionary.h"
#include "engine/build/merge_dictionaries.h"
#include "engine/build/word_shape.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/instance_marker.h"
#include "engine/dict/update_operation.h"
#include "engine/dict/word_lookup.h"
#include "progress_runner.h"

namespace wk::cli {
namespace {

constexpr unsigned kStop = mb::kIconStop | mb::kOk;

void status(int id) {
  std::fprintf(stderr, "%s\n", loadString(id));
}

bool confirmed(const std::string& text, int captionId) {
  return showMessage(text, str(captionId), mb::kYesNo | mb::kIconQuestion) == mb::kIdYes;
}

std::string existingOrRefuse(const std::string& name) {
  const std::string path = findDictionary(name);
  if (path.empty()) showMessage(str(kNoSuchDictionary) + name, str(kErrorCaption), kStop);
  return path;
}

std::string timeText(int32_t value) {
  const std::time_t t = value;
  const std::tm* local = std::localtime(&t);
  return local ? std::asctime(local) : "?\n";
}

}  // namespace

int listDictionaries() {
  DictionaryNames& catalogue = DictionaryNames::instance();
  for (size_t i = 0; i < catalogue.count(); ++i) {
    const DictionaryName& entry = catalogue.entry(i);
    std::printf("%c %s %d\n", entry.header.selected ? '*' : ' ', entry.fileName().c_str(),
                entry.header.wordCount);
  }
  return catalogue.count() ? exit_code::kDone : exit_code::kNothing;
}

int showDetails(const std::string& name) {
  const std::string path = existingOrRefuse(name);
  if (path.empty()) return exit_code::kRefused;
  const DictionaryHeader& h = DictionaryNames::instance().find(path)->header;
  std::string text = str(kCreated) + timeText(h.created);
  if (h.modified != 0) text += str(kModified) + timeText(h.modified);
  text += str(kTotalWords) + std::to_string(h.wordCount);
  std::printf("%s%s\n%s\n", loadString(kInformationOn), fileNameOf(path).c_str(), text.c_str());
  return exit_code::kDone;
}

int selectDictionaries(const std::vector<std::string>& names, bool all, bool selected) {
  DictionaryNames& catalogue = DictionaryNames::instance();
  if (all) {
    for (size_t i = 0; i < catalogue.count(); ++i)
      catalogue.setSelected(catalogue.entry(i).path, selected);
    return catalogue.count() ? exit_code::kDone : exit_code::kNothing;
  }
  std::vector<std::string> paths;
  for (const auto& name : names) {
    paths.push_back(existingOrRefuse(name));
    if (paths.back().empty()) return exit_code::kRefused;
  }
  for (const auto& path : paths) catalogue.setSelected(path, selected);
  return exit_code::kDone;
}

int makeDictionary(const std::string& wordList, const std::string& name, bool uniqueOnly) {
  if (wordList.empty() || name.empty()) {
    showMessageIds(kNeedFileAndName, kErrorCaption, mb::kOk);
    return exit_code::kRefused;
  }
  const std::string path = newDictionaryPath(name);
  if (path.empty()) return exit_code::kRefused;
  if (!isRegularFile(wordList)) {
    showMessage(str(kUnableToFindFile) + wordList, str(kErrorCaption), mb::kOk);
    return exit_code::kRefused;
  }
  if (!soleCopyOrRefuse()) return exit_code::kRefused;
  if (fileExists(path) && !confirmed(str(kDictExistsOverwrite), kWarningCaption))
    return exit_code::kNothing;
  MakeDictionaryFromFile operation(wordList, path, uniqueOnly);
  if (runWithProgress(operation) != RunOutcome::kCompleted || !operation.installed())
    return exit_code::kRefused;
  status(kCreatedOk);
  return exit_code::kDone;
}

static bool deleteListed(const std::vector<std::string>& paths, const std::string& keep);

int mergeDictionaries(const std::string& target, const std::vector<std::string>& names,
                      bool deleteSources) {
  if (names.size() < 2) {
    showMessageIds(kMergeNeedTwo, kIncompleteCaption, mb::kOk);
    return exit_code::kRefused;
  }
  std::vector<std::string> inputs;
  for (const auto& name : names) {
    inputs.push_back(existingOrRefuse(name));
    if (inputs.back().empty()) return exit_code::kRefused;
  }
  const std::string path = newDictionaryPath(target);
  if (path.empty() || !soleCopyOrRefuse()) return exit_code::kRefused;
  if (fileExists(path) &&
      !confirmed(str(kTheDictionary) + fileNameOf(path) + str(kAlreadyExistsOverwrite),
                 kConfirmCaption))
    return exit_code::kNothing;
  ScopedFile output(ConfigData::instance().tempPath(freshTempName()));
  MergeDictionaries operation(inputs, output.path());
  if (runWithProgress(operation) != RunOutcome::kCompleted) return exit_code::kRefused;
  if (!installMerged(output.path(), path)) return exit_code::kRefused;
  // The sources go only once the merged dictionary is safely in place.
  if (deleteSources && !deleteListed(inputs, path)) return exit_code::kRefused;
  status(kMergedOk);
  return exit_code::kDone;
}

int findWord(const std::string& word) {
  const std::string found = dictionariesHolding(word);
  if (found.empty()) {
    std::fprintf(stderr, "%s\n", loadString(kWordNotFound));
    return exit_code::kNothing;
  }
  std::printf("%s\n", found.substr(1).c_str());
  return exit_code::kDone;
}

static bool deleteListed(const std::vector<std::string>& paths, const std::string& keep) {
  DictionaryNames& catalogue = DictionaryNames::instance();
  std::string failures;
  for (const auto& path : paths)
    if (path != keep && !catalogue.deleteDictionary(path)) appendLine(failures, fileNameOf(path));
  if (failures.empty()) return true;
  showMessage(str(kDeleteFailed) + failures, str(kFileErrorDotCaption), mb::kOk);
  return false;
}

int deleteDictionaries(const std::vector<std::string>& names) {
  std::vector<std::string> paths;
  std::string list;
  for (const auto& name : names) {
    paths.push_back(existingOrRefuse(name));
    if (paths.back().empty()) return exit_code::kRefused;
    appendLine(list, fileNameOf(paths.back()));
  }
  if (!soleCopyOrRefuse()) return exit_code::kRefused;
  if (!confirmed(str(kDeleteConfirm) + list + str(kDeleteConfirmEnd), kConfirmCaption))
    return exit_code::kNothing;
  if (!deleteListed(paths, std::string())) return exit_code::kRefused;
  status(kDeleteOk);
  return exit_code::kDone;
}

int listWords(const std::string& name) {
  const std::string path = existingOrRefuse(name);
  if (path.empty()) return exit_code::kRefused;
  Dictionary reader(path, false, 64 * 1024);
  reader.seek(1, 'a');
  int count = 0;
  while (reader.readNext()) {
    std::printf("%s\n", reader.asWritten().c_str());
    ++count;
  }
  return count ? exit_code::kDone : exit_code::kNothing;
}

}  // namespace wk::cli
