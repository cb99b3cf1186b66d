#include "combo_edit.h"

#include "engine/base/message_port.h"
#include "engine/search/search_data.h"
#include "framework/dialog.h"

namespace wkw {
namespace {
constexpr const char* kSelf = "TComboEdit";
}

TComboEdit::TComboEdit(HWND combo, const char* accepted, int maxLength)
    : combo_(combo), accepted_(accepted) {
  SendMessageA(combo_, CB_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  HWND edit = FindWindowExA(combo_, nullptr, "Edit", nullptr);
  if (!edit) return;
  SetPropA(edit, kSelf, this);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProcedure)));
}

bool TComboEdit::accepts(char c) const {
  if (static_cast<unsigned char>(c) < 32) return true;
  if (c == '/') c = '?';
  return accepted_.find(c) != std::string::npos;
}

LRESULT CALLBACK TComboEdit::editProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TComboEdit*>(GetPropA(hwnd, kSelf));
  if (msg == WM_CHAR) {
    if (wParam == '/') wParam = '?';
    if (!self->accepts(static_cast<char>(wParam))) {
      wk::beep();
      return 0;
    }
  }
  if (msg == WM_NCDESTROY) RemovePropA(hwnd, kSelf);
  return CallWindowProcA(self->original_, hwnd, msg, wParam, lParam);
}

std::string TComboEdit::text() const {
  return windowText(combo_);
}

void TComboEdit::setText(const std::string& text) {
  SetWindowTextA(combo_, text.c_str());
}

std::vector<std::string> TComboEdit::history() const {
  std::vector<std::string> entries;
  const int count = static_cast<int>(SendMessageA(combo_, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const int length = static_cast<int>(SendMessageA(combo_, CB_GETLBTEXTLEN, i, 0));
    std::string entry(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<size_t>(length));
    entries.push_back(entry);
  }
  return entries;
}

void TComboEdit::pushHistory() {
  const std::string current = text();
  if (current.empty()) return;
  std::vector<std::string> entries = history();
  wk::pushHistory(entries, current);
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
