#include "dialog.h"

#include "win_message_port.h"

namespace wkw {

void Dialog::runCommand(int id, int code, HWND control) {
  BoxOwner owner(hwnd());
  onCommand(id, code, control);
}

}  // namespace wkw
