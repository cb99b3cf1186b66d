#include "dialog.h"

#include <exception>

#include "engine/base/message_port.h"
#include "engine/base/string_table.h"
#include "engine/base/wordkeg_exception.h"
#include "win_message_port.h"

namespace wkw {

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
  SetDlgItemTextA(hwnd_, id, text.c_str());
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
  } catch (const wk::WordkegException& e) {
    if (!e.shown()) showBoundaryError(e.text().c_str());
  } catch (const std::exception& e) {
    showBoundaryError(e.what());
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  if (handled && msg != WM_INITDIALOG) SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
  return msg == WM_INITDIALOG ? TRUE : (handled ? TRUE : FALSE);
}

INT_PTR Dialog::dispatch(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (msg) {
    case WM_INITDIALOG:
      onInit();
      return TRUE;
    case WM_COMMAND: {
      // Boxes raised by a command belong to the dialog that runs it.
      BoxOwner owner(hwnd_);
      onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    }
    case WM_TIMER:
      onTimer(wParam);
      return 0;
    default:
      return onMessage(msg, wParam, lParam, handled);
  }
}

void showBoundaryError(const char* what) {
  wk::showMessage(what, wk::str(wk::kExceptionCaption), wk::mb::kIconStop | wk::mb::kOk);
}

std::string windowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace wkw
