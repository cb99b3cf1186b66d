#include "subclass.h"

#include "boundary.h"

namespace wf {
namespace {

// A property, not GWLP_USERDATA: that belongs to the control's own class.
constexpr const char* kProperty = "WinframeSubclass";

}  // namespace

bool Subclass::attach(HWND control, std::unique_ptr<Subclass> subclass, bool wide) {
  if (!control || GetPropA(control, kProperty)) return false;
  Subclass* self = subclass.release();
  self->hwnd_ = control;
  self->wide_ = wide;
  SetPropA(control, kProperty, self);
  self->original_ = reinterpret_cast<WNDPROC>(
      wide ? SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedureW))
           : SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  return true;
}

LRESULT Subclass::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return callOriginal(msg, wParam, lParam);
}

LRESULT Subclass::callOriginal(UINT msg, WPARAM wParam, LPARAM lParam) {
  return wide_ ? CallWindowProcW(original_, hwnd_, msg, wParam, lParam)
               : CallWindowProcA(original_, hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Subclass::procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return dispatch(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Subclass::procedureW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return dispatch(hwnd, msg, wParam, lParam);
}

LRESULT Subclass::dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<Subclass*>(GetPropA(hwnd, kProperty));
  if (msg != WM_NCDESTROY)
    return guarded<LRESULT>(0, [&] { return self->onMessage(msg, wParam, lParam); });
  // The control's end: it gets its own procedure back and the object goes.
  const std::unique_ptr<Subclass> owned(self);
  RemovePropA(hwnd, kProperty);
  if (self->wide_) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->original_));
    return CallWindowProcW(self->original_, hwnd, msg, wParam, lParam);
  }
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->original_));
  return CallWindowProcA(self->original_, hwnd, msg, wParam, lParam);
}

}  // namespace wf
