#pragma once
// The message port of the Windows program: message boxes owned by the window that asks (set by
// the user-interface thread), task-modal when there is none or the caller is a worker thread.
#include <windows.h>

#include <atomic>

#include "engine/base/message_port.h"

namespace wkw {

class WinMessagePort : public wk::MessagePort {
 public:
  WinMessagePort();
  int show(const std::string& text, const std::string& caption, unsigned style) override;
  void beep() override { MessageBeep(0xFFFFFFFF); }
  // The window that owns boxes shown from the user-interface thread (null: task-modal).
  void setOwner(HWND owner) { owner_ = owner; }
  HWND owner() const { return owner_; }
  // The wait dialog of the running operation (null: none). A box its worker shows hides it for
  // the box's life: the box speaks for the operation, and the wait would otherwise surface
  // behind it as its ticks run on.
  void setWaitWindow(HWND wait) { wait_ = wait; }
  HWND waitWindow() const { return wait_; }

 private:
  DWORD uiThread_;
  HWND owner_ = nullptr;
  std::atomic<HWND> wait_{nullptr};
};

WinMessagePort& messagePort();

// Makes `owner` the owner of message boxes while alive; the previous owner comes back after.
class BoxOwner {
 public:
  explicit BoxOwner(HWND owner) : previous_(messagePort().owner()) {
    messagePort().setOwner(owner);
  }
  ~BoxOwner() { messagePort().setOwner(previous_); }
  BoxOwner(const BoxOwner&) = delete;
  BoxOwner& operator=(const BoxOwner&) = delete;

 private:
  HWND previous_;
};

}  // namespace wkw
