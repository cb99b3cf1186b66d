#include "install_dictionary.h"

#include "../base/fault_point.h"
#include "../base/file_ops.h"
#include "../base/message_port.h"
#include "../base/paths.h"
#include "../base/string_table.h"
#include "dictionary_names.h"

namespace wk {
namespace {

bool fail(int textId, const std::string& path, const std::string& staged,
          const std::string& target) {
  removeFile(staged);
  std::string text = str(textId) + path;
  if (fileExists(target)) text += str(kRestoredOldDictionary);
  showMessage(text, str(kFileErrorDotCaption), mb::kIconStop | mb::kOk | mb::kTaskModal);
  return false;
}

// Step 2: the old dictionary keeps its name and gains the backup's.
bool backUpInPlace(const std::string& target) {
  const std::string backup = replaceExtension(target, "lxb");
  const std::string staged = replaceExtension(target, kBackupStagedExtension);
  if (!linkOrCopy(staged, target)) return false;
  if (replaceFile(backup, staged)) return true;
  removeFile(staged);
  return false;
}

}  // namespace

bool installDictionary(const std::string& source, const std::string& target,
                       std::atomic<int>* percent) {
  const std::string staged = replaceExtension(target, kStagedExtension);
  if (moveFile(staged, source, percent) != 0) return fail(kCouldNotRename, source, staged, target);
  if (!syncFile(staged)) return fail(kUnableToWriteFile, staged, staged, target);
  faultPoint("install-staged");
  if (fileExists(target) && !backUpInPlace(target))
    return fail(kUnableToDelete, replaceExtension(target, "lxb"), staged, target);
  faultPoint("install-backed-up");
  if (!replaceFile(target, staged)) return fail(kCouldNotRename, staged, staged, target);
  faultPoint("install-replaced");
  return true;
}

void recatalogue(DictionaryNames& catalogue, const std::string& path) {
  catalogue.remove(path);
  catalogue.addIfAbsent(path);
  if (DictionaryName* entry = catalogue.find(path)) catalogue.readHeader(*entry);
}

}  // namespace wk
