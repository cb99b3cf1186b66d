#include "dialog.h"

#include "boundary.h"
#include "text_codec.h"
#include "window.h"

namespace wf {
namespace {

// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool returnsDirectly(UINT msg) {
  return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM ||
         msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON;
}

}  // namespace

INT_PTR Dialog::runModal(HWND parent) {
  modal_ = true;
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent,
                         procedure, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::create(HWND parent) {
  modal_ = false;
  return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent,
                            procedure, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::createOwned(std::unique_ptr<Dialog> dialog, HWND parent) {
  HWND hwnd = dialog->create(parent);
  // Only a window that exists takes the object: one that failed gave no WM_NCDESTROY to go by.
  if (hwnd) dialog.release()->ownedByWindow_ = true;
  return hwnd;
}

PROPSHEETPAGEA Dialog::sheetPage(std::unique_ptr<Dialog> page, HINSTANCE instance) {
  PROPSHEETPAGEA sheetPage = {};
  sheetPage.dwSize = sizeof sheetPage;
  sheetPage.dwFlags = PSP_USECALLBACK;
  sheetPage.hInstance = instance;
  sheetPage.pszTemplate = MAKEINTRESOURCEA(page->templateId_);
  sheetPage.pfnDlgProc = pageProcedure;
  sheetPage.pfnCallback = pageCallback;
  sheetPage.lParam = reinterpret_cast<LPARAM>(page.release());
  return sheetPage;
}

void Dialog::end(INT_PTR code) {
  if (modal_)
    EndDialog(hwnd_, code);
  else
    DestroyWindow(hwnd_);
}

std::string Dialog::text(int id) const {
  return windowText(item(id));
}

void Dialog::setText(int id, const std::string& text) {
  SetDlgItemTextW(hwnd_, id, widen(text).c_str());
}

INT_PTR CALLBACK Dialog::pageProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // A page is created with its sheet page record; the object rides in the record's lParam.
  if (msg == WM_INITDIALOG) lParam = reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam;
  return procedure(hwnd, msg, wParam, lParam);
}

UINT CALLBACK Dialog::pageCallback(HWND, UINT msg, PROPSHEETPAGEA* page) {
  if (msg == PSPCB_RELEASE) delete reinterpret_cast<Dialog*>(page->lParam);
  return 1;  // PSPCB_CREATE: the page may be created
}

INT_PTR CALLBACK Dialog::procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    reinterpret_cast<Dialog*>(lParam)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (!self) return FALSE;
  bool handled = true;
  INT_PTR result = 0;
  try {
    result = self->dispatch(msg, wParam, lParam, handled);
  } catch (...) {
    reportCurrentException();
    handled = true;
    result = 0;
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    if (self->ownedByWindow_) delete self;
  }
  if (msg == WM_INITDIALOG) return TRUE;
  if (!handled) return FALSE;
  if (returnsDirectly(msg)) return result;
  SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR Dialog::dispatch(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (msg) {
    case WM_INITDIALOG:
      onInit();
      return TRUE;
    case WM_COMMAND:
      runCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_TIMER:
      onTimer(wParam);
      return 0;
    default:
      return onMessage(msg, wParam, lParam, handled);
  }
}

}  // namespace wf
