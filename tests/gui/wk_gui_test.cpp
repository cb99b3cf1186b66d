// Drives wordkeg32.exe under Wine: prepares a home with small dictionaries, starts the program
// in it, types into its fields, runs searches, answers its questions, uses the file dialogs and
// saves window pictures. Usage: wk_gui_test SCENARIO WORDKEG32 HOME SHOTS
// Exit status 0 when the scenario held; the reason of a failure goes to stderr.
//
// What another process cannot see under Wine, and where it is checked instead: menu item states
// (the enabling rules are unit-tested in the app layer; here their effect: a disabled command
// sent to the window does nothing) and beeps (unit-tested; here the refused character is absent).
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "engine/config/config_data.h"
#include "engine/dict/compress_dictionary.h"
#include "engine/dict/dictionary_names.h"
#include "gui_driver.h"

namespace {

using namespace gui;

const char* kTitle = "Wordkeg for Windows 95";
std::string program, home;

// Polls `holds` for up to `ms`: windows of another process answer with a delay.
bool waitFor(const std::function<bool()>& holds, int ms = 5000) {
  for (int waited = 0; waited < ms; waited += 100, Sleep(100))
    if (holds()) return true;
  return false;
}

bool exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void writeFile(const std::string& path, const std::string& text) {
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
}

// Every five-letter word over a..p with no letter twice: enough for a long analysis and a
// search that runs until it is cancelled.
void writeBigDictionary(const std::string& path) {
  wk::CompressDictionary writer(path);
  char w[6] = {};
  for (int i = 0; i < 16 * 16 * 16 * 16 * 16; ++i) {
    int n = i, used = 0;
    bool twice = false;
    for (int k = 4; k >= 0; --k, n /= 16) {
      w[k] = static_cast<char>('a' + n % 16);
      twice = twice || (used & (1 << (n % 16)));
      used |= 1 << (n % 16);
    }
    if (!twice) writer.addWord(w);
  }
  writer.finish();
}

// A fresh home: the small dictionary selected, the big one (when asked) unselected.
void prepareHome(bool big) {
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
  for (const char* dir : {"\\lexicons", "\\files", "\\temp"})
    std::filesystem::create_directories(home + dir, ignored);
  SetCurrentDirectoryA(home.c_str());
  const std::string small = home + "\\lexicons\\small.lex";
  {
    wk::CompressDictionary writer(small);
    for (const char* w : {"a", "at", "act", "bat", "cat", "dog", "god", "hat", "tac", "coat"})
      writer.addWord(w);
    writer.finish();
  }
  if (big) writeBigDictionary(home + "\\lexicons\\big.lex");
  wk::DictionaryNames& catalogue = wk::DictionaryNames::instance();
  for (size_t i = 0; i < catalogue.count(); ++i) {
    wk::DictionaryName& entry = catalogue.entry(i);
    if (entry.fileName() == (big ? "big.lex" : "small.lex"))
      catalogue.setSelected(entry.path, true);
  }
  wk::DictionaryNames::shutdown();
}

struct App;

struct App {
  PROCESS_INFORMATION pi = {};
  HWND frame = nullptr, client = nullptr;

  explicit App(const std::string& exe = program) {
    pi = start("\"" + exe + "\"", home);
    frame = waitWindow("WkegTFrameWindow", nullptr);
    client = frame ? FindWindowExA(frame, nullptr, "#32770", nullptr) : nullptr;
  }
  HWND item(int id) const { return GetDlgItem(client, id); }
  HWND edit(int combo) const { return FindWindowExA(item(combo), nullptr, "Edit", nullptr); }
  void type(int combo, const std::string& text) {
    SetFocus(edit(combo));
    for (char c : text) PostMessageA(edit(combo), WM_CHAR, static_cast<unsigned char>(c), 0);
    Sleep(400);
  }
  void setField(int combo, const std::string& text) {
    SendMessageA(edit(combo), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(client, WM_COMMAND, MAKEWPARAM(combo, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(item(combo)));
  }
  void command(int id) { PostMessageA(client, WM_COMMAND, static_cast<WPARAM>(id), 0); }
  std::string status() const { return textOf(GetDlgItem(frame, 4999)); }
  std::string found() const { return textOf(GetDlgItem(frame, 5000)); }
  std::string checked() const { return textOf(GetDlgItem(frame, 5001)); }
  // Starts a search and waits for its end.
  bool search(const std::string& find, const std::string& from = "") {
    // Clear All first blanks the status line, so an earlier search's end is not taken for this.
    command(24331);
    Sleep(200);
    setField(105, find);
    setField(106, from);
    command(150);
    for (int waited = 0; waited < 20000; waited += 100, Sleep(100))
      if (status() == "Searching Completed" && IsWindowEnabled(item(114))) {
        Sleep(300);
        return true;
      }
    return false;
  }
  // Answers the one box titled `caption` with `button`; its text, or "" when none came.
  std::string answer(const std::string& caption, int button, int ms = 8000) {
    auto boxes = waitDialogs(pi.dwProcessId, caption, 1, ms);
    if (boxes.empty()) return "";
    const std::string text = boxText(boxes[0]);
    PostMessageA(boxes[0], WM_COMMAND, static_cast<WPARAM>(button), 0);
    Sleep(300);
    return text;
  }
  bool exit() {
    command(IDCANCEL);
    return waitExit(pi) == 0;
  }
};

int findFilesCount(const std::string& pattern) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return n;
}

// Types `path` into the common file dialog titled `title` and presses its OK button.
bool fileDialog(const App& app, const std::string& title, const std::string& path) {
  auto boxes = waitDialogs(app.pi.dwProcessId, title);
  if (boxes.empty()) return false;
  for (int id : {0x47c, 0x480}) {
    if (HWND name = GetDlgItem(boxes[0], id))
      SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  }
  Sleep(200);
  PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
  for (int waited = 0; waited < 5000 && IsWindow(boxes[0]); waited += 100) Sleep(100);
  Sleep(500);
  return true;
}

void saveAs(App& app, const std::string& path, int) {
  app.command(24334);
  expect(fileDialog(app, "Save Wordkeg Results", path), "the Save As dialog opens");
}

void openFile(App& app, const std::string& path) {
  app.command(24332);
  expect(fileDialog(app, "Open", path), "the View dialog opens");
}

void missingList() {
  prepareHome(false);
  const std::string lonely = home + "\\wordkeg32.exe";
  CopyFileA(program.c_str(), lonely.c_str(), FALSE);
  PROCESS_INFORMATION pi = start("\"" + lonely + "\"", home);
  auto boxes = waitDialogs(pi.dwProcessId, "File Error.");
  expect(boxes.size() == 1, "a missing vlist32.dll is reported");
  if (!boxes.empty()) {
    expect(boxText(boxes[0]) ==
               "Unable to Load vlist32.dll. Please reinstall the application",
           "the missing-library message");
    PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
  }
  expect(waitExit(pi) != STILL_ACTIVE, "the program ends after the message");
  expect(!FindWindowA("WkegTFrameWindow", nullptr), "no main window was shown");
}

void typing() {
  prepareHome(false);
  App app;
  expect(app.frame && app.client, "the main window opens");
  expect(textOf(app.frame) == kTitle, "the frame's title");
  expect(app.found() == "Found: 0" && app.checked() == "Checked: 0", "the gadgets at start");
  app.setField(105, "");
  app.type(105, "c/t 3!");
  expect(textOf(app.item(105)) == "c?t 3!", "FIND takes letters, digits, blank, ! and / as ?");
  expect(!IsWindowEnabled(app.item(107)) && !IsWindowEnabled(app.item(108)),
         "a multi-word FIND disables Include and Exclude");
  expect(IsWindowEnabled(app.item(112)), "a multi-word FIND enables Suppress Permutations");
  app.type(106, "ab1?c");
  expect(textOf(app.item(106)) == "abc", "FROM drops digits and wildcards");
  app.setField(105, "cat");
  expect(IsWindowEnabled(app.item(107)) && !IsWindowEnabled(app.item(112)),
         "a single word enables Include and disables Suppress Permutations");
  app.type(107, "ab");
  app.type(108, "b");
  expect(app.answer("Input Error", IDOK).rfind("You cannot Include and Exclude", 0) == 0,
         "Include ab with Exclude b is refused as soon as the b is typed");
  std::string long41(45, 'a');
  app.setField(105, "");
  app.type(105, long41);
  expect(textOf(app.item(105)).size() == 40, "FIND holds at most 40 characters");
  shoot(app.frame, "wordkeg-fields");
  app.command(24331);
  Sleep(300);
  expect(textOf(app.item(105)) == "*" && textOf(app.item(106)).empty(), "Clear All");
  expect(app.exit(), "Exit ends the program");
}

void singleWord() {
  prepareHome(false);
  writeFile(home + "\\temp\\$$stale.$$$", "x");
  App app;
  expect(!exists(home + "\\temp\\$$stale.$$$"), "stale temporary files go at start");
  expect(app.search("?at"), "a single-word search ends");
  expect(app.found() == "3", "three words match ?at");
  expect(textOf(app.item(114)).find("bat") == 0, "the list shows the results, first row selected");
  expect(IsWindowEnabled(app.item(105)), "the fields are enabled again");
  shoot(app.frame, "wordkeg-results");
  expect(app.search("zz?"), "a search without matches ends");
  expect(app.found() == "0", "no match found");
  expect(app.exit(), "Exit ends the program");
  expect(findFilesCount(home + "\\temp\\*") == 0, "Exit leaves no temporary file");
}

void results() {
  prepareHome(false);
  App app;
  expect(app.search("?at"), "the search ends");
  saveAs(app, home + "\\files\\cats", 1);
  expect(exists(home + "\\files\\cats.wkg") && exists(home + "\\files\\cats.pdx"),
         "Save As a bare name with the first filter saves the pair");
  saveAs(app, home + "\\files\\cats.txt", 1);
  expect(exists(home + "\\files\\cats.txt"), "Save As .txt writes the report");
  app.command(24331);
  Sleep(300);
  openFile(app, home + "\\files\\cats.wkg");
  expect(textOf(app.item(105)) == "?at", "View restores FIND");
  expect(app.found() == "3", "View shows the found count");
  expect(textOf(app.item(114)).find("bat") == 0, "View fills the list");
  app.command(24333);
  Sleep(500);
  expect(!exists(home + "\\files\\cats.wkg") && !exists(home + "\\files\\cats.pdx"),
         "Delete Results deletes the viewed pair");
  expect(textOf(app.item(105)) == "*", "Delete Results clears the window");
  expect(app.exit(), "Exit ends the program");
}

// A search over the big dictionary: the analysis dialog, then a search that runs until it is
// cancelled; the title while minimised; closing the frame asks first.
void longSearch() {
  prepareHome(true);
  App app;
  app.setField(105, "* * *");
  app.setField(106, "abcdefghijklmnop");
  app.command(150);
  auto analysis = waitDialogs(app.pi.dwProcessId, "Analysing Dictionaries", 1, 15000);
  expect(analysis.size() == 1, "a multi-word search shows the analysis dialog");
  if (!analysis.empty()) shoot(analysis[0], "wordkeg-analysis");
  for (int waited = 0; waited < 60000 && !dialogs(app.pi.dwProcessId, "Analysing Dictionaries").empty();
       waited += 200)
    Sleep(200);
  Sleep(500);
  expect(waitFor([&] { return app.status() == "Searching"; }), "the search runs after the analysis");
  expect(!IsWindowEnabled(app.item(105)), "the fields are disabled while searching");
  app.command(150);
  Sleep(200);
  expect(app.status() == "Searching", "a second Start changes nothing");
  ShowWindow(app.frame, SW_MINIMIZE);
  Sleep(600);
  expect(textOf(app.frame).rfind("Found: ", 0) == 0, "the minimised title shows the found count");
  ShowWindow(app.frame, SW_RESTORE);
  Sleep(600);
  expect(textOf(app.frame) == kTitle, "the title comes back");
  PostMessageA(app.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
  const std::string before = app.checked();
  expect(app.answer("Confirm", IDNO) == "Are you sure you want to cancel this search?",
         "closing the frame during a search asks to cancel");
  expect(waitFor([&] { return app.checked() != before; }), "No: the counts keep rising");
  expect(IsWindow(app.frame) && app.status() == "Searching", "No: the search goes on");
  app.command(IDCANCEL);
  expect(!app.answer("Confirm", IDYES).empty(), "Cancel asks again");
  for (int waited = 0; waited < 10000 && app.status() != "Searching Completed"; waited += 100)
    Sleep(100);
  expect(app.status() == "Searching Completed", "Yes: the search ends");
  expect(app.exit(), "Exit ends the program");
}

// A second copy: no clean-up at its start, and the commands that change files do nothing.
void secondCopy() {
  prepareHome(false);
  App first;
  writeFile(home + "\\temp\\$$other.$$$", "x");
  App second;
  expect(second.frame != first.frame && second.frame, "a second copy starts");
  expect(exists(home + "\\temp\\$$other.$$$"), "a second copy leaves temporary files alone");
  expect(second.search("?at"), "the second copy searches");
  second.command(24333);
  Sleep(500);
  expect(second.found() == "3", "Delete Results is disabled while two copies run");
  expect(second.exit(), "the second copy ends");
  first.command(24333);
  Sleep(300);
  expect(first.exit(), "the first copy ends");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: wk_gui_test SCENARIO WORDKEG32 HOME SHOTS\n");
    return 2;
  }
  program = argv[2];
  home = argv[3];
  for (char& c : home)
    if (c == '/') c = '\\';
  shots = argv[4];
  scenario = argv[1];
  CreateDirectoryA(shots.c_str(), nullptr);
  const std::map<std::string, std::function<void()>> scenarios = {
      {"missing-list", missingList}, {"typing", typing},       {"single-word", singleWord},
      {"results", results},          {"long-search", longSearch}, {"second-copy", secondCopy}};
  const auto found = scenarios.find(argv[1]);
  if (found == scenarios.end()) return 2;
  found->second();
  std::printf("%s: %s\n", argv[1], failures ? "failed" : "passed");
  return failures ? 1 : 0;
}
