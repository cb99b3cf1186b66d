#include "about_dialog.h"

#include "engine/base/string_table.h"

namespace wkw {

void AboutDlg::onInit() {
  setText(IDC_ABOUT_TITLE, wk::loadString(wk::kMainTitle));
}

void AboutDlg::onCommand(int id, int, HWND) {
  if (id == IDOK || id == IDCANCEL) end(id);
}

}  // namespace wkw
