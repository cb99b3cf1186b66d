#include "config_data.h"

#include <filesystem>
#include <memory>

#include "../base/file_ops.h"
#include "../base/ini_file.h"
#include "../base/message_port.h"
#include "../base/paths.h"
#include "../base/string_table.h"
#include "../base/system_path.h"
#include "../dict/dict_format.h"

namespace wk {
namespace {

constexpr const char* kPathsSection = "PATHS";
constexpr const char* kRemindersSection = "REMINDERS";
constexpr const char* kUniqueWordsKey = "Unique Words";
constexpr const char* kOptionsSection = "OPTIONS";
constexpr const char* kLongWordsKey = "LONG_WORDS";
constexpr size_t kMaxValue = 259;  // the Windows API reads into 260 characters

std::string relative(const char* name) {
  return std::string(".") + kSeparator + name;
}

void showIniProblem(int textId) {
  showMessageIds(textId, kIniCaption, mb::kIconStop | mb::kOk | mb::kTaskModal);
}

}  // namespace

ConfigData::ConfigData()
    : results_(relative("files")),
      dictionaries_(relative("lexicons")),
      temp_(relative("temp")),
      ini_(relative("wordkeg.ini")),
      help_(relative("wordkeg.hlp")) {
  if (!fileExists(ini_)) {
    // First start: record the defaults and make their directories, which no installer has
    // made for us (the instance marker needs the temporary directory at once). Problems with
    // them surface, with their own messages, when the directories are used.
    writeProfileString(kPathsSection, "FILES", results_, ini_);
    writeProfileString(kPathsSection, "DICTIONARIES", dictionaries_, ini_);
    writeProfileString(kPathsSection, "TEMP_FILES", temp_, ini_);
    std::error_code ec;
    for (const auto* dir : {&results_, &dictionaries_, &temp_})
      std::filesystem::create_directory(systemPath(*dir), ec);
    return;
  }
  readLongWords();
  readDirectory("FILES", results_, relative("files"));
  readDirectory("DICTIONARIES", dictionaries_, relative("lexicons"));
  readDirectory("TEMP_FILES", temp_, relative("temp"));
}

void ConfigData::readDirectory(const char* key, std::string& directory,
                               const std::string& fallback) {
  std::string value = getProfileString(kPathsSection, key, fallback, ini_);
  if (value.size() > kMaxValue) value.resize(kMaxValue);
  directory = nativePath(value);
  if (isDirectory(directory)) return;
  if (fileExists(directory)) {
    showIniProblem(kIniPathIsFile);
    directory = fallback;
    return;
  }
  std::error_code ec;
  if (!directory.empty() && std::filesystem::create_directory(systemPath(directory), ec)) return;
  showIniProblem(kIniCannotCreateDir);
  // An empty value would put every file at the root of the file system, and one that cannot be
  // made would fail every use: the default directory serves instead.
  directory = fallback;
  std::filesystem::create_directory(systemPath(directory), ec);
}

std::string ConfigData::dictionaryPath(const std::string& name) const {
  return hasSeparator(name) ? name : joinPath(dictionaries_, name);
}

std::string ConfigData::tempPath(const std::string& name) const {
  return hasSeparator(name) ? name : joinPath(temp_, name);
}

void ConfigData::readLongWords() {
  const std::string value = toLower(getProfileString(kOptionsSection, kLongWordsKey, "0", ini_));
  const int number = profileNumber(value);  // as getProfileInt, without reading the file again
  const bool word = value == "on" || value == "yes" || value == "true";
  longWords_ = number == 1 || word;
  const bool off = value.empty() || value[0] == '0' || value == "off" || value == "no" ||
                   value == "false";
  longWordsUnderstood_ = longWords_ || (number == 0 && off);
}

int ConfigData::longestWord() const {
  return dict::longestWord(longWords_);
}

bool ConfigData::setLongWords(bool on) const {
  return writeProfileString(kOptionsSection, kLongWordsKey, on ? "1" : "0", ini_);
}

bool ConfigData::reminderSilenced() const {
  return getProfileInt(kRemindersSection, kUniqueWordsKey, 0, ini_) == 1;
}

void ConfigData::setReminderSilenced(bool silenced) const {
  writeProfileString(kRemindersSection, kUniqueWordsKey, silenced ? "1" : "0", ini_);
}

}  // namespace wk
