#include "dictionary_names_cli.h"

#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/instance_marker.h"

namespace wk::cli {

std::string withoutLex(const std::string& name) {
  if (name.size() > 4 && toLower(name.substr(name.size() - 4)) == ".lex")
    return name.substr(0, name.size() - 4);
  return name;
}

std::string findDictionary(const std::string& name) {
  const std::string wanted = withoutLex(fileNameOf(name)) + ".lex";
  DictionaryNames& catalogue = DictionaryNames::instance();
  std::string caseless;
  int caselessCount = 0;
  for (size_t i = 0; i < catalogue.count(); ++i) {
    const std::string file = catalogue.entry(i).fileName();
    if (file == wanted) return catalogue.entry(i).path;
    if (toLower(file) == toLower(wanted)) caseless = catalogue.entry(i).path, ++caselessCount;
  }
  return caselessCount == 1 ? caseless : std::string();
}

std::string existingOrRefuse(const std::string& name) {
  const std::string path = findDictionary(name);
  if (path.empty())
    showMessage(str(kNoSuchDictionary) + name, str(kErrorCaption), mb::kIconStop | mb::kOk);
  return path;
}

bool soleCopyOrRefuse() {
  if (InstanceMarker::runningCopies() <= 1) return true;
  showMessage(str(kOtherCopyRunning), str(kErrorCaption), mb::kIconStop | mb::kOk);
  return false;
}

std::string newDictionaryPath(const std::string& name) {
  const std::string bare = toLower(withoutLex(name));
  bool ok = !bare.empty();
  for (char c : bare)
    ok = ok && ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '{' ||
                c == '}' || c == '$');
  if (!ok) {
    showMessage(name + str(kNotADictionaryName), str(kErrorCaption), mb::kOk | mb::kIconStop);
    return std::string();
  }
  return ConfigData::instance().dictionaryPath(bare + ".lex");
}

}  // namespace wk::cli
