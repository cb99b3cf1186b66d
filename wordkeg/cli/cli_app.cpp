#include "cli_app.h"

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

#include "app/process_home.h"
#include "config_commands.h"
#include "dict_commands.h"
#include "engine/base/message_port.h"
#include "engine/base/string_table.h"
#include "engine/base/wordkeg_exception.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/instance_marker.h"
#include "progress_runner.h"
#include "search_commands.h"
#include "serve_command.h"
#include "std_output.h"
#include "terminal_port.h"

namespace fs = std::filesystem;

namespace wk::cli {
namespace {

constexpr const char* kSearchExamples = R"(
Quote patterns: the shell would expand * and ? into file names.
Words have 1 to 9 letters A-Z (up to 20 in a home with "wordkeg config long-words on") and at
most one inner hyphen. FROM letters are used up (an upper-case one may repeat in a single-word
search without --use-all, which is on by default);
in a multi-word search the letters left for each word must hold a vowel (a e i o u y).
Examples:
  wordkeg search 'c?t'                      a crossword pattern: Cat, cat, Cdt, cit, cot ...
  wordkeg search '*' --from listen          anagrams: elints, enlist, inlets, listen, silent ...
  wordkeg search '*' --from rtsaec --no-use-all
                                            words from these letters, of any length
  wordkeg search '* *' --from clinteastwood --suppress-permutations
                                            two-word anagrams: ates Clintwood, Celt satinwood ...
  wordkeg search '*ing' --include q --limit 5
                                            the first five -ing words with a q
)";

struct Options {
  std::string home;
  bool yes = false;
  bool force = false;
  bool all = false;
  bool unique = false;
  bool deleteSources = false;
  std::vector<std::string> names;
  std::string word, name, wordList, target, out, state;
  SearchOptions search;
  bool noUseAll = false;
  std::function<int(DictionaryNames&)> command;
  bool readsOnly = false;  // the command changes nothing in the home
  bool makes = false;      // dict make: a home without dictionaries is what it expects
  bool serve = false;
  int port = 8080;
  std::string listen = "127.0.0.1";
  std::vector<std::string> allowedHosts;
};

// The callback of a command that only reads the home: it may run where the home cannot be
// written.
std::function<void()> reading(Options& o, std::function<int(DictionaryNames&)> command) {
  return [&o, command] {
    o.readsOnly = true;
    o.command = command;
  };
}

void addDictCommands(CLI::App& dict, Options& o) {
  dict.require_subcommand(1);
  dict.add_subcommand("list", "one line per dictionary: mark, file name, word count")
      ->callback(reading(o, [](DictionaryNames& c) { return listDictionaries(c); }));
  auto* details = dict.add_subcommand("details", "created, modified (if any), total words");
  details->add_option("NAME", o.name)->required();
  details->callback(reading(o, [&](DictionaryNames& c) { return showDetails(c, o.name); }));
  for (const bool selected : {true, false}) {
    auto* sub = dict.add_subcommand(selected ? "select" : "deselect",
                                    selected ? "set the selected flag" : "clear the selected flag");
    sub->add_option("NAME", o.names);
    sub->add_flag("--all", o.all, "every dictionary");
    sub->callback([&o, selected] {
      if (o.names.empty() && !o.all) throw CLI::ValidationError("NAME", "give NAME... or --all");
      o.command = [&o, selected](DictionaryNames& c) {
        return selectDictionaries(c, o.names, o.all, selected);
      };
    });
  }
  auto* make = dict.add_subcommand("make", "compile a word list (one word per line)");
  make->add_option("WORDLIST", o.wordList, "a file, a pipe, or - for standard input")->required();
  make->add_option("NAME", o.name)->required();
  make->add_flag("--unique", o.unique, "keep only words no other dictionary holds");
  make->add_flag("--force", o.force, "overwrite an existing dictionary");
  make->callback([&] {
    o.makes = true;
    o.command = [&](DictionaryNames& c) { return makeDictionary(c, o.wordList, o.name, o.unique); };
  });
  auto* merge = dict.add_subcommand("merge", "merge dictionaries into a new one");
  merge->add_option("NEW", o.target)->required();
  merge->add_option("NAME", o.names)->required();
  merge->add_flag("--delete-sources", o.deleteSources, "delete the merged dictionaries afterwards");
  merge->add_flag("--force", o.force, "overwrite an existing dictionary");
  merge->callback([&] {
    o.command = [&](DictionaryNames& c) {
      return mergeDictionaries(c, o.target, o.names, o.deleteSources);
    };
  });
  for (const bool adding : {true, false}) {
    auto* sub =
        dict.add_subcommand(adding ? "add" : "remove", adding ? "add a word" : "remove a word");
    sub->add_option("WORD", o.word)->required();
    sub->add_option("DICT", o.name)->required();
    if (adding) sub->add_flag("--yes", o.yes, "answer the program's questions with Yes");
    sub->callback([&o, adding] {
      o.command = [&o, adding](DictionaryNames& c) {
        return adding ? addWord(c, o.word, o.name) : removeWord(c, o.word, o.name);
      };
    });
  }
  auto* find = dict.add_subcommand("find", "the dictionaries holding WORD (exact)");
  find->add_option("WORD", o.word)->required();
  find->callback(reading(o, [&](DictionaryNames& c) { return findWord(c, o.word); }));
  auto* del = dict.add_subcommand("delete", "delete dictionaries (kept as .lxb backups)");
  del->add_option("NAME", o.names)->required();
  del->add_flag("--yes", o.yes, "answer the confirmation with Yes");
  del->callback(
      [&] { o.command = [&](DictionaryNames& c) { return deleteDictionaries(c, o.names); }; });
  auto* words = dict.add_subcommand("words", "every word as written, one per line, stored order");
  words->add_option("NAME", o.name)->required();
  words->callback(reading(o, [&](DictionaryNames& c) { return listWords(c, o.name); }));
}

void addConfigCommands(CLI::App& config, Options& o) {
  config.require_subcommand(1);
  auto* longWords = config.add_subcommand(
      "long-words", "show, or set with on/off, whether words may have 10 to 20 letters");
  longWords->add_option("STATE", o.state, "on: words of 1 to 20 letters; off: 1 to 9")
      ->check(CLI::IsMember({"on", "off"}));
  longWords->callback([&o] {
    if (o.state.empty()) {
      o.readsOnly = true;
      o.command = [](DictionaryNames& c) { return showLongWords(c); };
      return;
    }
    o.command = [&o](DictionaryNames& c) { return setLongWords(c, o.state == "on"); };
  });
}

// A check of a count: digits only, from `low` to `high`, said in words when it fails.
CLI::Validator wholeNumber(int low, int high) {
  const std::string rule = "must be a whole number from " + std::to_string(low) + " to " +
                           std::to_string(high);
  return CLI::Validator(
      [low, high, rule](std::string& text) -> std::string {
        if (text.empty() || text.size() > 10 ||
            text.find_first_not_of("0123456789") != std::string::npos)
          return rule;
        const long long value = std::stoll(text);
        return value < low || value > high ? rule : std::string();
      },
      "");
}

// A count of letters: digits only, at least 1; the home's longest word is checked once the home
// is known (search_commands.cpp).
CLI::Validator letterCount(int lowest = 1) {
  const std::string rule = "must be a whole number from " + std::to_string(lowest) +
                           " to the home's longest word (9, or 20 with long words on)";
  return CLI::Validator(
      [rule, lowest](std::string& text) -> std::string {
        const bool digits =
            !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == text.npos;
        return digits && std::stoi(text) >= lowest ? std::string() : rule;
      },
      "");
}

void addSearchCommands(CLI::App& app, Options& o) {
  auto* search = app.add_subcommand("search", "find words or word sequences (results on stdout)");
  search
      ->add_option("FIND", o.search.job.fields.find,
                   "pattern: letters, ? one letter, * any letters, digits, blanks, !")
      ->required();
  search->add_option("--from", o.search.job.fields.from, "the letters the answer is made from");
  search->add_option("--include", o.search.job.fields.include, "letters every result must contain");
  search->add_option("--exclude", o.search.job.fields.exclude, "letters no result may contain");
  search->add_flag("--use-all", o.search.job.fields.useAll, "use every FROM letter (the default)");
  search->add_flag("--no-use-all", o.noUseAll, "do not require every FROM letter");
  search->add_flag("--suppress-permutations", o.search.job.fields.suppressPermutations,
                   "one order of each word set");
  search->add_option("--dict", o.search.job.dictionaries,
                     "search only this dictionary (repeatable)");
  search->add_option("--save", o.search.save,
                     "save as FILE.wkg (results pair) or any other extension (report)");
  search->add_flag("--force", o.force, "replace an existing --save file without asking");
  search->footer(kSearchExamples);
  search->add_option("--limit", o.search.job.limit, "stop after N results")
      ->type_name("N")
      ->check(wholeNumber(1, std::numeric_limits<int>::max()));
  search->add_option("--min-length", o.search.job.minLength, "every word at least N letters long")
      ->type_name("N")
      ->check(letterCount());
  search->add_option("--max-length", o.search.job.maxLength, "every word at most N letters long")
      ->type_name("N")
      ->check(letterCount());
  search->add_flag("--distinct", o.search.job.distinct,
                   "each result once, whatever its case or dictionary");
  search
      ->add_option("--blanks", o.search.job.blanks,
                   "N blank tiles beside the FROM letters, each standing for any letter")
      ->type_name("N")
      ->check(letterCount(0));
  search->add_flag("--longest-first", o.search.job.longestFirst,
                   "single-word results longest first, once all are found");
  search->add_flag("--rank", o.search.job.rank,
                   "results with the most common words first (SCOWL's word lists), once all are "
                   "found; with --limit N the best N");
  search->add_flag("--progress-lines", o.search.progressLines,
                   "the running counts as lines on stderr, for programs that read them");
  search->callback([&] {
    if (o.search.job.maxLength > 0 && o.search.job.maxLength < o.search.job.minLength)
      throw CLI::ValidationError("--max-length", "is less than --min-length");
    if (o.search.job.blanks > 0 && o.search.job.fields.from.empty())
      throw CLI::ValidationError("--blanks", "needs the FROM letters (--from) they go with");
    if (o.noUseAll) o.search.job.fields.useAll = false;
    // Names and phrases are typed with their blanks ("Clint Eastwood"): the letters are the same.
    std::erase(o.search.job.fields.from, ' ');
    o.command = [&](DictionaryNames& c) { return runSearch(c, o.search); };
  });
  auto* results = app.add_subcommand("results", "saved results");
  results->require_subcommand(1);
  auto* show =
      results->add_subcommand("show", "the search definition, the counts, then every result");
  show->add_option("FILE", o.name)->required();
  show->callback(reading(o, [&](DictionaryNames& c) { return showResults(c, o.name); }));
  auto* exportCmd = results->add_subcommand("export", "write the plain-text report");
  exportCmd->add_option("FILE", o.name)->required();
  exportCmd->add_option("OUT", o.out)->required();
  exportCmd->add_flag("--force", o.force, "replace an existing OUT without asking");
  exportCmd->callback(
      [&] { o.command = [&](DictionaryNames& c) { return exportResults(c, o.name, o.out); }; });
  auto* del = results->add_subcommand("delete", "delete a saved results pair");
  del->add_option("FILE", o.name)->required();
  del->add_flag("--yes", o.yes, "answer the confirmation with Yes");
  del->callback([&] { o.command = [&](DictionaryNames& c) { return deleteResults(c, o.name); }; });
}

void addServeCommand(CLI::App& app, Options& o) {
  auto* serve = app.add_subcommand("serve", "the search as a web page (and a JSON API) on this home");
  serve->add_option("--port", o.port, "the port to listen on (0: any free one)")
      ->type_name("N")
      ->check(CLI::Range(0, 65535));
  serve->add_option("--allow-host", o.allowedHosts,
                    "a host name the server also answers to, beside this machine's own (repeatable)")
      ->type_name("NAME");
  serve->add_option("--listen", o.listen, "the address to listen on (others than 127.0.0.1 only when asked)")
      ->type_name("ADDR");
  serve->callback([&o] { o.serve = true; });
}

std::string homeDirectory(const Options& o) {
  if (!o.home.empty()) return o.home;
  if (const char* env = std::getenv("WORDKEG_HOME"); env && *env) return env;
  return ".";
}

// Passes every message on to the port it replaced but the warning that the home holds no
// dictionaries, which would only alarm the make that is to give it its first.
class QuietEmptyHome : public MessagePort {
 public:
  QuietEmptyHome() : next_(installMessagePort(this)) {}
  ~QuietEmptyHome() override { installMessagePort(next_); }
  int show(const std::string& text, const std::string& caption, unsigned style) override {
    if (text == str(kNoDictionaries) || !next_) return mb::kIdOk;
    return next_->show(text, caption, style);
  }
  void beep() override {
    if (next_) next_->beep();
  }

 private:
  MessagePort* next_;
};

// Runs `o.command` on the home `home` (the process stays where it was started) with this copy's instance marker, as the Windows program does. A
// command that only reads goes on without one where the home cannot be written.
int runInHome(const std::string& home, const Options& o) {
  const auto& command = o.command;
  const bool readsOnly = o.readsOnly;
  std::error_code ec;
  fs::create_directories(home, ec);
  if (!fs::is_directory(home, ec)) {
    std::fprintf(stderr, "%s%s\n", loadString(kUnableToFindFile), home.c_str());
    return exit_code::kRefused;
  }
  app::useProcessHome(home);
  int status = exit_code::kRefused;
  try {
    DictionaryNames& catalogue = [&o]() -> DictionaryNames& {
      std::optional<QuietEmptyHome> quiet;
      if (o.makes) quiet.emplace();
      return app::processCatalogue();
    }();
    std::unique_ptr<InstanceMarker> marker;
    try {
      marker = std::make_unique<InstanceMarker>(catalogue);
    } catch (const WordkegException&) {
      if (!readsOnly) throw;
    }
    status = command(catalogue);
  } catch (const WordkegException& e) {
    // One box for one failure: some throwers have shown their text already.
    if (!e.shown())
      showMessage(e.text(), str(kExceptionCaption), mb::kIconStop | mb::kOk | mb::kTaskModal);
  }
  // A selection that could not be written back is a failed command, not a quiet success.
  if (!app::closeProcessCatalogue() && status == exit_code::kDone) status = exit_code::kRefused;
  return status;
}

// After a failed parse: the first word where a command was expected that names none, or empty.
std::string unknownCommand(CLI::App& app) {
  CLI::App* level = &app;
  for (auto subs = level->get_subcommands(); !subs.empty(); subs = level->get_subcommands())
    level = subs.front();
  if (level->get_subcommands({}).empty()) return {};  // a command without commands of its own
  const auto rest = level->remaining();
  return rest.empty() ? std::string() : rest.front();
}


}  // namespace

int runCli(int argc, char** argv) {
  Options o;
  CLI::App app{"wordkeg: crossword and anagram solver over compiled dictionaries", "wordkeg"};
  app.add_option(
      "--home", o.home,
      "the home folder (default $WORDKEG_HOME, else the current directory; the installed "
      "wordkeg's is ~/.local/share/wordkeg)");
  app.set_version_flag("--version", std::string("wordkeg ") + WK_VERSION);
  app.require_subcommand(1);
  addDictCommands(*app.add_subcommand("dict", "build and maintain dictionaries"), o);
  addSearchCommands(app, o);
  addConfigCommands(*app.add_subcommand("config", "the home's options"), o);
  addServeCommand(app, o);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (const std::string word = unknownCommand(app); !word.empty()) {
      std::fprintf(stderr, "%s: no such command; see --help\n", word.c_str());
      return exit_code::kRefused;
    }
    const int code = app.exit(e);
    return code == 0 ? 0 : exit_code::kRefused;
  }
  // Named in full, as the messages about them have always named them.
  for (std::string* path : {&o.wordList, &o.search.save, &o.out})
    if (!path->empty() && *path != "-") *path = fs::absolute(*path).string();
  if (!o.name.empty() && o.command && app.got_subcommand("results"))
    o.name = fs::absolute(o.name).string();
  if (o.serve) {
    fs::path home = fs::absolute(homeDirectory(o)).lexically_normal();
    if (!home.has_filename()) home = home.parent_path();  // "h/" names the folder h
    return runServer(home.string(), o.port, o.listen, o.allowedHosts);
  }
  TerminalPort port(o.yes || o.force);
  int status = 0;
  {
    ScopedMessagePort scoped(&port);
    installInterruptHandler();
    deferBrokenPipe();
    status = runInHome(homeDirectory(o), o);
  }
  flushOutput();  // a reader that left before the last lines ends the run as a broken pipe
  endIfOutputBroken();
  // A run cut short says so, with the status a shell gives a command its signal ended, so that
  // a script can tell what was found so far from a whole answer.
  if (interrupted()) {
    std::fprintf(stderr, "%s\n", loadString(kCancelledRun));
    status = 128 + interruptSignal();
  }
  return status;
}

}  // namespace wk::cli
