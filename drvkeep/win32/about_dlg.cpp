#include "about_dlg.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "modeless.h"
#include "resource.h"
#include "winframe/dialog.h"
#include "winframe/subclass.h"

namespace dk {
namespace {

// THyperLink ------------------------------------------------------------------------------

enum class LinkMode { kWeb = 0, kMail = 1 };

class THyperLink : public wf::Subclass {
 public:
  THyperLink(LinkMode mode, HFONT font) : mode_(mode), font_(font) {}

 protected:
  LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_PAINT:
        paint();
        return 0;
      case WM_SETCURSOR:
        SetCursor(
            LoadCursorA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd(), GWLP_HINSTANCE)),
                        MAKEINTRESOURCEA(IDC_HAND_CURSOR)));
        return TRUE;
      case WM_LBUTTONDOWN:
        open();
        return 0;
      default:
        return callOriginal(msg, wParam, lParam);
    }
  }

 private:
  void paint();
  void open();

  LinkMode mode_;
  HFONT font_;
};

void THyperLink::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  LOGFONTA underlined = {};
  GetObjectA(font_, sizeof underlined, &underlined);
  underlined.lfUnderline = TRUE;
  HFONT font = CreateFontIndirectA(&underlined);
  HGDIOBJ old = SelectObject(dc, font);
  SetTextColor(dc, RGB(0, 0, 255));
  SetBkMode(dc, TRANSPARENT);
  char text[99] = {};
  GetWindowTextA(hwnd(), text, sizeof text);
  TextOutA(dc, 0, 0, text, lstrlenA(text));
  SelectObject(dc, old);
  DeleteObject(font);
  EndPaint(hwnd(), &ps);
}

void THyperLink::open() {
  char text[99] = {};
  GetWindowTextA(hwnd(), text, mode_ == LinkMode::kWeb ? 99 : 92);
  const std::string target =
      mode_ == LinkMode::kMail ? std::string("mailto:") + text : std::string(text);
  // A system with no browser or mail program set up opens nothing: say so.
  const auto opened = reinterpret_cast<INT_PTR>(
      ShellExecuteA(GetParent(hwnd()), nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (opened <= 32) {
    const std::string text =
        "Could not open " + target + ": no program on this computer is set up to open it.";
    MessageBoxA(GetParent(hwnd()), text.c_str(), "About Drive Keeper", MB_ICONEXCLAMATION | MB_OK);
  }
}

void makeLink(HWND dialog, int id, LinkMode mode) {
  wf::Subclass::attach(GetDlgItem(dialog, id),
                       std::make_unique<THyperLink>(
                           mode, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0))));
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

class TAboutDlg : public wf::Dialog {
 public:
  TAboutDlg() : Dialog(IDD_ABOUT) {}

 protected:
  void onInit() override {
    makeLink(hwnd(), IDC_WEB_LINK, LinkMode::kWeb);
    makeLink(hwnd(), IDC_MAIL_LINK, LinkMode::kMail);
    addTip(hwnd());
  }
  void onCommand(int id, int, HWND) override {
    if (id == IDOK || id == IDCANCEL) DestroyWindow(hwnd());
  }
  INT_PTR onMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) override {
    if (msg == WM_CTLCOLORSTATIC) {
      // The texts on the dialog's grey, not on boxes of the default white.
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    if (msg == WM_DESTROY) {
      removeDialog(hwnd());
      return TRUE;
    }
    handled = false;
    return 0;
  }
};

}  // namespace

void openAbout(HWND owner) {
  HWND dialog = wf::Dialog::createOwned(std::make_unique<TAboutDlg>(), owner);
  if (!dialog) return;
  addDialog(dialog);
  ShowWindow(dialog, SW_SHOW);
}

}  // namespace dk
