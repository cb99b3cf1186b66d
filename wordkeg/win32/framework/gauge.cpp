#include "gauge.h"

#include <algorithm>
#include <cstdio>

namespace wkw {
namespace {

constexpr const char* kClass = "WordkegGauge";
constexpr int kMargin = 2;

void paint(HWND hwnd, int value) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
  InflateRect(&r, -kMargin, -kMargin);
  RECT bar = r;
  bar.right = r.left + (r.right - r.left) * value / 100;
  FillRect(dc, &bar, GetSysColorBrush(COLOR_HIGHLIGHT));
  char text[8];
  std::snprintf(text, sizeof text, "%d%%", value);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  DrawTextA(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
}

}  // namespace

Gauge::Gauge(HWND parent, int id, const RECT& r) {
  static const bool registered = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
  hwnd_ =
      CreateWindowExA(0, kClass, "", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(hwnd_, 0, 0);
}

void Gauge::setValue(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (percent == value_) return;
  value_ = percent;
  SetWindowLongPtrA(hwnd_, 0, percent);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CALLBACK Gauge::procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    paint(hwnd, static_cast<int>(GetWindowLongPtrA(hwnd, 0)));
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace wkw
