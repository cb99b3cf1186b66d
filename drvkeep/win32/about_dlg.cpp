#include "about_dlg.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "modeless.h"
#include "resource.h"

namespace dk {
namespace {

// THyperLink ------------------------------------------------------------------------------

enum class LinkMode { kWeb = 0, kMail = 1 };

struct THyperLink {
  LinkMode mode;
  WNDPROC base;
  HFONT font;
};

THyperLink* linkOf(HWND hwnd) {
  return reinterpret_cast<THyperLink*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void paintLink(HWND hwnd, THyperLink& link) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  LOGFONTA underlined = {};
  GetObjectA(link.font, sizeof underlined, &underlined);
  underlined.lfUnderline = TRUE;
  HFONT font = CreateFontIndirectA(&underlined);
  HGDIOBJ old = SelectObject(dc, font);
  SetTextColor(dc, RGB(0, 0, 255));
  SetBkMode(dc, TRANSPARENT);
  char text[99] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  TextOutA(dc, 0, 0, text, lstrlenA(text));
  SelectObject(dc, old);
  DeleteObject(font);
  EndPaint(hwnd, &ps);
}

void openLink(HWND hwnd, const THyperLink& link) {
  char text[99] = {};
  GetWindowTextA(hwnd, text, link.mode == LinkMode::kWeb ? 99 : 92);
  const std::string target =
      link.mode == LinkMode::kMail ? std::string("mailto:") + text : std::string(text);
  ShellExecuteA(GetParent(hwnd), nullptr, target.c_str(), nullptr, nullptr,
                SW_SHOWNORMAL);  // failures ignored
}

LRESULT CALLBACK linkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  THyperLink* link = linkOf(hwnd);
  switch (msg) {
    case WM_PAINT:
      paintLink(hwnd, *link);
      return 0;
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE)),
                            MAKEINTRESOURCEA(IDC_HAND_CURSOR)));
      return TRUE;
    case WM_LBUTTONDOWN:
      openLink(hwnd, *link);
      return 0;
    case WM_NCDESTROY: {
      const WNDPROC base = link->base;
      delete link;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      return CallWindowProcA(base, hwnd, msg, wParam, lParam);
    }
    default:
      return CallWindowProcA(link->base, hwnd, msg, wParam, lParam);
  }
}

void makeLink(HWND dialog, int id, LinkMode mode) {
  HWND control = GetDlgItem(dialog, id);
  auto* link = new THyperLink{mode, nullptr,
                              reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0))};
  SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(link));
  link->base = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(linkProc)));
}

// TAboutDlg -------------------------------------------------------------------------------

void addTip(HWND dialog) {
  HWND tips = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, nullptr,
                              nullptr);
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = dialog;
  tool.uId = 654;
  tool.rect = {0, 0, 20, 20};
  tool.lpszText = const_cast<char*>("Tip !!");
  SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      makeLink(dialog, IDC_WEB_LINK, LinkMode::kWeb);
      makeLink(dialog, IDC_MAIL_LINK, LinkMode::kMail);
      addTip(dialog);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      removeDialog(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void openAbout(HWND owner, HINSTANCE instance) {
  HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, aboutProc, 0);
  if (!dialog) return;
  addDialog(dialog);
  ShowWindow(dialog, SW_SHOW);
}

}  // namespace dk
