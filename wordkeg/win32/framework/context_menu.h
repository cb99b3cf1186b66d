#pragma once
// Where a right-button menu opens.
#include <windows.h>

namespace wkw {

// The screen point of a WM_CONTEXTMENU for `target` (its wParam): the pointer's when the mouse
// asked; from the keyboard (Shift+F10, the menu key: lParam -1), below the caret line of a list
// (a list box's caret item, the result list's selected row), else at the control's top-left.
POINT contextMenuPoint(HWND target, LPARAM lParam);

}  // namespace wkw
