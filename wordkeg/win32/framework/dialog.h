#pragma once
// Dialog: the one dispatch point of every dialog of the program. The dialog procedure binds the
// C++ object at WM_INITDIALOG and hands messages to virtual handlers; an exception never leaves
// a handler through Windows, it is shown and the message counts as handled.
#include <windows.h>

#include <string>

namespace wkw {

class Dialog {
 public:
  explicit Dialog(int templateId) : templateId_(templateId) {}
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog modally over `parent`; returns the code end() was given.
  INT_PTR runModal(HWND parent);
  // Creates the dialog as a child or modeless window of `parent`; null on failure.
  HWND create(HWND parent);
  HWND hwnd() const { return hwnd_; }
  HWND item(int id) const { return GetDlgItem(hwnd_, id); }

 protected:
  virtual void onInit() {}
  virtual void onCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
  virtual void onTimer(UINT_PTR /*id*/) {}
  // Any other message; set `handled` to keep the default handling away.
  virtual INT_PTR onMessage(UINT /*msg*/, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
  }
  // Ends a modal dialog with `code` (or destroys a modeless one).
  void end(INT_PTR code);

  std::string text(int id) const;
  void setText(int id, const std::string& text);
  bool checked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
  void check(int id, bool on) { CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }
  void enable(int id, bool on) { EnableWindow(item(id), on); }

 private:
  static INT_PTR CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  INT_PTR dispatch(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

  int templateId_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

// Shows the text of an exception that reached a window boundary.
void showBoundaryError(const char* what);

// The text of any window.
std::string windowText(HWND hwnd);

}  // namespace wkw
