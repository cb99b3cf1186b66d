// vlist32.dll: the virtual result list. It registers the window class "VList" when loaded and
// never holds the rows itself: each row it draws is asked of its parent by number (the find item
// request), so a list of any length costs only the rows on the screen. The selected row's text
// is the window's text (for screen readers and test drivers).
#include <windows.h>

#include <algorithm>
#include <string>

#include "vlist_protocol.h"

namespace {

HINSTANCE module;

struct ListState {
  int rows = 0;
  int top = 0;
  int selected = -1;
  int tabStop = 32;  // dialog units
  HFONT font = nullptr;
  int lineHeight = 0;  // of the font, measured when first needed after it is set
  int charWidth = 0;   // the font's average character width, measured with the line height
};

ListState* state(HWND hwnd) {
  return reinterpret_cast<ListState*>(GetWindowLongPtrA(hwnd, 0));
}

// Asks the parent for `request`; false when it gave no row.
bool ask(HWND hwnd, int message, vlist::Request& request) {
  SendMessageA(GetParent(hwnd), message, 0, reinterpret_cast<LPARAM>(&request));
  return request.status == 0;
}

std::string rowText(HWND hwnd, int row) {
  vlist::Request request;
  request.data = row;
  if (!ask(hwnd, vlist::request::kFindItem, request) || !request.text) return {};
  return request.text;
}

void measureFont(HWND hwnd, ListState* s) {
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, s->font ? s->font : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  s->lineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
  s->charWidth = std::max(1, static_cast<int>(tm.tmAveCharWidth));
}

int lineHeight(HWND hwnd) {
  ListState* s = state(hwnd);
  if (s->lineHeight == 0) measureFont(hwnd, s);
  return s->lineHeight;
}

// The tab stop in pixels. Its dialog units are quarters of this font's average character, the
// same measure the parent divides the list's width by when it decides how many entries a row
// holds; any other measure (the system font's) would push the last columns out of sight.
int columnWidth(HWND hwnd) {
  ListState* s = state(hwnd);
  lineHeight(hwnd);
  return std::max(1, MulDiv(s->tabStop, s->charWidth, 4));
}

// Draws each TAB-ended entry of `text` at the start of its own column, so an entry wider than
// the average never shifts the entries after it.
void drawEntries(HDC dc, int top, const std::string& text, int column) {
  int x = 2;
  for (size_t start = 0; start < text.size(); x += column) {
    size_t end = text.find('\t', start);
    if (end == std::string::npos) end = text.size();
    TextOutA(dc, x, top, text.data() + start, static_cast<int>(end - start));
    start = end + 1;
  }
}

int visibleRows(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return std::max(1, static_cast<int>((r.bottom - r.top) / lineHeight(hwnd)));
}

void updateScrollBar(HWND hwnd) {
  ListState* s = state(hwnd);
  SCROLLINFO info = {sizeof info,
                     SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL,
                     0,
                     std::max(0, s->rows - 1),
                     static_cast<UINT>(visibleRows(hwnd)),
                     s->top,
                     0};
  SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
}

void scrollTo(HWND hwnd, int top) {
  ListState* s = state(hwnd);
  top = std::clamp(top, 0, std::max(0, s->rows - visibleRows(hwnd)));
  if (top == s->top) return;
  s->top = top;
  updateScrollBar(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void select(HWND hwnd, int row) {
  ListState* s = state(hwnd);
  if (s->rows == 0) return;
  s->selected = std::clamp(row, 0, s->rows - 1);
  if (s->selected < s->top) scrollTo(hwnd, s->selected);
  if (s->selected >= s->top + visibleRows(hwnd))
    scrollTo(hwnd, s->selected - visibleRows(hwnd) + 1);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void reset(HWND hwnd) {
  ListState* s = state(hwnd);
  vlist::Request request;
  s->rows = ask(hwnd, vlist::request::kRange, request)
                ? std::max(0, static_cast<int>(request.index))
                : 0;
  s->top = 0;
  s->selected = s->rows > 0 ? 0 : -1;
  updateScrollBar(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void selectRequested(HWND hwnd, WPARAM which, LPARAM data) {
  vlist::Request request;
  request.data = static_cast<int32_t>(data);
  request.index = static_cast<int32_t>(data);
  if (ask(hwnd, static_cast<int>(which), request)) select(hwnd, request.index);
}

void paint(HWND hwnd) {
  ListState* s = state(hwnd);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  const bool enabled = IsWindowEnabled(hwnd);
  FillRect(dc, &client, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  HGDIOBJ old = SelectObject(dc, s->font ? s->font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const int height = lineHeight(hwnd);
  const int column = columnWidth(hwnd);
  const bool focused = GetFocus() == hwnd;
  const int shown = visibleRows(hwnd);
  for (int i = 0; i <= shown && s->top + i < s->rows; ++i) {
    const int row = s->top + i;
    RECT line = {client.left, i * height, client.right, (i + 1) * height};
    const bool chosen = row == s->selected;
    if (chosen) FillRect(dc, &line, GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(!enabled            ? COLOR_GRAYTEXT
                                 : chosen && focused ? COLOR_HIGHLIGHTTEXT
                                                     : COLOR_WINDOWTEXT));
    drawEntries(dc, line.top, rowText(hwnd, row), column);
  }
  SelectObject(dc, old);
  EndPaint(hwnd, &ps);
}

void scrollBy(HWND hwnd, WPARAM code) {
  ListState* s = state(hwnd);
  const int page = visibleRows(hwnd);
  switch (LOWORD(code)) {
    case SB_LINEUP:
      scrollTo(hwnd, s->top - 1);
      break;
    case SB_LINEDOWN:
      scrollTo(hwnd, s->top + 1);
      break;
    case SB_PAGEUP:
      scrollTo(hwnd, s->top - page);
      break;
    case SB_PAGEDOWN:
      scrollTo(hwnd, s->top + page);
      break;
    case SB_TOP:
      scrollTo(hwnd, 0);
      break;
    case SB_BOTTOM:
      scrollTo(hwnd, s->rows);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info = {sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(hwnd, SB_VERT, &info);
      scrollTo(hwnd, info.nTrackPos);
      break;
    }
  }
}

bool key(HWND hwnd, WPARAM vk) {
  ListState* s = state(hwnd);
  const int page = visibleRows(hwnd);
  switch (vk) {
    case VK_UP:
      select(hwnd, s->selected - 1);
      return true;
    case VK_DOWN:
      select(hwnd, s->selected + 1);
      return true;
    case VK_PRIOR:
      select(hwnd, s->selected - page);
      return true;
    case VK_NEXT:
      select(hwnd, s->selected + page);
      return true;
    case VK_HOME:
      select(hwnd, 0);
      return true;
    case VK_END:
      select(hwnd, s->rows - 1);
      return true;
    default:
      return false;
  }
}

LRESULT textOfSelection(HWND hwnd, WPARAM size, LPARAM buffer) {
  if (size == 0 || !buffer) return 0;
  ListState* s = state(hwnd);
  const std::string text = s->selected >= 0 ? rowText(hwnd, s->selected) : std::string();
  const size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
  char* out = reinterpret_cast<char*>(buffer);
  text.copy(out, n);
  out[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ListState* s = state(hwnd);
  switch (msg) {
    case WM_NCCREATE:
      SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(new ListState));
      break;
    case WM_NCDESTROY:
      delete s;
      SetWindowLongPtrA(hwnd, 0, 0);
      break;
    case vlist::kInitialise:
    case vlist::kReset:
      reset(hwnd);
      return 0;
    case vlist::kSelect:
      selectRequested(hwnd, wParam, lParam);
      return 0;
    case vlist::kGetSelected:
      return s->selected;
    case vlist::kCaretPoint: {
      const int row = s->selected - s->top;
      const bool inView = s->selected >= 0 && row >= 0 && row < visibleRows(hwnd);
      return MAKELONG(8, inView ? (row + 1) * lineHeight(hwnd) : 0);
    }
    case vlist::kSetTabStops:
      if (wParam >= 1 && lParam) s->tabStop = *reinterpret_cast<const int*>(lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 1;
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      s->lineHeight = 0;
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    case WM_GETTEXT:
      return textOfSelection(hwnd, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return s->selected >= 0 ? static_cast<LRESULT>(rowText(hwnd, s->selected).size()) : 0;
    case WM_PAINT:
      paint(hwnd);
      return 0;
    case WM_SIZE:
      updateScrollBar(hwnd);
      break;
    case WM_VSCROLL:
      scrollBy(hwnd, wParam);
      return 0;
    case WM_MOUSEWHEEL:
      scrollTo(hwnd, s->top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      select(hwnd, s->top + static_cast<short>(HIWORD(lParam)) / lineHeight(hwnd));
      return 0;
    case WM_KEYDOWN:
      if (key(hwnd, wParam)) return 0;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    module = instance;
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "VList";
    return RegisterClassA(&wc) != 0;
  }
  if (reason == DLL_PROCESS_DETACH) UnregisterClassA("VList", module);
  return TRUE;
}
