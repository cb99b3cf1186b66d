#include "key_filter.h"

#include <utility>

#include "engine/base/message_port.h"
#include "winframe/subclass.h"
#include "winframe/window.h"

namespace wkw {
namespace {

class FilteredEdit : public wf::Subclass {
 public:
  explicit FilteredEdit(KeyFilter filter) : filter_(std::move(filter)) {}

 protected:
  LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CHAR && static_cast<unsigned char>(wParam) >= 32 &&
        !filter_(hwnd(), static_cast<char>(wParam))) {
      wk::beep();
      return 0;
    }
    return callOriginal(msg, wParam, lParam);
  }

 private:
  KeyFilter filter_;
};

}  // namespace

void attachKeyFilter(HWND edit, KeyFilter filter) {
  wf::Subclass::attach(edit, std::make_unique<FilteredEdit>(std::move(filter)));
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
