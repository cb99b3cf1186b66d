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

// The home without a separator at its end, so that its files read "home/lexicons".
std::string trimmed(std::string home) {
  while (home.size() > 1 && isSeparator(home.back())) home.pop_back();
  return home.empty() ? "." : home;
}

void showIniProblem(int textId) {
  showMessageIds(textId, kIniCaption, mb::kIconStop | mb::kOk | mb::kTaskModal);
}

}  // namespace

ConfigData::ConfigData(std::string home)
    : home_(trimmed(std::move(home))),
      results_(inHome("files")),
      dictionaries_(inHome("lexicons")),
      temp_(inHome("temp")),
      ini_(inHome("wordkeg.ini")),
      help_(inHome("wordkeg.hlp")) {
  if (!fileExists(ini_)) {
    // First start: record the defaults and make their directories, which no installer has
    // made for us (the instance marker needs the temporary directory at once). Problems with
    // them surface, with their own messages, when the directories are used. The ini holds
    // them relative, so the home can move.
    writeProfileString(kPathsSection, "FILES", relative("files"), ini_);
    writeProfileString(kPathsSection, "DICTIONARIES", relative("lexicons"), ini_);
    writeProfileString(kPathsSection, "TEMP_FILES", relative("temp"), ini_);
    std::error_code ec;
    for (const auto* dir : {&results_, &dictionaries_, &temp_})
      std::filesystem::create_directory(systemPath(*dir), ec);
    return;
  }
  readLongWords();
  readDirectory("FILES", results_, "files");
  readDirectory("DICTIONARIES", dictionaries_, "lexicons");
  readDirectory("TEMP_FILES", temp_, "temp");
}

std::string ConfigData::inHome(const char* name) const {
  return home_ == "." ? relative(name) : joinPath(home_, name);
}

std::string ConfigData::inHomeFolder(const std::string& name) const {
  return home_ == "." ? name : joinPath(home_, name);
}

std::string ConfigData::fromHome(const std::string& path) const {
  bool absolute = !path.empty() && isSeparator(path[0]);
#ifdef _WIN32
  absolute = absolute || (path.size() > 1 && path[1] == ':');  // a drive's
#endif
  if (home_ == "." || path.empty() || absolute) return path;
  const bool dotted = path.size() > 1 && path[0] == '.' && isSeparator(path[1]);
  return path == "." ? home_ : joinPath(home_, dotted ? path.substr(2) : path);
}

void ConfigData::readDirectory(const char* key, std::string& directory, const char* name) {
  const std::string fallback = inHome(name);
  std::string value = getProfileString(kPathsSection, key, relative(name), ini_);
  if (value.size() > kMaxValue) value.resize(kMaxValue);
  directory = fromHome(nativePath(value));
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
