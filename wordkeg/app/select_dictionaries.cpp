#include "select_dictionaries.h"

#include "dictionary_dialogs.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "field_rules.h"

namespace wk::app {

std::string findDictionary(DictionaryNames& catalogue, const std::string& name) {
  const std::string wanted = app::withoutLex(fileNameOf(name)) + ".lex";
  std::string caseless;
  int caselessCount = 0;
  for (size_t i = 0; i < catalogue.count(); ++i) {
    const std::string file = catalogue.entry(i).fileName();
    if (file == wanted) return catalogue.entry(i).path;
    if (toLower(file) == toLower(wanted)) caseless = catalogue.entry(i).path, ++caselessCount;
  }
  return caselessCount == 1 ? caseless : std::string();
}

std::string existingOrRefuse(DictionaryNames& catalogue, const std::string& name) {
  const std::string path = findDictionary(catalogue, name);
  if (path.empty())
    showMessage(str(kNoSuchDictionary) + name, str(kErrorCaption), mb::kIconStop | mb::kOk);
  return path;
}

namespace {
constexpr char kMark = static_cast<char>(0xBB);
}

std::vector<std::string> dictionaryLines(DictionaryNames& catalogue) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < catalogue.count(); ++i) {
    const DictionaryName& entry = catalogue.entry(i);
    std::string line(1, entry.header.selected ? kMark : ' ');
    line += '\t';
    line += entry.fileName();
    lines.push_back(line);
  }
  return lines;
}

std::string fileNameOfLine(const std::string& line) {
  return line.size() > 2 ? line.substr(2) : std::string();
}

void toggleSelected(DictionaryNames& catalogue, const std::vector<std::string>& fileNames) {
  for (const auto& name : fileNames) {
    const std::string path = catalogue.config().dictionaryPath(name);
    if (catalogue.find(path)) catalogue.setSelected(path, !catalogue.isSelected(path));
  }
}

void selectAll(DictionaryNames& catalogue, bool selected) {
  for (size_t i = 0; i < catalogue.count(); ++i)
    catalogue.setSelected(catalogue.entry(i).path, selected);
}

void showDetails(DictionaryNames& catalogue, const std::vector<std::string>& fileNames) {
  if (fileNames.empty()) {
    showMessageIds(kDetailsNeedOne, kIncompleteCaption, mb::kOk);
    return;
  }
  const std::string& name = fileNames.front();
  showMessage(detailsText(catalogue, catalogue.config().dictionaryPath(name)),
              str(kInformationOn) + name, mb::kOk | mb::kIconInformation);
}

}  // namespace wk::app
