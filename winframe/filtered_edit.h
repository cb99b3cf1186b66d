#pragma once
// An edit control whose typing and pasting pass the same rules. It reads characters as Unicode,
// so one outside the code page (字, or é where the code page lacks it) reaches the rules as what
// it is and is refused, never turned into "?". A paste (Ctrl+V, Shift+Insert, the context menu's
// Paste) is typed character by character through the rules: what they accept goes in, and one
// refusal is signalled for what they refuse.
#include <windows.h>

#include <functional>

namespace wf {

struct EditRules {
  // True to let the printable ASCII character `c` into `edit` (its text as typing would leave
  // it: see textAfterTyping in the front end).
  std::function<bool(HWND edit, char c)> accepts;
  // Told once per refused keystroke or paste (a beep).
  std::function<void()> refused;
  // "/" is the one-letter wildcard in this field: a pasted "/" arrives as "?", as a typed one.
  bool slashIsWildcard = false;
};

// Attaches `rules` to `edit` for the control's life (one set per edit).
void attachFilteredEdit(HWND edit, EditRules rules);

}  // namespace wf
