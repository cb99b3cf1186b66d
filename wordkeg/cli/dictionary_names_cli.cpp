#include "dictionary_names_cli.h"

#include "app/field_rules.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/instance_marker.h"

namespace wk::cli {

bool soleCopyOrRefuse(const DictionaryNames& catalogue) {
  if (InstanceMarker::runningCopies(catalogue.config()) <= 1) return true;
  showMessage(str(kOtherCopyRunning), str(kErrorCaption), mb::kIconStop | mb::kOk);
  return false;
}

std::string newDictionaryPath(const DictionaryNames& catalogue, const std::string& name) {
  // The window's rule for a new dictionary's name, in one place.
  const std::string bare = app::withoutLex(name);
  if (bare.empty() || !app::typeable(app::Field::kDictionaryName, bare)) {
    showMessage(name + str(kNotADictionaryName), str(kErrorCaption), mb::kOk | mb::kIconStop);
    return std::string();
  }
  return catalogue.config().dictionaryPath(toLower(bare) + ".lex");
}

}  // namespace wk::cli
