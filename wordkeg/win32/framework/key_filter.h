#pragma once
// Keystroke filters on edit controls: each typed or pasted character is offered to the filter
// before the edit sees it; a refused character beeps and is dropped (a paste beeps once).
// Control characters typed always pass; a character outside ASCII never does.
#include <windows.h>

#include <functional>
#include <string>

namespace wkw {

// `edit` is the control; `c` the character typed. True to let it through.
using KeyFilter = std::function<bool(HWND edit, char c)>;

// Attaches `filter` to the edit control `edit` for the control's life (one filter per edit).
// `slashIsWildcard`: a pasted "/" arrives as "?", as the main dialog's message loop makes a
// typed one.
void attachKeyFilter(HWND edit, KeyFilter filter, bool slashIsWildcard = false);

// A filter that takes the printable characters listed in `accepted`.
KeyFilter acceptOnly(std::string accepted);

// The text `edit` would hold if `c` replaced its selection.
std::string textAfterTyping(HWND edit, char c);

}  // namespace wkw
