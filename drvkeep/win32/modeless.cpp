#include "modeless.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <vector>

namespace dk {
namespace {

std::vector<HWND>& sheets() {
  static std::vector<HWND> list;
  return list;
}

std::vector<HWND>& dialogs() {
  static std::vector<HWND> list;
  return list;
}

}  // namespace

void addSheet(HWND sheet) {
  sheets().push_back(sheet);
}
void addDialog(HWND dialog) {
  dialogs().push_back(dialog);
}

void removeDialog(HWND dialog) {
  auto& list = dialogs();
  list.erase(std::remove(list.begin(), list.end(), dialog), list.end());
}

// After a key the sheet handled: Apply (Alt+A) greys itself out while it has the focus, and a
// new page (Ctrl+Tab) may leave it on the hidden page; the current page's first control takes
// the keyboard then, so that keys never go nowhere.
void keepFocusUsable(HWND sheet) {
  if (GetActiveWindow() != sheet) return;
  const HWND focused = GetFocus();
  if (focused && IsWindowVisible(focused) && IsWindowEnabled(focused)) return;
  const HWND page = PropSheet_GetCurrentPageHwnd(sheet);
  if (const HWND first = page ? GetNextDlgTabItem(page, nullptr, FALSE) : nullptr)
    SetFocus(first);
}

bool dispatchToModeless(MSG& msg) {
  for (HWND sheet : sheets()) {
    if (!PropSheet_IsDialogMessage(sheet, &msg)) continue;
    keepFocusUsable(sheet);
    return true;
  }
  for (HWND dialog : dialogs())
    if (IsDialogMessageA(dialog, &msg)) return true;
  return false;
}

void closeFinishedSheets() {
  auto& list = sheets();
  for (auto it = list.begin(); it != list.end();) {
    if (!PropSheet_GetCurrentPageHwnd(*it)) {
      DestroyWindow(*it);
      it = list.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace dk
