// The client's results commands: the file dialogs of Save As and View; what follows the choice
// is the app layer's.
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include "app/results_commands.h"
#include "client_dialog.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"

namespace wkw {
namespace {

// A filter list of (label, pattern) pairs as the common dialogs want it: NUL-separated.
std::string filterList(std::initializer_list<std::pair<int, const char*>> filters) {
  std::string list;
  for (const auto& [label, pattern] : filters) {
    list += wk::loadString(label);
    list += '\0';
    list += pattern;
    list += '\0';
  }
  return list;
}

}  // namespace

void wkegowlTDLGClient::saveAs() {
  const std::string filters =
      filterList({{wk::kWkgFilter, "*.wkg"}, {wk::kAscFilter, "*.asc"}, {wk::kAllFilter, "*.*"}});
  const std::string directory = wk::ConfigData::instance().resultsDirectory();
  char file[256] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hwnd();
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = directory.c_str();
  ofn.lpstrTitle = wk::loadString(wk::kSaveResultsTitle);
  // Not OFN_FILEMUSTEXIST: saving is mostly to new names.
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameA(&ofn)) return;
  if (wk::app::saveResults(*this, session_, file, ofn.nFilterIndex == 1)) resetList();
}

void wkegowlTDLGClient::view() {
  const std::string filters = filterList({{wk::kWkgFilter, "*.wkg"}});
  const std::string directory = wk::ConfigData::instance().resultsDirectory();
  char file[256] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hwnd();
  ofn.lpstrFilter = filters.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = directory.c_str();
  ofn.lpstrDefExt = "*";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&ofn)) return;
  session_.view(file);
}

}  // namespace wkw
