#pragma once
// The program's modeless windows (settings sheets and About boxes), which the message loop must
// give their keyboard messages to.
#include <windows.h>

namespace dk {

void addSheet(HWND sheet);
void addDialog(HWND dialog);
void removeDialog(HWND dialog);
// True when `msg` was a dialog message of one of them.
bool dispatchToModeless(MSG& msg);
// Destroys sheets that were closed with OK or Cancel.
void closeFinishedSheets();

}  // namespace dk
