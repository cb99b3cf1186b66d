#include "win_message_port.h"

namespace wkw {

WinMessagePort::WinMessagePort() : uiThread_(GetCurrentThreadId()) {}

int WinMessagePort::show(const std::string& text, const std::string& caption, unsigned style) {
  HWND owner = GetCurrentThreadId() == uiThread_ ? owner_ : nullptr;
  if (owner && !IsWindow(owner)) owner = nullptr;
  if (!owner) style |= MB_TASKMODAL;
  // The control the user was in gets the keyboard back: after the box, Windows activates the
  // owner but gives no control of its dialog the focus, and keys would go nowhere.
  const HWND focused = GetFocus();
  // Texts loaded by id are at most 255 characters; composed texts (file lists) may be longer.
  const int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), style);
  if (focused && IsWindow(focused) && IsWindowVisible(focused) && IsWindowEnabled(focused))
    SetFocus(focused);
  return answer;
}

WinMessagePort& messagePort() {
  static WinMessagePort port;
  return port;
}

}  // namespace wkw
