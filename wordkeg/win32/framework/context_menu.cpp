#include "context_menu.h"

#include <algorithm>
#include <cstring>

#include "vlist/vlist_protocol.h"

namespace wkw {

POINT contextMenuPoint(HWND target, LPARAM lParam) {
  if (lParam != -1) return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  POINT at = {0, 0};
  char cls[32] = {};
  GetClassNameA(target, cls, sizeof cls);
  if (std::strcmp(cls, "ListBox") == 0) {
    RECT item;
    const LRESULT caret = SendMessageA(target, LB_GETCARETINDEX, 0, 0);
    if (caret >= 0 && SendMessageA(target, LB_GETITEMRECT, static_cast<WPARAM>(caret),
                                   reinterpret_cast<LPARAM>(&item)) != LB_ERR)
      at = {item.left + 8, item.bottom};
  } else if (std::strcmp(cls, "VList") == 0) {
    const LRESULT point = SendMessageA(target, vlist::kCaretPoint, 0, 0);
    at = {LOWORD(point), HIWORD(point)};
  }
  RECT client;
  GetClientRect(target, &client);
  at.x = std::max(client.left, std::min(at.x, client.right));
  at.y = std::max(client.top, std::min(at.y, client.bottom));
  ClientToScreen(target, &at);
  return at;
}

}  // namespace wkw
