#include "dictionary_names.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "../base/clock.h"
#include "../base/file_ops.h"
#include "../base/message_port.h"
#include "../base/paths.h"
#include "../base/string_table.h"
#include "../base/system_path.h"
#include "../base/temp_names.h"
#include "../base/wordkeg_exception.h"
#include "../config/config_data.h"

namespace wk {
namespace {

std::string hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", value);
  return text;
}

// Windows matches names without regard to case, so the catalogue keeps them lower case there;
// elsewhere the name must stay as found or it would not open.
std::string catalogueName(const std::string& name) {
#ifdef _WIN32
  return toLower(name);
#else
  return name;
#endif
}

void fileError(const std::string& text) {
  showMessage(text, str(kFileErrorCaption), mb::kOk | mb::kTaskModal);
}

}  // namespace

std::string DictionaryName::fileName() const {
  return fileNameOf(path);
}

std::unique_ptr<DictionaryNames> DictionaryNames::open(const ConfigData& config) {
  std::unique_ptr<DictionaryNames> catalogue(new DictionaryNames(config));
  catalogue->scan();
  return catalogue;
}

DictionaryNames::DictionaryNames(const ConfigData& config) : config_(config) {
  // The stem carries the process as well as the second, so copies started together differ.
  started_ = static_cast<uint32_t>(nowTime());
  const std::string stem = runStem(started_, nextRunNumber());
  resultsData_ = joinPath(config.tempDirectory(), stem + ".$$$");
  resultsIndex_ = joinPath(config.tempDirectory(), stem + ".pdx");
  subset_ = joinPath(config.tempDirectory(), stem + ".MM_");
}

std::string WorkingNames::dictionaryTemp(const DictionaryName& entry) const {
  return replaceExtension(resultsData, extensionOf(entry.tempName));
}

WorkingNames DictionaryNames::freshWorkingNames() {
  const unsigned run = runs_++;
  if (run == 0) return {resultsData_, resultsIndex_, subset_};
  const std::string stem = joinPath(config_.tempDirectory(), runStem(started_, nextRunNumber()));
  return {stem + ".$$$", stem + ".pdx", stem + ".MM_"};
}

void DictionaryNames::scan() {
  const std::string dir = config_.dictionaryDirectory();
  std::string rejected;
  for (const std::string& found : findFiles(joinPath(dir, "*.lex"))) {
    DictionaryName entry = makeEntry(joinPath(dir, catalogueName(found)), ++counter_);
    // A file too short to hold the index and header is no dictionary either.
    const int64_t size = fileSize(entry.path);
    if (size >= 0 && size < dict::kStreamStart) {
      appendLine(rejected, entry.path);
      continue;
    }
    if (!readHeader(entry)) continue;
    if (entry.header.magic == dict::kMagic)
      insert(std::move(entry));
    else
      appendLine(rejected, entry.path);
  }
  const unsigned style = mb::kIconExclamation | mb::kOk | mb::kTaskModal;
  if (!rejected.empty())
    showMessage(str(kNotWordkegDictionaries) + rejected, str(kWarningCaption), style);
  else if (entries_.empty())
    showMessageIds(kNoDictionaries, kWarningCaption, style);
}

DictionaryName DictionaryNames::makeEntry(const std::string& path, unsigned number) const {
  DictionaryName entry;
  entry.path = path;
  entry.tempName = replaceExtension(resultsData_, hex(number));
  return entry;
}

std::vector<DictionaryName>::iterator DictionaryNames::lowerBound(const std::string& path) {
  return std::lower_bound(entries_.begin(), entries_.end(), path,
                          [](const DictionaryName& e, const std::string& p) { return e.path < p; });
}

void DictionaryNames::insert(DictionaryName entry) {
  auto at = lowerBound(entry.path);
  if (at != entries_.end() && at->path == entry.path) return;
  entries_.insert(at, std::move(entry));
}

std::vector<std::string> DictionaryNames::fileNames() const {
  std::vector<std::string> names;
  for (const DictionaryName& entry : entries_) names.push_back(entry.fileName());
  return names;
}

bool DictionaryNames::anySelected() const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [](const DictionaryName& e) { return e.header.selected != 0; });
}

DictionaryName* DictionaryNames::find(const std::string& path) {
  auto at = lowerBound(path);
  return (at != entries_.end() && at->path == path) ? &*at : nullptr;
}

int DictionaryNames::addIfAbsent(const std::string& path) {
  // One numbering for scanned and later entries, so no two share a temporary name.
  DictionaryName entry = makeEntry(path, ++counter_);
  if (find(path) || !readHeader(entry)) return 0;
  insert(std::move(entry));
  return 1;
}

int DictionaryNames::setSelected(const std::string& path, bool selected) {
  DictionaryName* entry = find(path);
  if (!entry) return 0;
  entry->header.selected = selected ? 1 : 0;
  entry->changed = true;
  return 1;
}

bool DictionaryNames::isSelected(const std::string& path) {
  const DictionaryName* entry = find(path);
  if (!entry) throw WordkegException(path + str(kNotInList));
  return entry->header.selected != 0;
}

void DictionaryNames::remove(const std::string& path) {
  auto at = lowerBound(path);
  if (at != entries_.end() && at->path == path) entries_.erase(at);
}

int DictionaryNames::deleteDictionary(const std::string& path) {
  // A file the scan turned away (a damaged header) is deleted as well: it is only in the way.
  if ((!find(path) && !isRegularFile(path)) || !backUp(path)) return 0;
  remove(path);
  return 1;
}

int DictionaryNames::backUp(const std::string& path) {
  const std::string backup = replaceExtension(path, "lxb");
  const unsigned style = mb::kIconStop | mb::kOk | mb::kTaskModal;
  if (fileExists(backup) && !removeFile(backup)) {
    showMessage(str(kUnableToDelete) + backup, str(kFileErrorDotCaption), style);
    return 0;
  }
  if (fileExists(path) && moveFile(backup, path, nullptr) != 0) {
    showMessage(str(kCouldNotRename) + path, str(kFileErrorDotCaption), style);
    return 0;
  }
  return 1;
}

bool DictionaryNames::readHeader(DictionaryName& entry) {
  std::FILE* f = openFile(entry.path, "rb");
  if (!f) {
    fileError(str(kUnableToOpen) + entry.path + str(kWillIgnoreDictionary));
    return false;
  }
  unsigned char bytes[dict::kHeaderBytes] = {};
  const bool ok = std::fseek(f, dict::kHeaderOffset, SEEK_SET) == 0 &&
                  std::fread(bytes, 1, sizeof bytes, f) == sizeof bytes;
  std::fclose(f);
  // A short read leaves the magic 0, which the scan rejects.
  entry.header = DictionaryHeader::decode(bytes);
  if (!ok) entry.header.magic = 0;
  entry.changed = false;
  return true;
}

bool DictionaryNames::writeHeader(DictionaryName& entry) {
  std::FILE* f = openFile(entry.path, "r+b");
  bool ok = f != nullptr;
  if (f) {
    unsigned char bytes[dict::kHeaderBytes];
    entry.header.encode(bytes);
    ok = std::fseek(f, dict::kHeaderOffset, SEEK_SET) == 0 &&
         std::fwrite(bytes, 1, sizeof bytes, f) == sizeof bytes;
    ok = std::fclose(f) == 0 && ok;
  }
  if (!ok)
    fileError(str(kUnableToOpen) + entry.path + str(kCannotSaveHeader));
  else
    entry.changed = false;
  return ok;
}

bool DictionaryNames::writeBack() {
  bool written = true;
  for (auto& entry : entries_)
    if (entry.changed) written = writeHeader(entry) && written;
  return written;
}

}  // namespace wk
