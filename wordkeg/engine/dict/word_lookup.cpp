#include "word_lookup.h"

#include "../base/clock.h"
#include "../base/file_ops.h"
#include "../base/message_port.h"
#include "../base/paths.h"
#include "../base/string_table.h"
#include "../base/wordkeg_exception.h"
#include "../config/config_data.h"
#include "compress_dictionary.h"
#include "dict_format.h"
#include "dictionary.h"
#include "dictionary_names.h"
#include "dictionary_scan.h"
#include "install_dictionary.h"
#include "operation_context.h"
#include "word_order.h"

namespace wk {
namespace {

constexpr size_t kLookupBuffer = 5120;

std::string patternOf(std::string word) {
  if (const auto at = word.find('-'); at != std::string::npos) word.erase(at, 1);
  return word;
}

// True when the dictionary at `path` holds `word` exactly (capital and hyphen included).
bool holdsExactly(OperationContext& context, const std::string& path, const std::string& word) {
  Dictionary reader(context, path, false, kLookupBuffer);
  DictionaryScan scan(reader, dict::kMaxLength);
  std::string found;
  for (int r = scan.start(patternOf(word), nullptr, 0, 0, found); r == DictionaryScan::kMatch;
       r = scan.next(found))
    if (found == word) return true;
  return false;
}

// The forms of `word` the dictionary at `path` holds whatever their letter case, as stored,
// each followed by a blank.
std::string formsAnyCase(OperationContext& context, const std::string& path,
                         const std::string& word) {
  Dictionary reader(context, path, false, kLookupBuffer);
  DictionaryScan scan(reader, dict::kMaxLength);
  std::string found, forms;
  const std::string lower = toLower(word);
  for (int r = scan.start(patternOf(lower), nullptr, 0, 0, found); r == DictionaryScan::kMatch;
       r = scan.next(found))
    if (toLower(found) == lower) forms.append(found).append(" ");
  return forms;
}

// Deletes the update's temporary file however the update ends.
struct UpdateFileGuard {
  const std::string& path;
  ~UpdateFileGuard() {
    if (fileExists(path)) removeFile(path);
  }
};

// Copies every word of `path` into the update file, with `word` inserted (add) or left out
// (remove). Returns kCancelled when the cancel flag stopped the copy.
int copyDictionary(OperationContext& context, const std::string& path, const std::string& word,
                   UpdateMode mode, const std::string& updateFile) {
  CompressDictionary writer(updateFile);
  int result = update_result::kDone;
  {
    Dictionary reader(context, path, false, kLookupBuffer);
    DictionaryScan scan(reader, dict::kMaxLength);
    bool written = mode == UpdateMode::kRemove;
    std::string found;
    int r = scan.start("*", nullptr, 0, 0, found);
    for (; r == DictionaryScan::kMatch; r = scan.next(found)) {
      if (!written && compareWords(found, word) >= 0) {
        writer.addWord(word);
        written = true;
      }
      if (mode == UpdateMode::kAdd || found != word) writer.addWord(found);
    }
    if (!written) writer.addWord(word);
    if (r == DictionaryScan::kCancelled || context.cancelRequested())
      result = update_result::kCancelled;
  }
  writer.finish();
  return result;
}

// Gives the update file the header the changed dictionary keeps (its creation time and
// selection, a new modification time), before it is installed: a copy killed just after the
// install must not leave a dictionary that looks new and has dropped out of the selection.
bool carryHeader(DictionaryNames& catalogue, const std::string& path, UpdateMode mode,
                 const std::string& updateFile) {
  const DictionaryName* entry = catalogue.find(path);
  DictionaryName updated;
  updated.path = updateFile;
  if (!entry || !catalogue.readHeader(updated)) return entry == nullptr;
  updated.header.created = entry->header.created;
  // The selection as this copy changed it, else as the file holds it now: another copy may have
  // changed it while the words were copied.
  DictionaryName current;
  current.path = path;
  updated.header.selected = !entry->changed && catalogue.readHeader(current)
                                ? current.header.selected
                                : entry->header.selected;
  if (mode == UpdateMode::kRemove || updated.header.wordCount > 1)
    updated.header.modified = nowTime();
  return catalogue.writeHeader(updated);
}

void refreshEntry(DictionaryNames& catalogue, const std::string& path) {
  if (DictionaryName* entry = catalogue.find(path)) catalogue.readHeader(*entry);
}

// Asks `holds` of every catalogue dictionary but `skipped`, in catalogue order, until it says
// true. One damaged dictionary must not stop a lookup in all the others: it is reported once
// per lookup and passed over.
template <class Holds>
void forEachReadable(DictionaryNames& catalogue, const std::string& skipped, Holds holds) {
  for (size_t i = 0; i < catalogue.count(); ++i) {
    const DictionaryName& entry = catalogue.entry(i);
    if (entry.path == skipped) continue;
    try {
      if (holds(entry)) return;
    } catch (const WordkegException& e) {
      warnLeftOut(e);
    }
  }
}

}  // namespace

bool wordAbsentElsewhere(DictionaryNames& catalogue, const std::string& word,
                         const std::string& path) {
  const std::string pattern = patternOf(word);
  bool absent = true;
  OperationContext context;
  forEachReadable(catalogue, path, [&](const DictionaryName& entry) {
    Dictionary reader(context, entry.path, false, kLookupBuffer);
    DictionaryScan scan(reader, dict::kMaxLength);
    std::string found;
    absent = scan.start(pattern, nullptr, 0, 0, found) != DictionaryScan::kMatch;
    return !absent;
  });
  return absent;
}

std::string dictionariesHolding(DictionaryNames& catalogue, const std::string& word) {
  std::string result;
  OperationContext context;
  forEachReadable(catalogue, std::string(), [&](const DictionaryName& entry) {
    if (holdsExactly(context, entry.path, word)) appendLine(result, entry.fileName());
    return false;
  });
  return result;
}

std::string dictionariesHoldingAnyCase(DictionaryNames& catalogue, const std::string& word) {
  std::string result;
  OperationContext context;
  forEachReadable(catalogue, std::string(), [&](const DictionaryName& entry) {
    std::string forms = formsAnyCase(context, entry.path, word);
    if (forms.empty()) return false;
    forms.pop_back();
    const bool exact = (" " + forms + " ").find(" " + word + " ") != std::string::npos;
    appendLine(result, exact ? entry.fileName() : entry.fileName() + ": " + forms);
    return false;
  });
  return result;
}

int updateDictionary(DictionaryNames& catalogue, const std::string& path, const std::string& word,
                     UpdateMode mode) {
  OperationContext context;
  return updateDictionary(context, catalogue, path, word, mode);
}

int updateDictionary(OperationContext& context, DictionaryNames& catalogue, const std::string& path,
                     const std::string& word, UpdateMode mode) {
  if (mode == UpdateMode::kAdd && !fileExists(path)) {
    CompressDictionary::createEmpty(path);
    catalogue.addIfAbsent(path);
  }
  const bool present = holdsExactly(context, path, word);
  if (mode == UpdateMode::kAdd && present) return update_result::kAlreadyPresent;
  if (mode == UpdateMode::kRemove && !present) return update_result::kNotPresent;
  const std::string updateFile = catalogue.config().inHomeFolder(kUpdateFile);
  UpdateFileGuard guard{updateFile};
  const int copied = copyDictionary(context, path, word, mode, updateFile);
  if (copied != update_result::kDone) return copied;
  if (!carryHeader(catalogue, path, mode, updateFile) ||
      !installDictionary(updateFile, path, nullptr))
    return update_result::kFailed;
  refreshEntry(catalogue, path);
  return update_result::kDone;
}

}  // namespace wk
