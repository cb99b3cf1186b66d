#include "dictionary_requests.h"

#include <vector>

#include "app/select_dictionaries.h"
#include "collecting_port.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"

namespace wk::web {
namespace {

// One change of the selection at a time: each writes the headers of the dictionaries it read.
std::mutex changes;

}  // namespace

nlohmann::json dictionaryList(const std::string& home) {
  CollectingPort quiet;  // "no dictionaries" and the like: the empty list says it
  ScopedThreadMessagePort scoped(&quiet);
  const ConfigData config(home);
  const auto catalogue = DictionaryNames::open(config);
  nlohmann::json list = nlohmann::json::array();
  for (size_t i = 0; i < catalogue->count(); ++i) {
    const DictionaryName& entry = catalogue->entry(i);
    const std::string file = entry.fileName();
    const std::string name = file.size() > 4 ? file.substr(0, file.size() - 4) : file;
    list.push_back({{"name", name},
                    {"file", file},
                    {"words", entry.header.wordCount},
                    {"selected", entry.header.selected != 0}});
  }
  return list;
}

int selectDictionary(const std::string& home, const std::string& name, bool selected, std::string& error) {
  std::lock_guard<std::mutex> lock(changes);
  CollectingPort said(home);
  ScopedThreadMessagePort scoped(&said);
  const ConfigData config(home);
  const auto catalogue = DictionaryNames::open(config);
  said.texts.clear();  // what the scan said is no answer to this request
  const std::string path = app::existingOrRefuse(*catalogue, name);
  if (path.empty()) {
    error = CollectingPort::joined(said.texts);
    return 404;
  }
  catalogue->setSelected(path, selected);
  if (catalogue->writeBack()) return 0;
  error = CollectingPort::joined(said.texts);
  return 409;
}

}  // namespace wk::web
