#pragma once
// UpdateDictionary: the Modify Dictionary dialog on NEW_WORD, in add or remove mode.
#include "app/dialog_host.h"
#include "engine/dict/word_lookup.h"
#include "framework/dialog.h"
#include "framework/help_context.h"

namespace wkw {

class UpdateDictionary : public Dialog {
 public:
  UpdateDictionary(wk::app::DialogHost& host, wk::UpdateMode mode);

 protected:
  void onInit() override;
  void onCommand(int id, int code, HWND control) override;

 private:
  void fill();

  wk::app::DialogHost& host_;
  wk::UpdateMode mode_;
  ScopedHelpContext help_{1037};
};

}  // namespace wkw
