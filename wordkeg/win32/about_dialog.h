#pragma once
// AboutDlg: the About box on ABOUT_DLG.
#include "framework/dialog.h"
#include "resource.h"

namespace wkw {

class AboutDlg : public Dialog {
 public:
  AboutDlg() : Dialog(ABOUT_DLG) {}

 protected:
  void onInit() override;
  void onCommand(int id, int code, HWND control) override;
};

}  // namespace wkw
