#pragma once
// UpdateDictionary: the Modify Dictionary dialog on NEW_WORD, in add or remove mode.
#include "app/dialog_host.h"
#include "engine/dict/word_lookup.h"
#include "framework/dialog.h"
#include "framework/help_context.h"

namespace wk {
class DictionaryNames;
}

namespace wkw {

class UpdateDictionary : public Dialog, public wk::app::DialogHost {
 public:
  UpdateDictionary(wk::app::DialogHost& host, wk::DictionaryNames& catalogue, wk::UpdateMode mode);

 protected:
  void onInit() override;
  // DialogHost: the main window's, plus this dialog's dictionary list.
  void setStatus(int stringId) override { host_.setStatus(stringId); }
  wk::RunOutcome runOperation(wk::Operation& operation) override;
  void showDictionaryList() override;
  void onCommand(int id, int code, HWND control) override;

 private:
  void fill();

  wk::app::DialogHost& host_;
  wk::DictionaryNames& catalogue_;
  wk::UpdateMode mode_;
  bool listShown_ = false;
  ScopedHelpContext help_{1037};
};

}  // namespace wkw
