#include "win_message_port.h"

namespace wkw {

WinMessagePort::WinMessagePort() : uiThread_(GetCurrentThreadId()) {}

int WinMessagePort::show(const std::string& text, const std::string& caption, unsigned style) {
  HWND owner = GetCurrentThreadId() == uiThread_ ? owner_ : nullptr;
  if (owner && !IsWindow(owner)) owner = nullptr;
  if (!owner) style |= MB_TASKMODAL;
  // Texts loaded by id are at most 255 characters; composed texts (file lists) may be longer.
  return MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

WinMessagePort& messagePort() {
  static WinMessagePort port;
  return port;
}

}  // namespace wkw
