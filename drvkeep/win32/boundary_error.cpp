#include "boundary_error.h"

#include <windows.h>

#include "drvkeep/core/monitor.h"

namespace dk {

void reportBoundaryError(const std::exception& e) {
  // No owner: the main window is never shown, and a sheet may be the one that failed.
  MessageBoxA(nullptr, e.what(), kCaption, MB_ICONSTOP | MB_OK | MB_TASKMODAL);
}

}  // namespace dk
