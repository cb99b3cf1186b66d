#pragma once
// The program's five paths and its options, read once from the ini file in a home folder. Made
// by each program's entry point (app/process_home.h) or a server's request, and passed by
// reference; nothing here depends on the process's working directory.
#include <string>

namespace wk {

class ConfigData {
 public:
  // Reads (or creates) `home`'s ini file and checks the three configured directories, reporting
  // problems through the message port; a directory that is empty or cannot be made is replaced
  // by its default after the message. Never fails. A relative directory in the ini is taken
  // from `home`, whose own paths keep the form given: the home "." (the window's: its working
  // directory) names its files "./lexicons/..." as it always has.
  explicit ConfigData(std::string home = ".");
  ConfigData(const ConfigData&) = delete;
  ConfigData& operator=(const ConfigData&) = delete;

  const std::string& resultsDirectory() const { return results_; }
  const std::string& dictionaryDirectory() const { return dictionaries_; }
  const std::string& tempDirectory() const { return temp_; }
  const std::string& iniPath() const { return ini_; }
  const std::string& helpPath() const { return help_; }
  const std::string& home() const { return home_; }
  // `name` in the home's own folder: the bare name in the home "." (as the window names it).
  std::string inHomeFolder(const std::string& name) const;

  // A bare file name completed with the dictionary (temporary) directory; a name that holds a
  // separator is returned unchanged.
  std::string dictionaryPath(const std::string& name) const;
  std::string tempPath(const std::string& name) const;

  // [OPTIONS] LONG_WORDS=1 (or on, yes, true): the home takes words of up to twenty letters
  // instead of nine. Read with the rest, so a program that runs keeps the rules it started
  // with; any other value, or none, is off.
  bool longWords() const { return longWords_; }
  // False when LONG_WORDS holds a value that says neither on nor off (taken as off).
  bool longWordsUnderstood() const { return longWordsUnderstood_; }
  // The longest word this home takes: 9, or 20 with long words on.
  int longestWord() const;
  // Writes the option into the ini file, for the programs started after; false when it could
  // not be written.
  bool setLongWords(bool on) const;

  // The "do not show the slow-build reminder again" flag of the Make Dictionary dialog.
  bool reminderSilenced() const;
  void setReminderSilenced(bool silenced) const;

 private:
  void readDirectory(const char* key, std::string& directory, const char* name);
  // `name` in the home, and a path read from the ini taken from the home when relative.
  std::string inHome(const char* name) const;
  std::string fromHome(const std::string& path) const;
  void readLongWords();

  std::string home_, results_, dictionaries_, temp_, ini_, help_;
  bool longWords_ = false;
  bool longWordsUnderstood_ = true;
};

}  // namespace wk
