#include "config_commands.h"

#include <cstdio>
#include <filesystem>

#include "dict_commands.h"
#include "engine/base/message_port.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dict_format.h"
#include "engine/dict/dictionary_names.h"
#include "std_output.h"

namespace wk::cli {
namespace {

std::string absolutePath(const std::string& path) {
  std::error_code ec;
  const auto full = std::filesystem::absolute(path, ec).lexically_normal();
  return ec ? path : full.string();
}

int printLongWords(bool on) {
  const std::string line = std::string("long-words: ") + (on ? "on" : "off") +
                           " (words of 1 to " + std::to_string(dict::longestWord(on)) +
                           " letters)";
  return printLine(line) ? exit_code::kDone : exit_code::kNothing;
}

}  // namespace

int showLongWords(const DictionaryNames& catalogue) {
  const ConfigData& config = catalogue.config();
  if (!config.longWordsUnderstood())
    std::fprintf(stderr, "LONG_WORDS in %s is neither 1 nor 0: taken as off.\n",
                 absolutePath(config.iniPath()).c_str());
  return printLongWords(config.longWords());
}

int setLongWords(const DictionaryNames& catalogue, bool on) {
  const ConfigData& config = catalogue.config();
  // Nothing to change, nothing to write (an ini that cannot be written is no failure then).
  const bool unchanged = config.longWords() == on && config.longWordsUnderstood();
  if (!unchanged && !config.setLongWords(on)) {
    showMessage(str(kUnableToWriteFile) + absolutePath(config.iniPath()), str(kErrorCaption),
                mb::kIconStop | mb::kOk);
    return exit_code::kRefused;
  }
  // The option rules what is made and searched from now on; dictionaries keep what they hold.
  if (on && !config.longWords() && catalogue.count() > 0)
    std::fputs("Dictionaries made while long words were off hold words of up to 9 letters; make "
               "them again from their word lists to take longer ones.\n",
               stderr);
  return printLongWords(on);
}

}  // namespace wk::cli
