#pragma once
// The percentage gauge of the wait dialogs: a bar with its value as "42%", range 0..100,
// values outside clamped; repainted only when the value changes.
#include <windows.h>

namespace wkw {

class Gauge {
 public:
  // Creates the gauge as child `id` of `parent` at `r` (pixels).
  Gauge(HWND parent, int id, const RECT& r);
  void setValue(int percent);
  int value() const { return value_; }

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_;
  int value_ = 0;
};

}  // namespace wkw
