// "wordkeg dict add" and "wordkeg dict remove": the Modify Dictionary dialog's logic on a
// terminal.
#include "cli_host.h"
#include "config_commands.h"
#include "dict_commands.h"
#include "dictionary_names_cli.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "app/search_checks.h"
#include "engine/compile/word_shape.h"
#include "engine/config/config_data.h"
#include "engine/dict/dict_format.h"
#include "engine/dict/dictionary_names.h"

namespace wk::cli {
namespace {

int modify(DictionaryNames& catalogue, const std::string& word, const std::string& dictionary,
           UpdateMode mode) {
  if (!soleCopyOrRefuse(catalogue)) return exit_code::kRefused;
  // The window only beeps at a trailing hyphen, the user still typing; here the word is whole.
  if (!word.empty() && word.back() == '-') {
    beep();
    showMessage(word + str(kNotValidWord), str(kIncompleteCaption), mb::kOk);
    return exit_code::kRefused;
  }
  // A word of a shape the home would take with more letters: the window's refusal, then the
  // limit it ran into (the window's field shows the limit as the user types).
  const int longest = catalogue.config().longestWord();
  if (!isWordShape(word, longest) && isWordShape(word, dict::kMaxLength + 1)) {
    beep();
    showMessage(word + str(kNotValidWord) + " " + app::longestWordNote(longest, kTurnLongWordsOn),
                str(kIncompleteCaption), mb::kOk);
    return exit_code::kRefused;
  }
  // The combo's list is the catalogue; a known name is passed as the catalogue spells it.
  const std::vector<std::string> listed = catalogue.fileNames();
  const std::string known =
      dictionary.empty() ? std::string() : findDictionary(catalogue, dictionary);
  CliHost host;
  return exitStatus(app::modifyDictionary(host, catalogue, mode, word,
                                          known.empty() ? dictionary : fileNameOf(known), listed));
}

}  // namespace

int addWord(DictionaryNames& catalogue, const std::string& word, const std::string& dictionary) {
  return modify(catalogue, word, dictionary, UpdateMode::kAdd);
}

int removeWord(DictionaryNames& catalogue, const std::string& word,
               const std::string& dictionary) {
  return modify(catalogue, word, dictionary, UpdateMode::kRemove);
}

}  // namespace wk::cli
