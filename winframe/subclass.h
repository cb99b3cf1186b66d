#pragma once
// Subclass: an existing control (an edit, a static) whose messages an object sees first, for the
// control's life. The control owns the object: it is deleted after the control's WM_NCDESTROY.
// Its handler runs behind the exception boundary (boundary.h): when it throws, the exception is
// reported and the message returns 0 without reaching the control.
#include <windows.h>

#include <memory>

namespace wf {

class Subclass {
 public:
  Subclass() = default;
  virtual ~Subclass() = default;
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;

  // Gives `control` to `subclass`. False, and the object dropped, when there is no control or
  // it already has a subclass of this framework (one per control). `wide`: the object sees the
  // control's messages as Unicode (WM_CHAR carries UTF-16), whatever the control was made as;
  // callOriginal() then passes them on as Unicode too.
  static bool attach(HWND control, std::unique_ptr<Subclass> subclass, bool wide = false);

 protected:
  HWND hwnd() const { return hwnd_; }
  // Handles a message of the control; the default passes it on to the control's own procedure.
  // WM_NCDESTROY never comes here: it goes straight to the control, and the object is deleted.
  virtual LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT callOriginal(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK procedureW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
  bool wide_ = false;
};

}  // namespace wf
