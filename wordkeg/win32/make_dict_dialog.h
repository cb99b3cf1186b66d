#pragma once
// MakeDictFromFile: the Make Dictionary From File dialog on MAKE_DICT_DLG, and TimeWarning, the
// reminder shown when the unique-words mode is chosen.
#include "app/dialog_host.h"
#include "framework/dialog.h"
#include "framework/help_context.h"

namespace wkw {

class MakeDictFromFile : public Dialog {
 public:
  explicit MakeDictFromFile(wk::app::DialogHost& host);

 protected:
  void onInit() override;
  void onCommand(int id, int code, HWND control) override;

 private:
  void browse();

  wk::app::DialogHost& host_;
  ScopedHelpContext help_{1008};
};

class TimeWarning : public Dialog {
 public:
  TimeWarning();

 protected:
  void onCommand(int id, int code, HWND control) override;
};

}  // namespace wkw
