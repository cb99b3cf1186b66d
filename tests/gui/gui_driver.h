#pragma once
// What the GUI test drivers share: starting the program under test, finding its windows and
// message boxes, reading their texts and saving their pictures.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace gui {

extern std::string shots;     // folder of the BMP screenshots
extern std::string scenario;  // names the screenshot of the first failure
extern int failures;

void expect(bool ok, const std::string& what);
// Starts `commandLine` in `directory` (empty: the driver's own).
PROCESS_INFORMATION start(const std::string& commandLine, const std::string& directory = "");
HWND waitWindow(const char* cls, const char* title, int ms = 8000);
// The visible dialog-class windows (message boxes included) of process `pid` titled `title`.
std::vector<HWND> dialogs(DWORD pid, const std::string& title);
std::vector<HWND> waitDialogs(DWORD pid, const std::string& title, size_t count = 1, int ms = 8000);
std::string textOf(HWND hwnd);
// The text of a message box, read as Unicode and given in UTF-8.
std::string boxText(HWND box);
// UTF-8 to UTF-16, for the system's wide functions.
std::wstring utf16(const std::string& utf8);
// Saves the window's picture as `name`.bmp in the shots folder, `settleMs` after the call (a
// window that has closed by then is not taken).
void shoot(HWND hwnd, const char* name, int settleMs = 300);
// The first top-level window of class `cls` that process `pid` owns (a shown one, with
// `visibleOnly`), or null.
HWND topWindowOf(const char* cls, DWORD pid, bool visibleOnly);
// The screen's pixels of `area` (screen coordinates): 0x00RRGGBB, row by row from the top.
std::vector<unsigned> grab(const RECT& area);
// Where text is drawn in `area` (screen coordinates): the runs of pixel columns holding dark
// pixels, a run ending at `gap` clean columns. Their count is the number of words a user sees
// on a line whose words stand further apart than their letters.
std::vector<std::pair<int, int>> inkRuns(const RECT& area, int gap);
// The number of dark pixels in `area` (screen coordinates).
int inkIn(const RECT& area);
// The lines of a list box of another process (read as Unicode: Wine cuts the ANSI form short
// across processes).
std::vector<std::string> listLines(HWND list);
// Puts `text` (UTF-8) on the clipboard, as Unicode text.
void setClipboard(const std::string& text);
// The window that has the keyboard focus in the thread `thread` of another process, or null.
HWND focusOf(DWORD thread);
// Waits up to `ms` for the process to end; its exit code, or STILL_ACTIVE.
DWORD waitExit(const PROCESS_INFORMATION& pi, int ms = 8000);

}  // namespace gui
