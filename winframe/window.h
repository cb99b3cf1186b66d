#pragma once
// Window: a window of a class of our own, bound to its C++ object from WM_NCCREATE (through the
// creation parameter) to WM_NCDESTROY, with one virtual handler behind the exception boundary
// (boundary.h): a handler that throws has its exception reported, and the message returns 0.
#include <windows.h>

#include <string>

namespace wf {

class Window {
 public:
  Window() = default;
  // Unbinds a window that still exists: it lives on with the default handling only.
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }

  // Registers the class `wc` describes, with the framework's procedure as its lpfnWndProc;
  // windows of it must be made with create().
  static ATOM registerClass(WNDCLASSA wc);

 protected:
  // CreateWindowExA for this object; null on failure. Messages reach onMessage from
  // WM_NCCREATE on (the few sent before it get the default handling).
  HWND create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
              int width, int height, HWND parent, HMENU menu, HINSTANCE instance);
  // Handles a message of the bound window; the default handling is DefWindowProcA.
  virtual LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT defaultHandling(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

// The text of any window of this process, in the program's form (text_codec.h).
std::string windowText(HWND hwnd);

}  // namespace wf
