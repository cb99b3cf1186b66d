// TKestrelApp: drvkeep's entry. One copy runs at a time; the hidden main window does the rest.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "boundary_error.h"
#include "drvkeep/core/settings.h"
#include "kestrel_window.h"
#include "modeless.h"
#include "system_ports.h"
#include "winframe/boundary.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CreateMutexA(nullptr, TRUE, "Drive Keeper");
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;  // another monitor runs: end silently
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES | ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
  wf::setErrorReporter(dk::reportBoundaryError);
  dk::Win32Drives drives;
  dk::RegistryStore store;
  dk::MonitorState state;
  state.driveInfo = &drives;
  state.store = &store;
  state.drives = dk::monitoredDrives(drives, store);
  dk::TKestrelWindow window(state);
  if (!window.create(instance)) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (dk::dispatchToModeless(msg)) {
      dk::closeFinishedSheets();
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    dk::closeFinishedSheets();
  }
  return 0;
}
