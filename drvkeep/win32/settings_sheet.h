#pragma once
// The "Drive Keeper" property sheet (modeless): TDiskListDlg, TAlertDlg and TAutoDlg pages.
#include <windows.h>

#include "kestrel_window.h"

namespace dk {

// Opens a new sheet owned by `owner`; the pages change `state` and the registry on Apply.
void openSettingsSheet(HWND owner, HINSTANCE instance, MonitorState& state);

}  // namespace dk
