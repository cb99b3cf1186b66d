#include "key_filter.h"

#include "engine/base/message_port.h"
#include "framework/dialog.h"

namespace wkw {
namespace {

constexpr const char* kFilterProp = "WordkegKeyFilter";

struct Attached {
  KeyFilter filter;
  WNDPROC original;
};

LRESULT CALLBACK filteredProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* attached = static_cast<Attached*>(GetPropA(hwnd, kFilterProp));
  const WNDPROC original = attached->original;
  if (msg == WM_CHAR && static_cast<unsigned char>(wParam) >= 32 &&
      !attached->filter(hwnd, static_cast<char>(wParam))) {
    wk::beep();
    return 0;
  }
  if (msg == WM_NCDESTROY) {
    RemovePropA(hwnd, kFilterProp);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    delete attached;
  }
  return CallWindowProcA(original, hwnd, msg, wParam, lParam);
}

}  // namespace

void attachKeyFilter(HWND edit, KeyFilter filter) {
  if (!edit) return;
  auto* attached = new Attached{std::move(filter), nullptr};
  SetPropA(edit, kFilterProp, attached);
  attached->original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(filteredProcedure)));
}

KeyFilter acceptOnly(std::string accepted) {
  return [accepted = std::move(accepted)](HWND, char c) {
    return accepted.find(c) != std::string::npos;
  };
}

std::string textAfterTyping(HWND edit, char c) {
  std::string text = windowText(edit);
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start > text.size()) start = static_cast<DWORD>(text.size());
  if (end > text.size() || end < start) end = start;
  text.replace(start, end - start, 1, c);
  return text;
}

}  // namespace wkw
