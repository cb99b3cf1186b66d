#include "filtered_edit.h"

#include <memory>
#include <string>
#include <utility>

#include "subclass.h"

namespace wf {
namespace {

// The clipboard's text as UTF-16, or empty.
std::wstring clipboardText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

class FilteredEdit : public Subclass {
 public:
  explicit FilteredEdit(EditRules rules) : rules_(std::move(rules)) {}

 protected:
  LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    const bool ctrlV = msg == WM_CHAR && wParam == 0x16;
    const bool shiftInsert =
        msg == WM_KEYDOWN && wParam == VK_INSERT && (GetKeyState(VK_SHIFT) & 0x8000) &&
        !(GetKeyState(VK_CONTROL) & 0x8000);
    if (msg == WM_PASTE || ctrlV || shiftInsert) {
      paste();
      return 0;
    }
    if (msg != WM_CHAR || wParam < 32) return callOriginal(msg, wParam, lParam);
    if (!offer(static_cast<wchar_t>(wParam))) rules_.refused();
    return 0;
  }

 private:
  // Types `c` (as the edit's own WM_CHAR) when the rules take it; false when they refuse it.
  bool offer(wchar_t c) {
    if (c >= 0x80) return false;  // no field takes a character beyond ASCII
    char narrow = static_cast<char>(c);
    if (narrow == '/' && rules_.slashIsWildcard) narrow = '?';
    if (!rules_.accepts(hwnd(), narrow)) return false;
    callOriginal(WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(narrow)), 1);
    return true;
  }

  void paste() {
    bool refusedAny = false;
    for (const wchar_t c : clipboardText(hwnd())) {
      if (c == L'\r' || c == L'\n') continue;  // a copied line's end is no character of it
      if (!offer(c)) refusedAny = true;
    }
    if (refusedAny) rules_.refused();
  }

  EditRules rules_;
};

}  // namespace

void attachFilteredEdit(HWND edit, EditRules rules) {
  Subclass::attach(edit, std::make_unique<FilteredEdit>(std::move(rules)), true);
}

}  // namespace wf
