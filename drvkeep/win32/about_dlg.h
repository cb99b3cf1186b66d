#pragma once
// TAboutDlg, the modeless About box, and THyperLink, its underlined links that open the web
// address or a mail to the support address.
#include <windows.h>

namespace dk {

void openAbout(HWND owner);

}  // namespace dk
