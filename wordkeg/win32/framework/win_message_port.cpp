#include "win_message_port.h"

#include "winframe/text_codec.h"

namespace wkw {

WinMessagePort::WinMessagePort() : uiThread_(GetCurrentThreadId()) {}

int WinMessagePort::show(const std::string& text, const std::string& caption, unsigned style) {
  const bool worker = GetCurrentThreadId() != uiThread_;
  HWND owner = worker ? nullptr : owner_;
  const HWND wait = worker ? wait_.load() : nullptr;
  const bool hideWait = wait && IsWindow(wait) && IsWindowVisible(wait);
  if (hideWait) ShowWindow(wait, SW_HIDE);
  if (owner && !IsWindow(owner)) owner = nullptr;
  if (!owner) style |= MB_TASKMODAL;
  // The control the user was in gets the keyboard back: after the box, Windows activates the
  // owner but gives no control of its dialog the focus, and keys would go nowhere.
  const HWND focused = GetFocus();
  // Texts loaded by id are at most 255 characters; composed texts (file lists) may be longer.
  // Unicode, for a path outside the code page that the text may name (text_codec.h).
  const int answer = MessageBoxW(owner, wf::widen(text).c_str(), wf::widen(caption).c_str(), style);
  if (focused && IsWindow(focused) && IsWindowVisible(focused) && IsWindowEnabled(focused))
    SetFocus(focused);
  if (hideWait && IsWindow(wait)) ShowWindow(wait, SW_SHOWNA);
  return answer;
}

WinMessagePort& messagePort() {
  static WinMessagePort port;
  return port;
}

}  // namespace wkw
