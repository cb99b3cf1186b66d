#include "window.h"

#include "boundary.h"
#include "text_codec.h"

namespace wf {

Window::~Window() {
  if (hwnd_) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
}

ATOM Window::registerClass(WNDCLASSA wc) {
  wc.lpfnWndProc = procedure;
  return RegisterClassA(&wc);
}

HWND Window::create(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance) {
  return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                         instance, this);
}

LRESULT Window::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return defaultHandling(msg, wParam, lParam);
}

LRESULT Window::defaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  const LRESULT result =
      guarded<LRESULT>(0, [&] { return self->onMessage(msg, wParam, lParam); });
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

std::string windowText(HWND hwnd) {
  // Read as Unicode: a path typed or chosen outside the code page comes back whole (text_codec.h).
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return narrow(text);
}

}  // namespace wf
