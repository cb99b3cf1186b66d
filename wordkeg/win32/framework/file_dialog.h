#pragma once
// The system's file-open and file-save dialogs.
#include <windows.h>

#include <string>

namespace wkw {

struct FileDialog {
  HWND owner = nullptr;
  std::string filters;  // "label\0pattern\0..." as the common dialogs want it
  std::string initialDirectory;
  const char* title = nullptr;
  const char* defaultExtension = nullptr;
  DWORD flags = 0;
};

// Shows the open (or, with `save`, the save) dialog. The chosen path, or "" when cancelled;
// `filterIndex` (1-based) tells which filter was selected.
std::string askFileName(const FileDialog& request, bool save, DWORD* filterIndex = nullptr);

}  // namespace wkw
