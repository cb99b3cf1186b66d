#include "kestrel_window.h"

#include <shellapi.h>

#include <cstring>

#include "about_dlg.h"
#include "resource.h"
#include "settings_sheet.h"

namespace dk {
namespace {

constexpr const char* kClassName = "DrvKeepWindow";
constexpr UINT kTrayRecordSize = 88;  // the original notify-icon record, which every shell accepts

HMENU buildMenu() {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, CM_EXPLORER, "Explorer");
  AppendMenuA(menu, MF_STRING, CM_DEFRAG, "Defrag");
  AppendMenuA(menu, MF_STRING, CM_SCANDISK, "ScanDisk");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, CM_PROPERTIES, "Properties");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, CM_ABOUT, "About");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, CM_CLOSE, "Close");
  SetMenuDefaultItem(menu, CM_PROPERTIES, FALSE);
  return menu;
}

}  // namespace

bool TKestrelWindow::create(HINSTANCE instance) {
  instance_ = instance;
  WNDCLASSA wc = {};
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DRIVE));
  registerClass(wc);
  return Window::create(0, kClassName, "DrvKeep", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance) !=
         nullptr;
}

LRESULT TKestrelWindow::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      setUp();
      return 0;
    case WM_TIMER:
      if (wParam == kPollTimer) monitor_->poll();
      if (wParam == kFlashTimer) monitor_->flashTick();
      return 0;
    case kTrayMessage:
      if (LOWORD(lParam) == WM_LBUTTONDBLCLK) openSettingsSheet(hwnd(), instance_, state_);
      if (LOWORD(lParam) == WM_RBUTTONUP) showMenu();
      return 0;
    case WM_COMMAND:
      command(LOWORD(wParam));
      return 0;
    case WM_DESTROY:
      cleanUp();
      PostQuitMessage(0);
      return 0;
    default:
      return defaultHandling(msg, wParam, lParam);
  }
}

void TKestrelWindow::setUp() {
  // The program's folder becomes the current directory.
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  if (char* slash = std::strrchr(path, '\\')) *slash = 0;
  SetCurrentDirectoryA(path);
  menu_ = buildMenu();
  SetTimer(hwnd(), kPollTimer, 2000, nullptr);
  notify(NIM_ADD, kNormalIcon, kStartTip);
  state_.settings = readSettings(*state_.store);
  applyAutoStart(*state_.store, state_.settings.autoStart);
  monitor_ =
      std::make_unique<Monitor>(state_.settings, state_.drives, *state_.driveInfo, *this, *this);
}

void TKestrelWindow::cleanUp() {
  KillTimer(hwnd(), kPollTimer);
  KillTimer(hwnd(), kFlashTimer);
  state_.drives.clear();
  notify(NIM_DELETE, kNormalIcon, "");
  if (menu_) DestroyMenu(menu_);
}

void TKestrelWindow::command(UINT id) {
  const char* tool = id == CM_EXPLORER   ? "EXPLORER.EXE"
                     : id == CM_DEFRAG   ? "Defrag.exe"
                     : id == CM_SCANDISK ? "SCANDSKW.EXE"
                                         : nullptr;
  if (tool)
    ShellExecuteA(hwnd(), nullptr, tool, nullptr, nullptr, SW_SHOWNORMAL);  // failures ignored
  if (id == CM_PROPERTIES) openSettingsSheet(hwnd(), instance_, state_);
  if (id == CM_ABOUT) openAbout(hwnd());
  if (id == CM_CLOSE) DestroyWindow(hwnd());
}

void TKestrelWindow::showMenu() {
  POINT at;
  GetCursorPos(&at);
  SetForegroundWindow(hwnd());  // so the menu closes when the user clicks elsewhere
  // The icon's tooltip would stay on screen over the menu: it has none while the menu is open.
  showTip("");
  TrackPopupMenu(menu_, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
  PostMessageA(hwnd(), WM_NULL, 0, 0);
  showTip(tip_);
}

void TKestrelWindow::notify(DWORD action, int iconId, const std::string& tip) {
  NOTIFYICONDATAA data = {};
  data.cbSize = kTrayRecordSize;
  data.hWnd = hwnd();
  data.uID = 0;
  data.uFlags = NIF_MESSAGE | NIF_TIP | (iconId ? NIF_ICON : 0);
  data.uCallbackMessage = kTrayMessage;
  if (iconId)
    data.hIcon =
        static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, 0));
  lstrcpynA(data.szTip, tip.c_str(), 64);
  tip_ = tip;
  Shell_NotifyIconA(action, &data);  // results ignored: without a tray the monitor still runs
  if (data.hIcon) DestroyIcon(data.hIcon);
}

void TKestrelWindow::setTip(const std::string& tip) {
  tip_ = tip;
  showTip(tip);
}

void TKestrelWindow::showTip(const std::string& tip) {
  NOTIFYICONDATAA data = {};
  data.cbSize = kTrayRecordSize;
  data.hWnd = hwnd();
  data.uFlags = NIF_TIP;
  lstrcpynA(data.szTip, tip.c_str(), 64);
  Shell_NotifyIconA(NIM_MODIFY, &data);
}

void TKestrelWindow::setIcon(int iconId, const std::string& tip) {
  notify(NIM_MODIFY, iconId, tip);
}
void TKestrelWindow::beep() {
  MessageBeep(0xFFFFFFFF);
}

void TKestrelWindow::showWarning(const std::string& text, const std::string& caption) {
  MessageBoxA(hwnd(), text.c_str(), caption.c_str(), MB_ICONINFORMATION | MB_SYSTEMMODAL);
}

void TKestrelWindow::startFlashTimer() {
  SetTimer(hwnd(), kFlashTimer, 500, nullptr);
}
void TKestrelWindow::stopFlashTimer() {
  KillTimer(hwnd(), kFlashTimer);
}

}  // namespace dk
