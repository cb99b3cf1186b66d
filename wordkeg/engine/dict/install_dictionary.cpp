#include "install_dictionary.h"

#include "../base/file_ops.h"
#include "../base/message_port.h"
#include "../base/paths.h"
#include "../base/string_table.h"
#include "dictionary_names.h"

namespace wk {

bool installDictionary(const std::string& source, const std::string& target,
                       std::atomic<int>* percent) {
  const bool hadOld = fileExists(target);
  if (!DictionaryNames::backUp(target)) return false;
  if (moveFile(target, source, percent) == 0) return true;
  std::string text = str(kCouldNotRename) + source;
  if (hadOld && moveFile(target, replaceExtension(target, "lxb"), nullptr) == 0)
    text += str(kRestoredOldDictionary);
  showMessage(text, str(kFileErrorDotCaption), mb::kIconStop | mb::kOk | mb::kTaskModal);
  return false;
}

void recatalogue(const std::string& path) {
  DictionaryNames& catalogue = DictionaryNames::instance();
  catalogue.remove(path);
  catalogue.addIfAbsent(path);
  if (DictionaryName* entry = catalogue.find(path)) catalogue.readHeader(*entry);
}

}  // namespace wk
