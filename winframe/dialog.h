#pragma once
// Dialog: a dialog from a template of the program's resources, bound to its C++ object at
// WM_INITDIALOG (through the creation parameter, or a property-sheet page's lParam) until
// WM_NCDESTROY. Messages go to virtual handlers behind the exception boundary (boundary.h): a
// handler that throws has its exception reported, and the message counts as handled.
#include <windows.h>
// After windows.h, which it needs.
#include <prsht.h>

#include <memory>
#include <string>

namespace wf {

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
  // Creates `dialog` modeless over `parent`; its window owns the object from then on: it is
  // deleted after WM_NCDESTROY. Null, and the object deleted, on failure.
  static HWND createOwned(std::unique_ptr<Dialog> dialog, HWND parent);
  // A property-sheet page of `page`'s template in `instance`. The sheet owns the object from
  // then on: it is deleted when the sheet releases the page (shown or not).
  static PROPSHEETPAGEA sheetPage(std::unique_ptr<Dialog> page, HINSTANCE instance);
  HWND hwnd() const { return hwnd_; }
  HWND item(int id) const { return GetDlgItem(hwnd_, id); }

 protected:
  virtual void onInit() {}
  virtual void onCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
  virtual void onTimer(UINT_PTR /*id*/) {}
  // Any other message; set `handled` to keep the default handling away. The result is the
  // message's result (DWLP_MSGRESULT, or the procedure's own return for the WM_CTLCOLOR family
  // and the few others that return directly).
  virtual INT_PTR onMessage(UINT /*msg*/, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
  }
  // Runs onCommand; a program's family of dialogs may wrap what every command needs around it.
  virtual void runCommand(int id, int code, HWND control) { onCommand(id, code, control); }
  // Ends a modal dialog with `code` (or destroys a modeless one).
  void end(INT_PTR code);

  std::string text(int id) const;
  void setText(int id, const std::string& text);  // `text` in the program's form (text_codec.h)
  bool checked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
  void check(int id, bool on) { CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }
  void enable(int id, bool on) { EnableWindow(item(id), on); }

 private:
  static INT_PTR CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK pageProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static UINT CALLBACK pageCallback(HWND hwnd, UINT msg, PROPSHEETPAGEA* page);
  INT_PTR dispatch(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

  int templateId_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  bool ownedByWindow_ = false;
};

}  // namespace wf
