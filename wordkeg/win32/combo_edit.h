#pragma once
// TComboEdit: the edit part of a search field's combo box, with its keystroke filter (a refused
// character beeps and is dropped) and typed-length limit; and the field's history of ten.
#include <windows.h>

#include <string>
#include <vector>

namespace wkw {

class TComboEdit {
 public:
  // Attaches to combo box `combo`; `accepted` lists the printable characters the field takes.
  TComboEdit(HWND combo, const char* accepted, int maxLength);
  std::string text() const;
  // The text a notice `code` leaves: on a pick from the list (CBN_SELCHANGE) the picked entry,
  // which reaches the edit only after the notice; otherwise the edit's text.
  std::string textOnNotice(int code) const;
  void setText(const std::string& text);
  // Puts the current text at the top of the history (at most ten, newest first).
  void pushHistory();
  // Selects the history entry equal to `text` if there is one, else sets the text.
  void selectOrSet(const std::string& text);
  std::vector<std::string> history() const;

 private:
  HWND combo_;
};

}  // namespace wkw
