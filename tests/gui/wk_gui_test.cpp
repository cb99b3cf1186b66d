// Drives wordkeg32.exe under Wine: prepares a home with small dictionaries, starts the program
// in it, types into its fields, runs searches, answers its questions, uses the file dialogs and
// saves window pictures. Usage: wk_gui_test SCENARIO WORDKEG32 HOME SHOTS
// Exit status 0 when the scenario held; the reason of a failure goes to stderr.
//
// What another process cannot see under Wine, and where it is checked instead: menu item states
// (the enabling rules are unit-tested in the app layer; here their effect: a disabled command
// sent to the window does nothing) and beeps (unit-tested; here the refused character is absent).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/process_home.h"
#include "engine/config/config_data.h"
#include "engine/dict/compress_dictionary.h"
#include "engine/dict/dict_format.h"
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

// Paths here are UTF-8, so that folders outside the code page can be named.
bool exists(const std::string& path) {
  return GetFileAttributesW(utf16(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string readFile(const std::string& path) {
  std::string text;
  if (std::FILE* f = _wfopen(utf16(path).c_str(), L"rb")) {
    char block[4096];
    while (size_t got = std::fread(block, 1, sizeof block, f)) text.append(block, got);
    std::fclose(f);
  }
  return text;
}

void writeFile(const std::string& path, const std::string& text) {
  if (std::FILE* f = _wfopen(utf16(path).c_str(), L"wb")) {
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

void writeDictionary(const std::string& path, const std::vector<std::string>& words) {
  wk::CompressDictionary writer(path);
  for (const std::string& w : words) writer.addWord(w);
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
  wk::DictionaryNames& catalogue = wk::app::processCatalogue();
  for (size_t i = 0; i < catalogue.count(); ++i) {
    wk::DictionaryName& entry = catalogue.entry(i);
    if (entry.fileName() == (big ? "big.lex" : "small.lex"))
      catalogue.setSelected(entry.path, true);
  }
  wk::app::closeProcessCatalogue();
}

// The main frame of process `pid`, or null.
HWND frameOf(DWORD pid) {
  return topWindowOf("WkegTFrameWindow", pid, false);
}

struct App {
  PROCESS_INFORMATION pi = {};
  HWND frame = nullptr, client = nullptr;

  explicit App(const std::string& exe = program) {
    pi = start("\"" + exe + "\"", home);
    // The frame exists, hidden, before its client dialog: wait for both, shown.
    waitFor(
        [this] {
          frame = frameOf(pi.dwProcessId);
          client = frame ? FindWindowExA(frame, nullptr, "#32770", nullptr) : nullptr;
          return client && IsWindowVisible(frame);
        },
        10000);
  }
  // A program the scenario left running (it stopped early) must not outlive the driver.
  ~App() {
    if (waitExit(pi, 0) == STILL_ACTIVE) TerminateProcess(pi.hProcess, 3);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  HWND item(int id) const { return GetDlgItem(client, id); }
  HWND edit(int combo) const { return FindWindowExA(item(combo), nullptr, "Edit", nullptr); }
  // Gives `window` of the program the keyboard, as a click would (SetFocus alone works only
  // for a window of the calling thread).
  void focus(HWND window) {
    AttachThreadInput(GetCurrentThreadId(), pi.dwThreadId, TRUE);
    SetFocus(window);
    AttachThreadInput(GetCurrentThreadId(), pi.dwThreadId, FALSE);
  }
  void type(int combo, const std::string& text) {
    focus(edit(combo));
    for (char c : text) PostMessageA(edit(combo), WM_CHAR, static_cast<unsigned char>(c), 0);
    Sleep(400);
  }
  void setField(int combo, const std::string& text) {
    SendMessageA(edit(combo), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(client, WM_COMMAND, MAKEWPARAM(combo, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(item(combo)));
  }
  void command(int id) { PostMessageA(client, WM_COMMAND, static_cast<WPARAM>(id), 0); }
  // Clear All, waited for: FIND is first set to something else, so its "*" proves it ran.
  void clearAll() {
    setField(105, "x");
    command(24331);
    waitFor([&] { return textOf(item(105)) == "*"; });
  }
  std::string status() const { return textOf(GetDlgItem(frame, 4999)); }
  std::string found() const { return textOf(GetDlgItem(frame, 5000)); }
  std::string checked() const { return textOf(GetDlgItem(frame, 5001)); }
  // Starts a search and waits for its end.
  bool search(const std::string& find, const std::string& from = "") {
    startSearch(find, from);
    return searchEnds();
  }
  void startSearch(const std::string& find, const std::string& from = "") {
    // Clear All first blanks the status line, so an earlier search's end is not taken for this.
    clearAll();
    setField(105, find);
    setField(106, from);
    command(150);
  }
  bool searchEnds() {
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
    // Gone before the next question is looked for, or that would find this box again.
    waitFor([&] { return !IsWindowVisible(boxes[0]); }, 3000);
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

// The popup menu shown by process `pid`, or null.
HWND popupOf(DWORD pid) {
  return topWindowOf("#32768", pid, true);
}

// Opens the popup of `window` (a WM_CONTEXTMENU for `target` at `lParam`); the menu, or null.
HWND openPopup(const App& app, HWND window, HWND target, LPARAM lParam) {
  PostMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target), lParam);
  HWND menu = nullptr;
  waitFor([&] { return (menu = popupOf(app.pi.dwProcessId)) != nullptr; }, 3000);
  return menu;
}

// Walks `menu` down with the arrow key until the status bar shows `hint`, then takes that item.
// False (the menu left open) when no item showed it.
bool choose(App& app, HWND menu, const std::string& hint) {
  bool hinted = false;
  for (int i = 0; i < 8 && menu && !hinted; ++i) {
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    hinted = waitFor([&] { return app.status() == hint; }, 400);
  }
  if (hinted) PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  return hinted;
}

bool startsAt(const RECT& r, POINT p) {
  return std::abs(r.left - p.x) <= 2 && std::abs(r.top - p.y) <= 2;
}

// Types `path` into the common file dialog titled `title` and presses its OK button.
bool fileDialog(const App& app, const std::string& title, const std::string& path) {
  auto boxes = waitDialogs(app.pi.dwProcessId, title);
  if (boxes.empty()) return false;
  for (int id : {0x47c, 0x480}) {
    if (HWND name = GetDlgItem(boxes[0], id))
      SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(utf16(path).c_str()));
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

RECT placeIn(HWND parent, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void missingList() {
  prepareHome(false);
  const std::string lonely = home + "\\wordkeg32.exe";
  CopyFileA(program.c_str(), lonely.c_str(), FALSE);
  PROCESS_INFORMATION pi = start("\"" + lonely + "\"", home);
  auto boxes = waitDialogs(pi.dwProcessId, "File Error.");
  expect(boxes.size() == 1, "a missing vlist32.dll is reported");
  if (!boxes.empty()) {
    expect(boxText(boxes[0]) == "Unable to Load vlist32.dll. Please reinstall the application",
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
  expect(waitFor([&] { return textOf(app.item(105)) == "c?t 3!"; }),
         "FIND takes letters, digits, blank, ! and / as ?: " + textOf(app.item(105)));
  expect(
      waitFor([&] { return !IsWindowEnabled(app.item(107)) && !IsWindowEnabled(app.item(108)); }),
      "a multi-word FIND disables Include and Exclude");
  expect(waitFor([&] { return IsWindowEnabled(app.item(112)) != 0; }),
         "a multi-word FIND enables Suppress Permutations");
  app.type(106, "ab1?c");
  expect(waitFor([&] { return textOf(app.item(106)) == "abc"; }),
         "FROM drops digits and wildcards");
  app.setField(105, "cat");
  expect(IsWindowEnabled(app.item(107)) && !IsWindowEnabled(app.item(112)),
         "a single word enables Include and disables Suppress Permutations");
  app.type(107, "ab");
  app.type(108, "b");
  expect(app.answer("Input Error", IDOK).rfind("You cannot Include and Exclude", 0) == 0,
         "Include ab with Exclude b is refused as soon as the b is typed");
  expect(waitFor([&] { return focusOf(app.pi.dwThreadId) == app.edit(108); }, 2000),
         "after the message the keyboard is back in Exclude: " +
             std::to_string(GetDlgCtrlID(focusOf(app.pi.dwThreadId))));
  app.clearAll();
  app.type(107, "ab");
  expect(app.answer("Input Error", IDOK, 1000).empty(),
         "after Clear All, Include is checked against the Exclude shown (none), not the old b");
  // A history pick is checked as it will stand, not as the edit held it before the pick.
  app.setField(105, "?at");
  app.setField(107, "cd");
  app.command(150);
  expect(waitFor([&] { return app.status() == "Searching Completed"; }), "a search with Include");
  app.clearAll();
  app.type(108, "c");
  // A pick from Include's history is checked. (Wine shows the picked entry in the edit before
  // the notice; Windows after it, which the window allows for by reading the pick itself.)
  SendMessageA(app.item(107), CB_SETCURSEL, 0, 0);
  PostMessageA(app.client, WM_COMMAND, MAKEWPARAM(107, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(app.item(107)));
  expect(app.answer("Input Error", IDOK).rfind("You cannot Include and Exclude", 0) == 0,
         "picking Include cd from its history with Exclude c is refused");
  // A paste goes through the typing rules as it arrives: "/" becomes "?", the rest is refused
  // as typing would refuse it; a character outside the code page is refused, not made "?".
  app.clearAll();
  setClipboard("Ab3-c$d/\xC3\xA9?* x.\xC3\x85Z");
  app.setField(105, "");
  SendMessageA(app.edit(105), WM_PASTE, 0, 0);
  expect(textOf(app.item(105)) == "Ab3cd??* xZ", "a paste into FIND: " + textOf(app.item(105)));
  SendMessageA(app.edit(106), WM_PASTE, 0, 0);
  expect(textOf(app.item(106)) == "AbcdxZ", "a paste into FROM: " + textOf(app.item(106)));
  app.focus(app.edit(105));
  PostMessageW(app.edit(105), WM_CHAR, 0x5B57, 0);
  PostMessageW(app.edit(105), WM_CHAR, 0xE9, 0);
  Sleep(400);
  expect(textOf(app.item(105)) == "Ab3cd??* xZ", "字 and é typed into FIND are refused");
  // A text set from outside never meets the key filter: Start holds it to the same rule.
  app.clearAll();
  app.setField(106, "ab1");
  app.command(150);
  expect(app.answer("Input Error", IDOK) == "'1' cannot be typed into this field: FROM",
         "Start refuses a pasted digit in FROM");
  std::string long41(45, 'a');
  app.setField(105, "");
  app.type(105, long41);
  expect(waitFor([&] { return textOf(app.item(105)).size() == 40; }),
         "FIND holds at most 40 characters");
  shoot(app.frame, "wordkeg-fields");
  app.setField(105, "ab!cd");
  PostMessageA(app.client, WM_COMMAND, MAKEWPARAM(106, CBN_SETFOCUS),
               reinterpret_cast<LPARAM>(app.item(106)));
  expect(app.answer("Invalid Pattern Warning", IDCANCEL).find("after the ! wildcard") !=
             std::string::npos,
         "leaving FIND runs its check at once");
  // The status line's blank is a space; a never-set one is empty: both show nothing.
  const auto shown = [&app] {
    const std::string text = app.status();
    return text.find_first_not_of(' ') == std::string::npos ? std::string() : text;
  };
  const std::string said = shown();
  SendMessageA(app.frame, WM_MENUSELECT, MAKEWPARAM(24331, MF_HILITE),
               reinterpret_cast<LPARAM>(GetMenu(app.frame)));
  expect(waitFor([&] { return app.status() == "Clear All Entries"; }), "a menu item's hint");
  SendMessageA(app.frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  expect(waitFor([&] { return shown() == said; }),
         "the hint goes when the menu closes, giving back what the status said: [" + said +
             "] [" + app.status() + "]");
  HWND menu = openPopup(app, app.client, app.client, MAKELPARAM(60, 60));
  RECT placed = {};
  if (menu) GetWindowRect(menu, &placed);
  expect(menu && startsAt(placed, {60, 60}),
         "the right button opens the popup menu at the pointer");
  PostMessageA(app.frame, WM_CANCELMODE, 0, 0);
  expect(waitFor([&] { return !popupOf(app.pi.dwProcessId); }), "the popup menu closes");
  // Shift+F10 in FIND: the menu opens at the field, not at the screen's corner.
  menu = openPopup(app, app.client, app.edit(105), -1);
  RECT field;
  GetWindowRect(app.edit(105), &field);
  if (menu) GetWindowRect(menu, &placed);
  expect(menu && startsAt(placed, {field.left, field.top}), "Shift+F10 opens the popup at FIND");
  PostMessageA(app.frame, WM_CANCELMODE, 0, 0);
  waitFor([&] { return !popupOf(app.pi.dwProcessId); });
  // Resizing keeps Start and Cancel at the bottom-right and the options at the bottom-left.
  const RECT start = placeIn(app.client, app.item(150)),
             options = placeIn(app.client, app.item(111)),
             list = placeIn(app.client, app.item(114));
  RECT before;
  GetClientRect(app.client, &before);
  RECT frame;
  GetWindowRect(app.frame, &frame);
  SetWindowPos(app.frame, nullptr, 0, 0, frame.right - frame.left + 120,
               frame.bottom - frame.top + 80, SWP_NOMOVE | SWP_NOZORDER);
  Sleep(500);
  RECT after;
  GetClientRect(app.client, &after);
  const RECT movedStart = placeIn(app.client, app.item(150));
  const RECT movedOptions = placeIn(app.client, app.item(111));
  expect(after.right - movedStart.left == before.right - start.left &&
             after.bottom - movedStart.top == before.bottom - start.top,
         "Start keeps its place at the bottom-right");
  expect(movedOptions.left == options.left &&
             after.bottom - movedOptions.top == before.bottom - options.top,
         "the options keep their place at the bottom-left");
  const RECT grown = placeIn(app.client, app.item(114));
  expect(after.right - grown.right == before.right - list.right &&
             after.bottom - grown.bottom == before.bottom - list.bottom &&
             grown.right - list.right == after.right - before.right,
         "the list follows the window");
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
  ShowWindow(app.frame, SW_MINIMIZE);
  expect(app.search("?at") && IsIconic(app.frame) && textOf(app.frame) == kTitle,
         "a search ending while minimised gives the title back");
  ShowWindow(app.frame, SW_RESTORE);
  expect(app.exit(), "Exit ends the program");
  expect(findFilesCount(home + "\\temp\\*") == 0, "Exit leaves no temporary file");
}

// A selected dictionary found damaged during a search is reported in one warning and left out:
// the other dictionary's results still come, and no exception box ends the search.
void damagedDictionary() {
  prepareHome(false);
  std::string bytes = readFile(home + "\\lexicons\\small.lex");
  bytes[wk::dict::kHeaderOffset + wk::dict::kSelectedField] = 1;
  std::fill(bytes.begin() + wk::dict::kStreamStart, bytes.end(), '\xFF');
  writeFile(home + "\\lexicons\\bad.lex", bytes);
  App app;
  app.startSearch("?at");
  const std::string warning = app.answer("Warning", IDOK);
  expect(warning.rfind("This dictionary is damaged and cannot be read: ", 0) == 0 &&
             warning.find("bad.lex") != std::string::npos,
         "the damaged dictionary is named in a warning: " + warning);
  expect(app.searchEnds(), "the search goes on to its end");
  expect(app.found() == "3", "the good dictionary's three results come");
  expect(dialogs(app.pi.dwProcessId, "Wordkeg Exception").empty(), "no exception box");
  expect(app.exit(), "Exit ends the program");
}

void results() {
  prepareHome(false);
  App app;
  expect(app.search("?at"), "the search ends");
  saveAs(app, home + "\\files\\cats", 1);
  expect(exists(home + "\\files\\cats.wkg") && exists(home + "\\files\\cats.pdx"),
         "Save As a bare name with the first filter saves the pair");
  saveAs(app, home + "\\files\\cats.txt", 1);
  const std::string report = readFile(home + "\\files\\cats.txt");
  const std::string rule = std::string(60, '*') + "\r\n\r\n";
  const std::string head = rule + "Results from Wordkeg Search\r\n\r\nFind Field: ?at\r\n";
  const std::string tail = "Words Found:         3\r\n\r\n" + rule + "bat\r\ncat\r\nhat\r\n";
  expect(report.rfind(head, 0) == 0 && report.size() > tail.size() &&
             report.compare(report.size() - tail.size(), tail.size(), tail) == 0,
         "Save As .txt writes the report: header, then every result");
  app.command(24331);
  Sleep(300);
  openFile(app, home + "\\files\\cats.wkg");
  expect(textOf(app.item(105)) == "?at", "View restores FIND");
  expect(app.found() == "3", "View shows the found count");
  expect(textOf(app.item(114)).find("bat") == 0, "View fills the list");
  app.command(24333);
  expect(app.answer("Confirm", IDNO) == "Delete these saved results: " + home + "\\files\\cats.wkg",
         "Delete Results asks first");
  expect(waitFor([&] { return exists(home + "\\files\\cats.wkg") && app.found() == "3"; }),
         "No keeps the pair on display");
  app.command(24333);
  app.answer("Confirm", IDYES);
  expect(waitFor([&] {
           return !exists(home + "\\files\\cats.wkg") && !exists(home + "\\files\\cats.pdx");
         }),
         "Yes deletes the viewed pair");
  expect(textOf(app.item(105)) == "*", "Delete Results clears the window");
  // A folder named outside the code page: the report, the pair, View and the question all
  // reach it whole.
  const std::string folder = home + "\\files\\字典";
  CreateDirectoryW(utf16(folder).c_str(), nullptr);
  expect(app.search("?at"), "the search ends");
  saveAs(app, folder + "\\résumé.txt", 1);
  expect(readFile(folder + "\\résumé.txt") == report, "Save As writes the report into 字典");
  saveAs(app, folder + "\\字典", 1);
  expect(exists(folder + "\\字典.wkg") && exists(folder + "\\字典.pdx"),
         "Save As writes the pair into 字典");
  app.command(24331);
  Sleep(300);
  openFile(app, folder + "\\字典.wkg");
  expect(textOf(app.item(105)) == "?at" && app.found() == "3", "View reads the pair from 字典");
  app.command(24333);
  expect(app.answer("Confirm", IDNO) == "Delete these saved results: " + folder + "\\字典.wkg",
         "the question names the pair in 字典");
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
  if (!analysis.empty()) shoot(analysis[0], "wordkeg-analysis", 50);
  for (int waited = 0;
       waited < 60000 && !dialogs(app.pi.dwProcessId, "Analysing Dictionaries").empty();
       waited += 200)
    Sleep(200);
  Sleep(500);
  expect(waitFor([&] { return app.status() == "Searching"; }),
         "the search runs after the analysis");
  expect(!IsWindowEnabled(app.item(105)), "the fields are disabled while searching");
  // A second Start would reset the counts and analyse again; refused, the counts keep rising.
  const std::string countedBefore = app.checked();
  app.command(150);
  Sleep(300);
  expect(app.status() == "Searching" && app.checked() != "Checked: 0" &&
             std::atol(app.checked().c_str()) >= std::atol(countedBefore.c_str()) &&
             dialogs(app.pi.dwProcessId, "Analysing Dictionaries").empty(),
         "a second Start changes nothing");
  ShowWindow(app.frame, SW_MINIMIZE);
  Sleep(600);
  expect(textOf(app.frame).rfind("Found: ", 0) == 0, "the minimised title shows the found count");
  ShowWindow(app.frame, SW_RESTORE);
  Sleep(600);
  expect(textOf(app.frame) == kTitle, "the title comes back");
  // The window menu that minimises or maximises closes over a search: its status stays.
  ShowWindow(app.frame, SW_MAXIMIZE);
  SendMessageA(app.frame, WM_MENUSELECT, MAKEWPARAM(SC_MAXIMIZE, MF_SYSMENU), 0);
  SendMessageA(app.frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  Sleep(300);
  expect(app.status() == "Searching", "the status stays after the window menu: " + app.status());
  ShowWindow(app.frame, SW_RESTORE);
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

// Opens the dictionary dialog of `command` and returns it (null when none came).
HWND openDialog(App& app, int command, const char* title) {
  app.command(command);
  auto found = waitDialogs(app.pi.dwProcessId, title, 1, 4000);
  return found.empty() ? nullptr : found[0];
}

void press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0);
  Sleep(400);
}

void setItem(HWND dialog, int id, const std::string& text) {
  const std::wstring wide = utf16(text);
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

bool statusBecomes(App& app, const std::string& text) {
  return waitFor([&] { return app.status() == text; }, 20000);
}

// Selects the list line naming `name` (after the mark and tab, or the whole line).
void highlight(HWND list, const std::string& name) {
  const auto lines = listLines(list);
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == name || (lines[i].size() > 2 && lines[i].substr(2) == name))
      SendMessageA(list, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
}

// Posts a key press (down and up) to `window` of the program, as the keyboard would.
void key(HWND window, WPARAM vk) {
  PostMessageA(window, WM_KEYDOWN, vk, 1);
  PostMessageA(window, WM_KEYUP, vk, 0xC0000001);
  Sleep(300);
}

// Create From File driven by the keyboard alone: Enter makes the dictionary, Esc closes the
// dialog, and the main window has the keyboard again.
void makeByKeys() {
  prepareHome(false);
  // The word list in a folder named outside the code page.
  CreateDirectoryW(utf16(home + "\\字典").c_str(), nullptr);
  writeFile(home + "\\字典\\wörds.txt", "zebra\nyak\n");
  App app;
  HWND dialog = openDialog(app, 7104, "Make Dictionary From File");
  expect(dialog != nullptr, "Create From File opens its dialog");
  if (!dialog) return;
  setItem(dialog, 101, home + "\\字典\\wörds.txt");
  setItem(dialog, 102, "keys");
  app.focus(GetDlgItem(dialog, 102));
  key(GetDlgItem(dialog, 102), VK_RETURN);
  expect(statusBecomes(app, "Dictionary Created Successfully") &&
             exists(home + "\\lexicons\\keys.lex"),
         "Enter makes the dictionary from the list in 字典");
  const HWND focused = focusOf(app.pi.dwThreadId);
  expect(GetParent(focused) == dialog, "the keyboard stays in the dialog after the make");
  key(focused, VK_ESCAPE);
  expect(waitFor([&] { return !IsWindow(dialog); }, 3000), "Esc closes the dialog for good");
  expect(waitFor([&] { return IsWindowEnabled(app.frame) != 0; }, 3000),
         "the main window takes the keyboard again");
  expect(app.exit(), "Exit ends the program");
}

void makeDictionary() {
  prepareHome(false);
  std::string list;
  for (int i = 0; i < 1000000; ++i) {
    std::string w;
    for (int n = i, k = 0; k < 5; ++k, n /= 13) w += static_cast<char>('a' + n % 13);
    list += w + "\n";
  }
  writeFile(home + "\\words.txt", "zebra\nyak\n");
  writeFile(home + "\\many.txt", list);
  App app;
  HWND dialog = openDialog(app, 7104, "Make Dictionary From File");
  expect(dialog != nullptr, "Create From File opens its dialog");
  if (!dialog) return;
  shoot(dialog, "wordkeg-make-dictionary");
  press(dialog, IDOK);
  expect(app.answer("Error", IDOK) == "You must supply a File Name and a Dictionary Name.",
         "OK without names is refused");
  setItem(dialog, 101, home + "\\words.txt");
  setItem(dialog, 102, "..\\Escaped-Name");
  press(dialog, IDOK);
  expect(app.answer("Error", IDOK) ==
                 "..\\escaped-name is not a valid dictionary name. Use letters, digits and _ { } "
                 "$ only." &&
             !exists(home + "\\Escaped-Name.lex") && !exists(home + "\\lexicons\\Escaped-Name.lex"),
         "a pasted name with a path and a refused character makes nothing");
  setItem(dialog, 101, home + "\\words.txt");
  setItem(dialog, 102, "mine");
  press(dialog, IDOK);
  expect(statusBecomes(app, "Dictionary Created Successfully"), "the dictionary is made");
  expect(exists(home + "\\lexicons\\mine.lex"), "mine.lex is written");
  press(dialog, IDOK);
  expect(app.answer("Warning", IDYES) == "Dictionary already exists. Overwrite?",
         "making it again asks to overwrite");
  expect(statusBecomes(app, "Dictionary Created Successfully"), "the overwrite is made");
  expect(exists(home + "\\lexicons\\mine.lxb"), "the old dictionary stays as the .lxb backup");
  // A long make: the wait dialog appears; Cancel answered No lets it finish, Yes stops it and
  // leaves no dictionary.
  for (const char* name : {"many", "stopped"}) {
    setItem(dialog, 101, home + "\\many.txt");
    setItem(dialog, 102, name);
    press(dialog, IDOK);
    HWND wait = nullptr;
    expect(waitFor(
               [&] {
                 auto shown = dialogs(app.pi.dwProcessId, "Please Wait...");
                 RECT r = {};
                 if (!shown.empty()) GetWindowRect(shown[0], &r);
                 wait = r.right - r.left > 50 ? shown[0] : nullptr;
                 return wait != nullptr;
               },
               20000),
           "a long make shows the wait dialog");
    if (!wait) continue;
    const bool yes = std::string(name) == "stopped";
    if (!yes) shoot(wait, "wordkeg-wait-dialog", 50);
    // No: closing the main window asks as Cancel does; Yes: the wait dialog's Cancel.
    if (yes)
      PostMessageA(wait, WM_COMMAND, IDCANCEL, 0);
    else
      PostMessageA(app.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    expect(app.answer("Cancel", yes ? IDYES : IDNO) == "Are you sure you want to Cancel?",
           "Cancel asks first");
    expect(waitFor([&] { return !IsWindow(wait); }, 30000), "the wait dialog closes");
    if (!yes)
      expect(statusBecomes(app, "Dictionary Created Successfully") &&
                 exists(home + "\\lexicons\\many.lex") && IsWindowVisible(app.frame),
             "closing the window answered No: the make finishes, the window stays");
  }
  expect(!exists(home + "\\lexicons\\stopped.lex"), "Cancel answered Yes: no dictionary is made");
  press(dialog, IDCANCEL);
  HWND select = openDialog(app, 7106, "Select Dictionaries");
  expect(select && listLines(GetDlgItem(select, 101)).size() == 3,
         "the new dictionaries are listed");
  if (select) {
    const auto lines = listLines(GetDlgItem(select, 101));
    expect(lines.size() == 3 && lines[0] == " \tmany.lex" && lines[1] == " \tmine.lex",
           "new dictionaries are listed unselected");
    press(select, IDOK);
  }
  expect(app.exit(), "Exit ends the program");
}

void mergeDictionaries() {
  prepareHome(false);
  {
    SetCurrentDirectoryA(home.c_str());
    wk::CompressDictionary writer(home + "\\lexicons\\pets.lex");
    for (const char* w : {"cat", "dog", "newt"}) writer.addWord(w);
    writer.finish();
  }
  App app;
  HWND dialog = openDialog(app, 7205, "Merge Dictionaries");
  expect(dialog != nullptr, "Merge opens its dialog");
  if (!dialog) return;
  highlight(GetDlgItem(dialog, 101), "pets.lex");
  shoot(dialog, "wordkeg-merge");
  press(dialog, IDOK);
  expect(app.answer("Incomplete Information", IDOK).rfind("You must select 2 or more", 0) == 0,
         "one dictionary is not enough");
  highlight(GetDlgItem(dialog, 101), "small.lex");
  setItem(dialog, 102, "both");
  press(dialog, IDOK);
  expect(statusBecomes(app, "Dictionaries Merged Successfully"), "the merge is made");
  expect(exists(home + "\\lexicons\\both.lex") && exists(home + "\\lexicons\\pets.lex"),
         "the merged dictionary is written and the sources stay");
  highlight(GetDlgItem(dialog, 101), "pets.lex");
  highlight(GetDlgItem(dialog, 101), "small.lex");
  setItem(dialog, 102, "all");
  SendMessageA(GetDlgItem(dialog, 103), BM_SETCHECK, BST_CHECKED, 0);
  press(dialog, IDOK);
  const bool asked = !waitDialogs(app.pi.dwProcessId, "Confirm").empty();
  expect(asked && !exists(home + "\\lexicons\\all.lex"),
         "the delete question comes before the merged dictionary is moved in");
  expect(app.answer("Confirm", IDYES).rfind("If you delete these dictionaries", 0) == 0,
         "deleting the sources asks first");
  expect(statusBecomes(app, "Dictionaries Merged Successfully"), "the second merge is made");
  expect(exists(home + "\\lexicons\\all.lex") && !exists(home + "\\lexicons\\pets.lex") &&
             !exists(home + "\\lexicons\\small.lex"),
         "the sources are deleted after the merge");
  press(dialog, IDCANCEL);
  expect(app.exit(), "Exit ends the program");
}

void addAndRemove() {
  prepareHome(false);
  App app;
  HWND dialog = openDialog(app, 7103, "Add Word");
  expect(dialog != nullptr, "Add Word opens its dialog");
  if (!dialog) return;
  expect(textOf(GetDlgItem(dialog, 345)) == "&Add", "the OK button reads Add");
  setItem(dialog, 201, "zebra");
  setItem(dialog, 205, "fresh");
  shoot(dialog, "wordkeg-add-word");
  press(dialog, 345);
  expect(app.answer("New Dictionary", IDYES) == "Do you wish to create a new dictionary",
         "a new dictionary name asks first");
  expect(statusBecomes(app, "Word Added Successfully"), "the word is added");
  expect(exists(home + "\\lexicons\\fresh.lex"), "the new dictionary exists");
  setItem(dialog, 201, "zebra");
  setItem(dialog, 205, "fresh.lex");
  press(dialog, 345);
  expect(app.answer("Error", IDOK) == "fresh.lex already contains the word 'zebra'",
         "adding a word that is there is refused");
  press(dialog, IDCANCEL);
  dialog = openDialog(app, 7102, "Remove Word");
  expect(dialog != nullptr, "Remove Word opens its dialog");
  if (!dialog) return;
  setItem(dialog, 201, "zebra");
  setItem(dialog, 205, "fresh.lex");
  press(dialog, 345);
  expect(statusBecomes(app, "Word Removed Successfully"), "the word is removed");
  expect(!exists(home + "\\lexicons\\fresh.lex"), "a dictionary left empty is deleted");
  press(dialog, IDCANCEL);
  expect(app.exit(), "Exit ends the program");
}

// The files of a home the command line made (tests/gui/same_files_test.sh compares what this
// leaves with what the command line writes): the window views the command line's pair, then
// saves its own pair and report and adds a word.
void sameFiles() {
  App app;
  openFile(app, home + "\\files\\cli.wkg");
  expect(textOf(app.item(105)) == "?at" && app.found() == "3" &&
             textOf(app.item(114)).find("bat") == 0,
         "View shows the command line's pair");
  expect(app.search("?at"), "the search ends");
  saveAs(app, home + "\\files\\win", 1);
  saveAs(app, home + "\\files\\win.txt", 1);
  HWND dialog = openDialog(app, 7103, "Add Word");
  expect(dialog != nullptr, "Add Word opens its dialog");
  if (!dialog) return;
  setItem(dialog, 201, "gnat");
  setItem(dialog, 205, "small");
  press(dialog, 345);
  expect(statusBecomes(app, "Word Added Successfully"), "the word is added");
  press(dialog, IDCANCEL);
  expect(app.exit(), "Exit ends the program");
}

// A home with long words: the window finds words of up to twenty letters and its Add field
// takes one as typed; the same home with the option off refuses the pattern with the
// program's own message.
void longWords() {
  prepareHome(false);
  std::string ini = readFile(home + "\\wordkeg.ini");
  writeFile(home + "\\wordkeg.ini", ini + "[OPTIONS]\r\nLONG_WORDS=1\r\n");
  const std::string path = home + "\\lexicons\\long.lex";
  writeDictionary(path, {"cat", "Quartermaster", "counter-revolutionary"});
  std::string bytes = readFile(path);
  bytes[wk::dict::kHeaderOffset + wk::dict::kSelectedField] = 1;
  writeFile(path, bytes);
  {
    App app;
    expect(app.search("quarter??????"), "a thirteen-letter pattern is searched");
    expect(app.found() == "1" && textOf(app.item(114)).find("Quartermaster") == 0,
           "the long word is found: " + app.found() + " " + textOf(app.item(114)));
    expect(app.search("*", "revolutionarycounter"), "an anagram of twenty letters is searched");
    expect(app.found() == "1" && textOf(app.item(114)).find("counter-revolutionary") == 0,
           "the twenty-letter anagram is found: " + textOf(app.item(114)));
    shoot(app.frame, "wordkeg-long-words");
    HWND dialog = openDialog(app, 7103, "Add Word");
    expect(dialog != nullptr, "Add Word opens its dialog");
    if (dialog) {
      HWND word = GetDlgItem(dialog, 201);
      SetFocus(word);
      for (char c : std::string("tercentenarians")) PostMessageA(word, WM_CHAR, c, 0);
      Sleep(400);
      expect(textOf(word) == "tercentenarians", "the word field takes a long word: " + textOf(word));
      press(dialog, IDCANCEL);
    }
    expect(app.exit(), "Exit ends the program");
  }
  writeFile(home + "\\wordkeg.ini", ini + "[OPTIONS]\r\nLONG_WORDS=0\r\n");
  App app;
  app.startSearch("quarter??????");
  expect(app.answer("Input Error", IDOK) ==
             "Your FIND field contained a pattern for a word exceeding the maximum length "
             "supported.",
         "without long words the pattern is refused with the program's message");
  expect(app.search("*"), "a search of every word ends");
  // The small dictionary's ten words and cat: no word over nine letters.
  expect(app.found() == "11", "only words of up to nine letters are seen: " + app.found());
  expect(app.exit(), "Exit ends the program");
}

// The Windows zip as a user unzips it: the program starts in that folder on the starter
// dictionary, with no other step, and a search gives results.
void starter() {
  App app;
  expect(app.frame != nullptr, "wordkeg32.exe starts in the unzipped folder");
  expect(dialogs(app.pi.dwProcessId, "").empty(), "no box at start");
  expect(app.search("c?t"), "a search of the starter dictionary ends");
  expect(std::atoi(app.found().c_str()) > 0, "the starter dictionary gives results: " + app.found());
  expect(app.search("quartermaster"), "a search of a long word ends");
  expect(app.found() == "1", "the starter home takes long words: " + app.found());
  shoot(app.frame, "wordkeg-starter");
  expect(app.exit(), "Exit ends the program");
}

void selectDialog() {
  prepareHome(false);
  {
    SetCurrentDirectoryA(home.c_str());
    wk::CompressDictionary writer(home + "\\lexicons\\pets.lex");
    writer.addWord("cat");
    writer.finish();
  }
  App app;
  HWND dialog = openDialog(app, 7106, "Select Dictionaries");
  expect(dialog != nullptr, "Select opens its dialog");
  if (!dialog) return;
  HWND list = GetDlgItem(dialog, 101);
  expect(listLines(list) == std::vector<std::string>{" \tpets.lex", "\xBB\tsmall.lex"},
         "the lines mark the selected dictionary");
  shoot(dialog, "wordkeg-select");
  highlight(list, "pets.lex");
  highlight(list, "small.lex");
  press(dialog, 102);
  expect(listLines(list) == std::vector<std::string>{"\xBB\tpets.lex", " \tsmall.lex"},
         "Select/Clear turns each over");
  press(dialog, 104);
  expect(listLines(list) == std::vector<std::string>{" \tpets.lex", " \tsmall.lex"}, "Clear All");
  press(dialog, 103);
  expect(listLines(list) == std::vector<std::string>{"\xBB\tpets.lex", "\xBB\tsmall.lex"},
         "Select All");
  highlight(list, "pets.lex");
  press(dialog, 105);
  expect(app.answer("Information on: pets.lex", IDOK).find("Total Words: 1") != std::string::npos,
         "Details shows the word count");
  highlight(list, "pets.lex");
  // Delete from the dialog's own popup, opened from the keyboard at the list's caret line and
  // walked down until the status bar shows the Delete item's hint.
  HWND menu = openPopup(app, dialog, list, -1);
  RECT line = {}, placed = {};
  SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&line));
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&line), 2);
  if (menu) GetWindowRect(menu, &placed);
  expect(menu && placed.top >= line.top && placed.top <= line.bottom + 2 &&
             placed.left >= line.left - 300 && placed.left <= line.right,
         "the list's popup opens from the keyboard at its caret line");
  expect(choose(app, menu, "Delete highlighted Dictionaries"),
         "the popup's items show their hints in the status bar");
  auto confirm = waitDialogs(app.pi.dwProcessId, "Confirm");
  auto isDefault = [&](int id) {
    return (GetWindowLongA(GetDlgItem(confirm[0], id), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
  };
  expect(!confirm.empty() && isDefault(IDNO) && !isDefault(IDYES),
         "the delete question answers No to Enter");
  expect(app.answer("Confirm", IDYES).find("pets.lex") != std::string::npos,
         "Delete asks, naming the dictionary");
  expect(statusBecomes(app, "Delete Successful"), "the delete is reported");
  expect(!exists(home + "\\lexicons\\pets.lex") && exists(home + "\\lexicons\\pets.lxb"),
         "the deleted dictionary is kept as its backup");
  expect(listLines(list).size() == 1, "the list is refilled");
  press(dialog, IDOK);
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
  for (int command : {7103, 7102, 7205, 7104}) {
    second.command(command);
    Sleep(400);
  }
  expect(dialogs(second.pi.dwProcessId, "Add Word").empty() &&
             dialogs(second.pi.dwProcessId, "Remove Word").empty() &&
             dialogs(second.pi.dwProcessId, "Merge Dictionaries").empty() &&
             dialogs(second.pi.dwProcessId, "Make Dictionary From File").empty(),
         "the dictionary commands are disabled while two copies run");
  HWND select = openDialog(second, 7106, "Select Dictionaries");
  expect(select != nullptr, "Select stays enabled");
  if (select) {
    highlight(GetDlgItem(select, 101), "small.lex");
    HWND menu = openPopup(second, select, GetDlgItem(select, 101), -1);
    const bool chosen = choose(second, menu, "Delete highlighted Dictionaries");
    Sleep(500);
    expect(chosen && dialogs(second.pi.dwProcessId, "Confirm").empty() &&
               exists(home + "\\lexicons\\small.lex"),
           "the Select dialog's Delete is disabled too");
    press(select, 105);
    expect(!second.answer("Information on: small.lex", IDOK).empty(), "Details stays enabled");
    press(select, IDOK);
  }
  expect(second.exit(), "the second copy ends");
  // Alone again, the first copy may change dictionaries.
  HWND add = openDialog(first, 7103, "Add Word");
  expect(add != nullptr, "with the second copy gone the first opens Add Word");
  if (add) press(add, IDCANCEL);
  expect(first.exit(), "the first copy ends");
}

RECT onScreen(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT inner(RECT r, int by) {
  InflateRect(&r, -by, -by);
  return r;
}

// What a user sees of the main window at its present size: every control inside the window,
// Start, Cancel and the options below the list and painted, the counts in the status bar, and
// every result of a row drawn in the list.
void checkLayout(App& app, const std::string& size) {
  Sleep(700);
  shoot(app.frame, ("wordkeg-" + size).c_str(), 0);
  RECT client;
  GetClientRect(app.client, &client);
  const RECT list = placeIn(app.client, app.item(114));
  bool inside = true, below = true;
  for (int id : {105, 106, 107, 108, 109, 111, 112, 114, 150, IDCANCEL}) {
    const RECT r = placeIn(app.client, app.item(id));
    inside = inside && r.left >= 0 && r.top >= 0 && r.right <= client.right &&
             r.bottom <= client.bottom && r.right > r.left && r.bottom > r.top;
    if (id == 109 || id == 150 || id == IDCANCEL) below = below && r.top >= list.bottom;
  }
  expect(inside, size + ": every control lies inside the window");
  expect(below, size + ": Start, Cancel and the options lie below the list");
  const SIZE margins = {client.right - list.right, client.bottom - list.bottom};
  static const SIZE opened = margins;  // the first call is at the size the window opened with
  expect(margins.cx == opened.cx && margins.cy == opened.cy,
         size + ": the list follows the window, keeping its margins");
  expect(inkIn(inner(onScreen(app.item(150)), 4)) > 10 &&
             inkIn(inner(onScreen(app.item(IDCANCEL)), 4)) > 10 &&
             inkIn(onScreen(app.item(111))) > 10,
         size + ": Start, Cancel and the options are painted");
  RECT frame;
  GetClientRect(app.frame, &frame);
  int right = 0;
  bool gadgets = true;
  for (int id : {4999, 5000, 5001}) {
    const RECT r = placeIn(app.frame, GetDlgItem(app.frame, id));
    gadgets = gadgets && r.left >= right && r.right <= frame.right && r.right > r.left;
    right = r.right;
  }
  expect(gadgets && inkIn(inner(onScreen(GetDlgItem(app.frame, 5000)), 2)) > 10,
         size + ": the status bar shows its three parts side by side, the count painted");
  // The selected first row's text holds the row's results; the lower half of the list shows
  // full rows of as many.
  const std::string row = textOf(app.item(114));
  const size_t perRow = static_cast<size_t>(std::count(row.begin(), row.end(), '\t'));
  RECT rows = onScreen(app.item(114));
  rows.top = (rows.top + rows.bottom) / 2;
  const auto words = inkRuns(rows, 8);
  expect(perRow > 1 && words.size() == perRow && words.back().second < rows.right - rows.left - 1,
         size + ": every result of a row is drawn (" + std::to_string(perRow) + " per row, " +
             std::to_string(words.size()) + " seen)");
}

// Many results at three window sizes: narrow (the smallest the frame allows), as opened, wide.
void layoutSizes() {
  prepareHome(false);
  std::vector<std::string> words;
  for (int i = 0; i < 4000; ++i) {
    std::string w;
    for (int n = i, k = 0; k < 5; ++k, n /= 8) w.insert(w.begin(), static_cast<char>('a' + n % 8));
    words.push_back(w);
  }
  writeDictionary(home + "\\lexicons\\five.lex", words);
  App app;
  HWND select = openDialog(app, 7106, "Select Dictionaries");
  if (select) {
    highlight(GetDlgItem(select, 101), "five.lex");
    highlight(GetDlgItem(select, 101), "small.lex");
    press(select, 102);
    press(select, IDOK);
  }
  expect(app.search("*") && app.found() == "4000", "4000 results are found");
  checkLayout(app, "default");
  RECT frame;
  GetWindowRect(app.frame, &frame);
  SetWindowPos(app.frame, nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
  checkLayout(app, "narrow");
  SetWindowPos(app.frame, nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
  checkLayout(app, "wide");
  expect(app.exit(), "Exit ends the program");
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
  // clang-format off: one scenario a line
  const std::map<std::string, std::function<void()>> scenarios = {
      {"missing-list", missingList},
      {"typing", typing},
      {"single-word", singleWord},
      {"damaged-dictionary", damagedDictionary},
      {"long-words", longWords},
      {"starter", starter},
      {"results", results},
      {"long-search", longSearch},
      {"second-copy", secondCopy},
      {"make-dictionary", makeDictionary},
      {"make-by-keys", makeByKeys},
      {"merge", mergeDictionaries},
      {"add-remove", addAndRemove},
      {"same-files", sameFiles},
      {"select", selectDialog},
      {"layout", layoutSizes}};
  // clang-format on
  const auto found = scenarios.find(argv[1]);
  if (found == scenarios.end()) return 2;
  // The release zip's program is unzipped by ./test; a tree built by other means has none.
  if (scenario == "starter" && !exists(program)) {
    std::printf("starter: skipped, no %s (./test unzips the release zip there)\n", program.c_str());
    return 77;
  }
  try {
    found->second();
  } catch (const std::exception& e) {
    expect(false, std::string("the driver stopped: ") + e.what());
  }
  std::printf("%s: %s\n", argv[1], failures ? "failed" : "passed");
  return failures ? 1 : 0;
}
