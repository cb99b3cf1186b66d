// The client dialog's resize layout: the result list follows the window, Start and Cancel keep
// to the bottom-right, the options to the bottom-left; the rows re-flow to the new width.
#include "client_dialog.h"
#include "app/result_list.h"
#include "resource.h"
#include "vlist/vlist_protocol.h"

namespace wkw {
namespace {

RECT childRect(HWND parent, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

void wkegowlTDLGClient::captureLayout() {
  RECT client;
  GetClientRect(hwnd(), &client);
  const RECT list = childRect(hwnd(), item(IDC_RESULTS));
  listMargin_ = {client.right - list.right, client.bottom - list.bottom};
  const int ids[5] = {IDC_START, IDCANCEL, IDC_OPTIONS_BOX, IDC_USE_ALL, IDC_SUPPRESS};
  for (int i = 0; i < 5; ++i) {
    const RECT r = childRect(hwnd(), item(ids[i]));
    const bool right = i < 2;
    anchors_[i] = {ids[i], right, {right ? client.right - r.left : r.left, client.bottom - r.top}};
  }
}

void wkegowlTDLGClient::layout() {
  if (!anchors_[0].id) return;  // before set-up
  RECT client;
  GetClientRect(hwnd(), &client);
  HWND list = item(IDC_RESULTS);
  const RECT r = childRect(hwnd(), list);
  MoveWindow(list, r.left, r.top, std::max(0L, client.right - listMargin_.cx - r.left),
             std::max(0L, client.bottom - listMargin_.cy - r.top), TRUE);
  remeasureAndReflow();
  for (const Anchor& a : anchors_) {
    const int x = a.right ? client.right - a.offset.x : a.offset.x;
    SetWindowPos(item(a.id), nullptr, x, client.bottom - a.offset.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  }
  // The children too: the dialog's erase paints over them, and a moved control is not always
  // repainted by itself where the grown window had nothing yet.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void wkegowlTDLGClient::remeasure() {
  HWND list = item(IDC_RESULTS);
  RECT r;
  GetClientRect(list, &r);
  HDC dc = GetDC(list);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd(), WM_GETFONT, 0, 0)));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  session_.list().setWidth(tm.tmAveCharWidth > 0 ? r.right / tm.tmAveCharWidth : 0);
}

void wkegowlTDLGClient::remeasureAndReflow() {
  HWND list = item(IDC_RESULTS);
  const int old = session_.list().entriesPerRow();
  remeasure();
  if (session_.searching()) return;
  const int selected = static_cast<int>(SendMessageA(list, vlist::kGetSelected, 0, 0));
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  resetList();
  if (selected >= 0) {
    const int row = wk::app::reflowRow(old, selected, session_.list().entriesPerRow());
    SendMessageA(list, vlist::kSelect, vlist::request::kFindItem, row);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace wkw
