// Drives drvkeep.exe under Wine: starts it, finds its windows, posts commands, reads message
// boxes and the registry, and saves window pictures. Usage: dk_gui_test SCENARIO DRVKEEP SHOTS
// Exit status 0 when the scenario held; the reason of a failure goes to stderr.
//
// What Wine does not let another process see, and where it is checked instead: the tray icon's
// image and tooltip (so the red/normal flashing, the tooltip texts and the icon's removal at
// Close are covered by the monitor core's unit tests, and here only through their effects), and
// the popup menu's item texts (here: the menu window appears and each command works when sent).
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gui_driver.h"
#include "wk_version.h"

namespace {

using namespace gui;

const char* kSettingsKey = "Software\\Tessaly Software\\Drive Keeper";
const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// The 32-bit view, which both builds of the monitor share: the 64-bit build must be seen there.
const REGSAM kView = KEY_WOW64_32KEY;
std::string program;

PROCESS_INFORMATION start() {
  return gui::start("\"" + program + "\"");
}

bool readDword(const char* name, DWORD& value) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ | kView, &key) != ERROR_SUCCESS)
    return false;
  DWORD size = sizeof value, type = 0;
  const bool ok = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                   &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok && type == REG_DWORD;
}

void writeDword(const char* name, DWORD value) {
  HKEY key;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS | kView, nullptr,
                  &key, nullptr);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

bool startupValue(std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_READ | kView, &key) != ERROR_SUCCESS)
    return false;
  char data[MAX_PATH] = {};
  DWORD size = sizeof data - 1, type = 0;
  const bool ok = RegQueryValueExA(key, "DrvKeep", nullptr, &type, reinterpret_cast<BYTE*>(data),
                                   &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  path = data;
  return ok;
}

void resetRegistry() {
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, kView, 0);
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_ALL_ACCESS | kView, &key) ==
      ERROR_SUCCESS) {
    RegDeleteValueA(key, "DrvKeep");
    RegCloseKey(key);
  }
}

// Ends the monitor with its Close command; true when the process ended with status 0.
bool closeMonitor(HWND main, const PROCESS_INFORMATION& pi) {
  PostMessageA(main, WM_COMMAND, 24310, 0);
  DWORD code = 1;
  const bool ended = WaitForSingleObject(pi.hProcess, 8000) == WAIT_OBJECT_0 &&
                     GetExitCodeProcess(pi.hProcess, &code);
  if (!ended) TerminateProcess(pi.hProcess, 9);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return ended && code == 0;
}

// Selects and focuses item `i` of a list view in the monitor's process, as a click does.
void clickItem(HWND list, DWORD pid, int i) {
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, pid);
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  void* remote = VirtualAllocEx(process, nullptr, sizeof item, MEM_COMMIT, PAGE_READWRITE);
  WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
}

HWND page(HWND sheet, int index) {
  SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
  Sleep(200);
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void apply(HWND sheet) {
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
  Sleep(500);
}

// Scenarios ------------------------------------------------------------------------------

HWND startMonitor(PROCESS_INFORMATION& pi) {
  pi = start();
  HWND main = waitWindow("DrvKeepWindow", "DrvKeep");
  expect(main != nullptr, "the hidden main window DrvKeep exists");
  expect(main && !IsWindowVisible(main), "the main window stays hidden");
  return main;
}

void secondStart() {
  PROCESS_INFORMATION first;
  HWND main = startMonitor(first);
  PROCESS_INFORMATION second = start();
  DWORD code = 99;
  expect(WaitForSingleObject(second.hProcess, 5000) == WAIT_OBJECT_0,
         "a second start ends at once");
  GetExitCodeProcess(second.hProcess, &code);
  expect(code == 0, "a second start exits with status 0");
  expect(IsWindow(main), "the first copy keeps running");
  expect(closeMonitor(main, first), "Close ends the monitor with status 0");
}

void registryAfterStart() {
  resetRegistry();
  // A threshold of another type and size must not overflow the 4-byte read: it counts as missing.
  HKEY settings;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS | kView, nullptr,
                  &settings, nullptr);
  const char oversized[] = "0123456789abcdef0123456789abcdef";
  RegSetValueExA(settings, "Threshold", 0, REG_BINARY, reinterpret_cast<const BYTE*>(oversized),
                 sizeof oversized);
  RegCloseKey(settings);
  PROCESS_INFORMATION pi;
  HWND main = startMonitor(pi);
  Sleep(500);
  PostMessageA(main, WM_COMMAND, 1028, 0);
  const auto sheets = waitDialogs(pi.dwProcessId, "Drive Keeper", 1);
  expect(sheets.size() == 1, "the sheet opens");
  if (!sheets.empty()) {
    HWND alert = page(sheets[0], 1);
    expect(textOf(GetDlgItem(alert, 101)) == "10",
           "an oversized Threshold value reads as the default 10");
    PostMessageA(sheets[0], PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  }
  HKEY key;
  expect(
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ | kView, &key) == ERROR_SUCCESS,
      "the settings key exists");
  std::string path;
  expect(startupValue(path), "the start-up value DrvKeep is written");
  expect(path.find("drvkeep.exe") != std::string::npos, "the start-up value names the program");
  expect(closeMonitor(main, pi), "Close ends the monitor");
}

void sheetPages() {
  resetRegistry();
  PROCESS_INFORMATION pi;
  HWND main = startMonitor(pi);
  PostMessageA(main, WM_COMMAND, 1028, 0);
  const auto sheets = waitDialogs(pi.dwProcessId, "Drive Keeper", 1);
  expect(sheets.size() == 1, "Properties opens the sheet Drive Keeper");
  if (sheets.empty()) return void(closeMonitor(main, pi));
  HWND sheet = sheets[0];
  HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
  expect(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == 3, "the sheet has three pages");
  HWND drives = page(sheet, 0);
  shoot(sheet, "sheet-drives");
  HWND alert = page(sheet, 1);
  shoot(sheet, "sheet-alert");
  SendMessageA(GetDlgItem(alert, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("2000"));
  apply(sheet);
  DWORD value = 0;
  expect(readDword("Threshold", value) && value == 2000,
         "Apply stores a typed threshold beyond the arrows");
  // The up arrow's button, pressed with the mouse, from 999.
  SendMessageA(GetDlgItem(alert, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("999"));
  HWND arrows = GetDlgItem(alert, 104);
  RECT r;
  GetClientRect(arrows, &r);
  SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 4));
  SendMessageA(arrows, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom / 4));
  expect(textOf(GetDlgItem(alert, 101)) == "1000", "the up arrow from 999 shows 1000");
  apply(sheet);
  expect(readDword("Threshold", value) && value == 1000, "Apply stores the arrow's 1000");
  // A paste passes the typing rule: digits only (the box and what Apply stores agree).
  setClipboard("12a-3");
  SendMessageA(GetDlgItem(alert, 101), EM_SETSEL, 0, -1);
  SendMessageA(GetDlgItem(alert, 101), WM_PASTE, 0, 0);
  expect(textOf(GetDlgItem(alert, 101)) == "123", "a pasted threshold keeps its digits only");
  apply(sheet);
  expect(readDword("Threshold", value) && value == 123, "Apply stores the 123 shown");
  HWND autoPage = page(sheet, 2);
  shoot(sheet, "sheet-auto");
  SendMessageA(GetDlgItem(autoPage, 105), BM_CLICK, 0, 0);
  apply(sheet);
  std::string path;
  expect(readDword("Auto", value) && value == 0, "Apply stores auto start off");
  expect(!startupValue(path), "auto start off deletes the start-up value");
  page(sheet, 0);
  HWND list = GetDlgItem(drives, 101);
  const int items = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  expect(items >= 1, "the drive list shows the fixed drives");
  for (int i = 0; i < items; ++i) clickItem(list, pi.dwProcessId, i);
  apply(sheet);
  const auto boxes = waitDialogs(pi.dwProcessId, "Drive Keeper", 2, 3000);
  bool warned = false;
  for (HWND box : boxes) {
    if (boxText(box) == "At least one drive must be selected") {
      warned = true;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  }
  expect(warned, "no drive selected shows At least one drive must be selected");
  Sleep(300);
  // The earlier Applies stored every listed drive as monitored; the refused one changed nothing.
  expect(readDword("C:\\", value) && value == 1, "the stored drive values stay as they were");
  expect(closeMonitor(main, pi), "Close ends the monitor with the sheet open");
}

void aboutBoxes() {
  PROCESS_INFORMATION pi;
  HWND main = startMonitor(pi);
  PostMessageA(main, WM_COMMAND, 1024, 0);
  PostMessageA(main, WM_COMMAND, 1024, 0);
  const auto boxes = waitDialogs(pi.dwProcessId, "About Drive Keeper", 2);
  expect(boxes.size() == 2, "About twice opens two About boxes, with their caption");
  if (!boxes.empty()) {
    // The texts sit on the dialog's grey: no white box behind a line of text.
    RECT line;
    GetWindowRect(GetDlgItem(boxes[0], 103), &line);
    const auto pixels = grab(line);
    expect(std::count(pixels.begin(), pixels.end(), 0xFFFFFFu) == 0,
           "the About box's texts have no white background");
    expect(textOf(GetDlgItem(boxes[0], 102)).find('@') != std::string::npos,
           "the About box shows the mail link");
    expect(FindWindowExA(boxes[0], nullptr, "Static", DK_ABOUT_VERSION) != nullptr,
           "the About box names the project's version: " DK_ABOUT_VERSION);
    shoot(boxes[0], "about");
  }
  expect(closeMonitor(main, pi), "Close ends the monitor");
}

struct Visible {
  DWORD pid;
  std::vector<HWND> windows;
};

BOOL CALLBACK collectVisible(HWND hwnd, LPARAM lParam) {
  auto* v = reinterpret_cast<Visible*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == v->pid && IsWindowVisible(hwnd)) v->windows.push_back(hwnd);
  return TRUE;
}

// The visible top-level windows of process `pid` (menus and boxes included).
std::vector<HWND> visibleWindows(DWORD pid) {
  Visible v{pid, {}};
  EnumWindows(collectVisible, reinterpret_cast<LPARAM>(&v));
  return v.windows;
}

void trayMenu() {
  PROCESS_INFORMATION pi;
  HWND main = startMonitor(pi);
  PostMessageA(main, 33770, 0, WM_RBUTTONUP);
  HWND menu = waitWindow("#32768", nullptr, 3000);
  DWORD owner = 0;
  if (menu) GetWindowThreadProcessId(menu, &owner);
  expect(menu != nullptr && IsWindowVisible(menu) && owner == pi.dwProcessId,
         "a right click on the icon shows the monitor's popup menu");
  if (menu) PostMessageA(main, WM_CANCELMODE, 0, 0);
  Sleep(300);
  // Tools this system lacks fail to launch without a word, and the monitor runs on.
  PostMessageA(main, WM_COMMAND, 1025, 0);
  PostMessageA(main, WM_COMMAND, 1026, 0);
  Sleep(1000);
  DWORD_PTR answer = 0;
  expect(visibleWindows(pi.dwProcessId).empty() &&
             SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0 &&
             waitExit(pi, 0) == STILL_ACTIVE,
         "failed launches of Defrag and ScanDisk show nothing and leave the monitor answering");
  PostMessageA(main, 33770, 0, WM_LBUTTONDBLCLK);
  expect(waitDialogs(pi.dwProcessId, "Drive Keeper", 1).size() == 1,
         "a double click opens the settings sheet");
  expect(closeMonitor(main, pi), "Close ends the monitor");
}

void alertOnce() {
  resetRegistry();
  writeDword("Threshold", 0x7FFFFFFF);  // above the free space of any drive
  writeDword("Message", 1);
  PROCESS_INFORMATION pi;
  HWND main = startMonitor(pi);
  auto boxes = waitDialogs(pi.dwProcessId, "Drive Keeper", 1, 6000);
  expect(boxes.size() == 1, "a low drive shows the warning");
  if (!boxes.empty()) {
    expect(boxText(boxes[0]).rfind("Warning - Disk space is Low", 0) == 0, "the warning's text");
    shoot(boxes[0], "alert");
  }
  Sleep(4500);  // two more polls while the box is up
  expect(dialogs(pi.dwProcessId, "Drive Keeper").size() == 1,
         "the warning is shown once per episode");
  for (HWND box : boxes) PostMessageA(box, WM_COMMAND, IDOK, 0);
  Sleep(2500);
  expect(dialogs(pi.dwProcessId, "Drive Keeper").empty(), "no second warning in the same episode");
  expect(closeMonitor(main, pi), "Close ends the monitor during an alert");
  resetRegistry();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: dk_gui_test SCENARIO DRVKEEP SHOTS\n");
    return 2;
  }
  program = argv[2];
  shots = argv[3];
  gui::scenario = argv[1];
  CreateDirectoryA(shots.c_str(), nullptr);
  const std::string scenario = argv[1];
  if (scenario == "second-start")
    secondStart();
  else if (scenario == "registry")
    registryAfterStart();
  else if (scenario == "sheet")
    sheetPages();
  else if (scenario == "about")
    aboutBoxes();
  else if (scenario == "tray-menu")
    trayMenu();
  else if (scenario == "alert")
    alertOnce();
  else
    return 2;
  std::printf("%s: %s\n", scenario.c_str(), failures ? "failed" : "passed");
  return failures ? 1 : 0;
}
