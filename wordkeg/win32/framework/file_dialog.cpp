#include "file_dialog.h"
// After windows.h (in file_dialog.h), which it needs.
#include <commdlg.h>

namespace wkw {

std::string askFileName(const FileDialog& request, bool save, DWORD* filterIndex) {
  char file[MAX_PATH] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = request.owner;
  ofn.lpstrFilter = request.filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir =
      request.initialDirectory.empty() ? nullptr : request.initialDirectory.c_str();
  ofn.lpstrTitle = request.title;
  ofn.lpstrDefExt = request.defaultExtension;
  ofn.Flags = request.flags;
  const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (filterIndex) *filterIndex = ofn.nFilterIndex;
  return chosen ? file : "";
}

}  // namespace wkw
