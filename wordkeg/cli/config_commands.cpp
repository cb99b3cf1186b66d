#include "config_commands.h"

#include <cstdio>

#include "dict_commands.h"
#include "engine/base/message_port.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dict_format.h"
#include "engine/dict/dictionary_names.h"
#include "std_output.h"

namespace wk::cli {
namespace {

int printLongWords(bool on) {
  const std::string line = std::string("long-words: ") + (on ? "on" : "off") +
                           " (words of 1 to " + std::to_string(dict::longestWord(on)) +
                           " letters)";
  return printLine(line) ? exit_code::kDone : exit_code::kNothing;
}

}  // namespace

int showLongWords(const DictionaryNames& catalogue) {
  return printLongWords(catalogue.config().longWords());
}

int setLongWords(const DictionaryNames& catalogue, bool on) {
  const ConfigData& config = catalogue.config();
  if (!config.setLongWords(on)) {
    showMessage(str(kUnableToWriteFile) + config.iniPath(), str(kErrorCaption),
                mb::kIconStop | mb::kOk);
    return exit_code::kRefused;
  }
  // The option rules what is made and searched from now on; dictionaries keep what they hold.
  if (on && !config.longWords() && catalogue.count() > 0)
    std::fputs("Dictionaries made before keep their words of up to 9 letters; make them again "
               "from their word lists to take longer ones.\n",
               stderr);
  return printLongWords(on);
}

}  // namespace wk::cli
