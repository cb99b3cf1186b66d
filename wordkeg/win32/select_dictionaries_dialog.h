#pragma once
// SelectDictionaries: the Select Dictionaries dialog on SELECT_DICTS. Its list (a list box with
// a right-button menu) shows every dictionary with its selection mark; the main window opens the
// other dictionary dialogs over it and has it refill its list afterwards.
#include <string>
#include <vector>

#include "app/dialog_host.h"
#include "framework/dialog.h"
#include "framework/help_context.h"

namespace wk {
class DictionaryNames;
}

namespace wkw {

class SelectDictionaries : public Dialog {
 public:
  // `client` receives the menu's dictionary commands and shows the status texts.
  SelectDictionaries(HWND client, wk::app::DialogHost& host, wk::DictionaryNames& catalogue);
  // Refills the list, keeping its first visible line.
  void refill();
  // The file names of the highlighted lines, in list order (ListBoxStrings).
  std::vector<std::string> highlighted() const;
  void deleteHighlighted();
  void showDetails();

 protected:
  void onInit() override;
  void onCommand(int id, int code, HWND control) override;
  INT_PTR onMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void showMenu(int x, int y);

  HWND client_;
  wk::app::DialogHost& host_;
  wk::DictionaryNames& catalogue_;
  ScopedHelpContext help_{1054};
};

}  // namespace wkw
