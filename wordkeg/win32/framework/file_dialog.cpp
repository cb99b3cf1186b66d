#include "file_dialog.h"
// After windows.h (in file_dialog.h), which it needs.
#include <commdlg.h>

#include "winframe/text_codec.h"

namespace wkw {

std::string askFileName(const FileDialog& request, bool save, DWORD* filterIndex) {
  // The Unicode dialog: a folder or name outside the code page is given back whole, in the
  // program's form (text_codec.h), never with "?" in place of its letters.
  wchar_t file[MAX_PATH] = {};
  const std::wstring filters = wf::widen(request.filters);
  const std::wstring directory = wf::widen(request.initialDirectory);
  const std::wstring title = wf::widen(request.title ? request.title : "");
  const std::wstring extension =
      wf::widen(request.defaultExtension ? request.defaultExtension : "");
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = request.owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  ofn.lpstrTitle = request.title ? title.c_str() : nullptr;
  ofn.lpstrDefExt = request.defaultExtension ? extension.c_str() : nullptr;
  ofn.Flags = request.flags;
  // The working directory is the program's home, and the open dialog moves it as the user
  // browses whatever OFN_NOCHANGEDIR says: it is put back however the dialog ends.
  std::wstring home(GetCurrentDirectoryW(0, nullptr), L'\0');
  const bool known = !home.empty() && GetCurrentDirectoryW(static_cast<DWORD>(home.size()),
                                                           home.data()) == home.size() - 1;
  const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (known) SetCurrentDirectoryW(home.c_str());
  if (filterIndex) *filterIndex = ofn.nFilterIndex;
  return chosen ? wf::narrow(file) : "";
}

}  // namespace wkw
