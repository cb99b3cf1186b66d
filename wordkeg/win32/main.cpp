// wordkeg32: the entry. Raises nothing but the program: stale temporary files are removed when
// no other copy runs, the result list library is loaded, the main window runs.
#include <windows.h>

#include <exception>

#include "app/process_home.h"
#include "client_dialog.h"
#include "engine/base/file_ops.h"
#include "engine/base/message_port.h"
#include "engine/base/string_table.h"
#include "engine/base/system_path.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/instance_marker.h"
#include "frame_window.h"
#include "framework/boundary_error.h"
#include "framework/win_message_port.h"
#include "resource.h"
#include "window_strings.h"
#include "winframe/boundary.h"
#include "winframe/text_codec.h"

namespace {

void removeStaleTemporaries(const wk::ConfigData& config) {
  // Another copy's window, or a copy without one (the command line) that holds its marker.
  if (FindWindowA(nullptr, wkw::windowString(wkw::kMainTitle))) return;
  if (wk::InstanceMarker::runningCopies(config) > 0) return;
  wk::deleteMatching(config.tempPath("*.$$$"));
  wk::deleteMatching(config.tempPath("$$*.*"));
}

// "/" typed anywhere in the main dialog is the one-letter wildcard.
void translateSlash(MSG& msg, HWND client) {
  if (msg.message == WM_CHAR && msg.wParam == '/' && IsChild(client, msg.hwnd)) msg.wParam = '?';
}

int runMessageLoop(HWND frame, HWND client) {
  HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_MAIN));
  // Unicode messages: a character outside the code page reaches the fields' filters as itself
  // (an ANSI loop would have made it "?", the wildcard).
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsWindow(frame) && TranslateAcceleratorW(frame, accelerators, &msg)) continue;
    translateSlash(msg, client);
    if (IsWindow(client) && IsDialogMessageW(client, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int run(int showCommand) {
  const wk::ConfigData& config = wk::app::processConfig();
  removeStaleTemporaries(config);
  HMODULE list = LoadLibraryA("vlist32.dll");
  if (!list) {
    wk::showMessageIds(wk::kVlistMissing, wk::kFileErrorDotCaption,
                       wk::mb::kOk | wk::mb::kTaskModal);
    return 1;
  }
  int status = 0;
  {
    wkw::WkegTFrameWindow frame;
    wkw::wkegowlTDLGClient client(wk::app::processCatalogue());
    client.setFrame(&frame);
    if (client.create(frame.hwnd()) == nullptr) return 1;
    frame.attach(client.hwnd(), showCommand);
    status = runMessageLoop(frame.hwnd(), client.hwnd());
  }
  wk::app::closeProcessCatalogue();
  FreeLibrary(list);
  return status;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  // Paths the user picks may hold characters outside the code page (text_codec.h).
  wk::installPathCodec({wf::widen, wf::narrow});
  wk::installMessagePort(&wkw::messagePort());
  wf::setErrorReporter(wkw::reportBoundaryError);
  try {
    return run(showCommand);
  } catch (const std::exception& e) {
    wkw::reportBoundaryError(e);
  }
  return 1;
}
