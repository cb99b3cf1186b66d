#include "frame_window.h"

#include <cstdio>

#include "engine/base/string_table.h"
#include "resource.h"
#include "window_strings.h"

namespace wkw {
namespace {

constexpr const char* kClass = "WkegTFrameWindow";
const int kStatusIds[3] = {IDC_STATUS_TEXT, IDC_FOUND, IDC_CHECKED};

ATOM registerFrameClass() {
  WNDCLASSA wc = {};
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(WORDKEG_ICO));
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kClass;
  return wf::Window::registerClass(wc);
}

}  // namespace

WkegTFrameWindow::WkegTFrameWindow() {
  static const ATOM atom = registerFrameClass();
  (void)atom;
  // Clipping its children keeps the frame from painting over the dialog and the status bar.
  create(0, kClass, windowString(kMainTitle), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10, 100,
         100, nullptr, LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_MAIN)),
         GetModuleHandleA(nullptr));
  // The frame's own handling starts once it exists: the layout needs the parts made here.
  built_ = true;
  createStatusBar();
}

void WkegTFrameWindow::attach(HWND client, int showCommand) {
  client_ = client;
  RECT r;
  GetWindowRect(client_, &r);
  // Shrink (or grow) the frame so that its client area holds the dialog and the status bar.
  RECT want = {0, 0, r.right - r.left, r.bottom - r.top + statusHeight_};
  AdjustWindowRect(&want, WS_OVERLAPPEDWINDOW, TRUE);
  SetWindowPos(hwnd(), nullptr, 0, 0, want.right - want.left, want.bottom - want.top,
               SWP_NOMOVE | SWP_NOZORDER);
  // The fields keep their width, so the frame keeps its; the list may lose half its height.
  RECT list = {};
  GetWindowRect(GetDlgItem(client_, IDC_RESULTS), &list);
  minimum_ = {want.right - want.left, want.bottom - want.top - (list.bottom - list.top) / 2};
  layout();
  ShowWindow(client_, SW_SHOW);
  ShowWindow(hwnd(), showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE ||
                            showCommand == SW_SHOWMINNOACTIVE
                        ? SW_SHOWMINIMIZED
                        : SW_SHOWNORMAL);
}

void WkegTFrameWindow::createStatusBar() {
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  font_ =
      CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  for (int i = 0; i < 3; ++i) {
    status_[i] =
        CreateWindowExA(WS_EX_STATICEDGE, "Static", "",
                        WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | (i ? SS_RIGHT : SS_LEFT), 0, 0, 0,
                        0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusIds[i])),
                        GetModuleHandleA(nullptr), nullptr);
    SendMessageA(status_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  HDC dc = GetDC(hwnd());
  HGDIOBJ old = SelectObject(dc, font_);
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(hwnd(), dc);
  statusHeight_ = tm.tmHeight + 8;
  charWidth_ = tm.tmAveCharWidth;
}

void WkegTFrameWindow::layout() {
  RECT r;
  GetClientRect(hwnd(), &r);
  const int top = r.bottom - statusHeight_;
  MoveWindow(client_, 0, 0, r.right, top, TRUE);
  // The gadgets are 6 and 9 characters wide (plus the labels shown before the first count).
  const int found = charWidth_ * 6 + 40, checked = charWidth_ * 9 + 50;
  const int textWidth = r.right - found - checked - 4;
  MoveWindow(status_[0], 0, top + 2, textWidth > 0 ? textWidth : 0, statusHeight_ - 2, TRUE);
  MoveWindow(status_[1], r.right - found - checked - 2, top + 2, found, statusHeight_ - 2, TRUE);
  MoveWindow(status_[2], r.right - checked, top + 2, checked, statusHeight_ - 2, TRUE);
  // A move to where the grown frame had nothing yet is not always repainted by itself.
  for (HWND part : status_)
    RedrawWindow(part, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void WkegTFrameWindow::setStatusText(const std::string& text) {
  statusText_ = text;
  SetWindowTextA(status_[0], text.c_str());
}

void WkegTFrameWindow::setGadget(int id, const std::string& text) {
  SetWindowTextA(status_[id == IDC_FOUND ? 1 : 2], text.c_str());
}

void WkegTFrameWindow::refreshTitle(long found) {
  if (minimised()) {
    char title[64];
    std::snprintf(title, sizeof title, windowString(kMinimisedTitle), found);
    SetWindowTextA(hwnd(), title);
    titleShowsCount_ = true;
  } else if (titleShowsCount_) {
    SetWindowTextA(hwnd(), windowString(kMainTitle));
    titleShowsCount_ = false;
  }
}

void WkegTFrameWindow::restoreTitle() {
  if (!titleShowsCount_) return;
  SetWindowTextA(hwnd(), windowString(kMainTitle));
  titleShowsCount_ = false;
}

void WkegTFrameWindow::showHint(UINT item, UINT flags) {
  // Items that open a sub-menu have no command and no hint. A closed menu gives back what the
  // program said ("Searching"): the window menu that minimises or maximises must not wipe it.
  const bool command = flags != 0xFFFF && !(flags & (MF_POPUP | MF_SEPARATOR));
  const std::string text = command           ? windowString(static_cast<int>(item))
                           : flags == 0xFFFF ? statusText_
                                             : "";
  SetWindowTextA(status_[0], text.c_str());
}

LRESULT WkegTFrameWindow::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!built_) return defaultHandling(msg, wParam, lParam);
  switch (msg) {
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) layout();
      SendMessageA(client_, kFrameSized, 0, 0);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_CLOSE) break;
      [[fallthrough]];
    case WM_CLOSE:
      // Closing the frame is the client's Cancel: it may ask, and it ends the program itself.
      PostMessageA(client_, WM_COMMAND, IDCANCEL, 0);
      return 0;
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_ENTERIDLE:
      return SendMessageA(client_, msg, wParam, lParam);
    case WM_GETMINMAXINFO:
      if (minimum_.x > 0) reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = minimum_;
      return 0;
    case WM_MENUSELECT:
      showHint(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_SETFOCUS:
      SetFocus(client_);
      return 0;
    case WM_DESTROY:
      DeleteObject(font_);
      PostQuitMessage(0);
      return 0;
  }
  return defaultHandling(msg, wParam, lParam);
}

}  // namespace wkw
