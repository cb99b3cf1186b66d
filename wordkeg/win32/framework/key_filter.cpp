#include "key_filter.h"

#include <utility>

#include "engine/base/message_port.h"
#include "winframe/filtered_edit.h"
#include "winframe/window.h"

namespace wkw {

void attachKeyFilter(HWND edit, KeyFilter filter, bool slashIsWildcard) {
  wf::attachFilteredEdit(edit, {std::move(filter), [] { wk::beep(); }, slashIsWildcard});
}

KeyFilter acceptOnly(std::string accepted) {
  return [accepted = std::move(accepted)](HWND, char c) {
    return accepted.find(c) != std::string::npos;
  };
}

std::string textAfterTyping(HWND edit, char c) {
  std::string text = wf::windowText(edit);
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start > text.size()) start = static_cast<DWORD>(text.size());
  if (end > text.size() || end < start) end = start;
  text.replace(start, end - start, 1, c);
  return text;
}

}  // namespace wkw
