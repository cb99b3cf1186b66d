#include "about_dialog.h"

#include "engine/base/string_table.h"
#include "window_strings.h"

namespace wkw {

void AboutDlg::onInit() {
  setText(IDC_ABOUT_TITLE, windowString(kMainTitle));
}

void AboutDlg::onCommand(int id, int, HWND) {
  if (id == IDOK || id == IDCANCEL) end(id);
}

}  // namespace wkw
