// wordkeg32 started beside a running command-line copy (which the calling script keeps alive):
// the window must leave that copy's marker in place at its start-up clean-up and count it as a
// running copy, so its dictionary commands stay disabled. Then it is closed normally.
// Usage: beside_cli_test WORDKEG32 HOME SHOTS
#include <windows.h>

#include <cstdio>
#include <string>

#include "gui_driver.h"

using namespace gui;

namespace {

int markers(const std::string& home) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((home + "\\temp\\*.wki").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

HWND frameOf(DWORD pid) {
  for (int waited = 0; waited < 10000; waited += 100, Sleep(100))
    if (HWND frame = topWindowOf("WkegTFrameWindow", pid, true)) return frame;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const std::string home = argv[2];
  shots = argv[3];
  scenario = "beside-cli";
  expect(markers(home) == 1, "the command-line copy's marker is there before the window starts");
  // Built piece by piece: GCC 12 warns falsely (-Wrestrict) on the chained "+".
  std::string command = "\"";
  command += argv[1];
  command += "\"";
  PROCESS_INFORMATION pi = start(command, home);
  HWND frame = frameOf(pi.dwProcessId);
  expect(frame != nullptr, "the window starts beside the command-line copy");
  HWND client = frame ? FindWindowExA(frame, nullptr, "#32770", nullptr) : nullptr;
  expect(markers(home) == 2, "its start-up clean-up leaves the command-line copy's marker");
  PostMessageA(client, WM_COMMAND, 7103, 0);  // Add Word
  Sleep(800);
  expect(dialogs(pi.dwProcessId, "Add Word").empty(),
         "Add Word is disabled while the command-line copy runs");
  PostMessageA(client, WM_COMMAND, 2, 0);  // Exit
  expect(waitExit(pi) == 0, "the window ends");
  expect(markers(home) == 1, "the window removes only its own marker");
  if (waitExit(pi, 0) == STILL_ACTIVE) TerminateProcess(pi.hProcess, 3);
  std::printf("%d failures\n", failures);
  return failures == 0 ? 0 : 1;
}
