#pragma once
// MergeDictionaries: the Merge Dictionaries dialog on MERGE_DICTS.
#include "app/dialog_host.h"
#include "framework/dialog.h"
#include "framework/help_context.h"

namespace wk {
class DictionaryNames;
}

namespace wkw {

class MergeDictionaries : public Dialog {
 public:
  MergeDictionaries(wk::app::DialogHost& host, wk::DictionaryNames& catalogue);

 protected:
  void onInit() override;
  void onCommand(int id, int code, HWND control) override;

 private:
  void fill();

  wk::app::DialogHost& host_;
  wk::DictionaryNames& catalogue_;
  ScopedHelpContext help_{1029};
};

}  // namespace wkw
