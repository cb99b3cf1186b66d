#pragma once
// Dialog: the base of wordkeg32's dialogs, the shared framework's dialog with one addition:
// message boxes raised by a command belong to the dialog that runs it.
#include "winframe/dialog.h"
#include "winframe/window.h"

namespace wkw {

class Dialog : public wf::Dialog {
 public:
  using wf::Dialog::Dialog;

 protected:
  void runCommand(int id, int code, HWND control) override;
};

using wf::windowText;

}  // namespace wkw
