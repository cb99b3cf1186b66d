#include "combo_edit.h"

#include "app/search_checks.h"
#include "framework/dialog.h"
#include "framework/key_filter.h"
#include "framework/list_box.h"

namespace wkw {
TComboEdit::TComboEdit(HWND combo, const char* accepted, int maxLength) : combo_(combo) {
  SendMessageA(combo_, CB_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  // "/" arrives as "?": the message loop turns a typed one into the wildcard before any field
  // sees it, and the filter a pasted one.
  attachKeyFilter(FindWindowExA(combo_, nullptr, "Edit", nullptr), acceptOnly(accepted), true);
}

std::string TComboEdit::text() const {
  return windowText(combo_);
}

void TComboEdit::setText(const std::string& text) {
  SetWindowTextA(combo_, text.c_str());
}

std::string TComboEdit::textOnNotice(int code) const {
  if (code != CBN_SELCHANGE) return text();
  const LRESULT at = SendMessageA(combo_, CB_GETCURSEL, 0, 0);
  const std::vector<std::string> entries = history();
  return at >= 0 && static_cast<size_t>(at) < entries.size() ? entries[static_cast<size_t>(at)]
                                                             : text();
}

std::vector<std::string> TComboEdit::history() const {
  return comboTexts(combo_);
}

void TComboEdit::pushHistory() {
  const std::string current = text();
  if (current.empty()) return;
  std::vector<std::string> entries = history();
  wk::app::pushHistory(entries, current);
  SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
  for (const auto& entry : entries)
    SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageA(combo_, CB_SETCURSEL, 0, 0);
}

void TComboEdit::selectOrSet(const std::string& text) {
  const LRESULT at = SendMessageA(combo_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(text.c_str()));
  if (at != CB_ERR) {
    SendMessageA(combo_, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  } else {
    SendMessageA(combo_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    setText(text);
  }
}

}  // namespace wkw
