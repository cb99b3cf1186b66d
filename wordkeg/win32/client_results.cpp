// The client's results commands: the file dialogs of Save As and View; what follows the choice
// is the app layer's.
#include "app/results_commands.h"
#include "client_dialog.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "framework/file_dialog.h"
#include "window_strings.h"

namespace wkw {
namespace {

// A filter list of (label, pattern) pairs as the common dialogs want it: NUL-separated.
std::string filterList(std::initializer_list<std::pair<int, const char*>> filters) {
  std::string list;
  for (const auto& [label, pattern] : filters) {
    list += windowString(label);
    list += '\0';
    list += pattern;
    list += '\0';
  }
  return list;
}

}  // namespace

void wkegowlTDLGClient::saveAs() {
  FileDialog request;
  request.owner = hwnd();
  request.filters = filterList({{kWkgFilter, "*.wkg"}, {kAscFilter, "*.asc"}, {kAllFilter, "*.*"}});
  request.initialDirectory = catalogue_.config().resultsDirectory();
  request.title = windowString(kSaveResultsTitle);
  // Not OFN_FILEMUSTEXIST: saving is mostly to new names.
  request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  DWORD filter = 1;
  const std::string file = askFileName(request, true, &filter);
  if (!file.empty() && wk::app::saveResults(*this, session_, file, filter == 1)) resetList();
}

void wkegowlTDLGClient::view() {
  FileDialog request;
  request.owner = hwnd();
  request.filters = filterList({{kWkgFilter, "*.wkg"}});
  request.initialDirectory = catalogue_.config().resultsDirectory();
  request.defaultExtension = "*";
  request.flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  const std::string file = askFileName(request, false);
  if (!file.empty()) session_.view(file);
}

}  // namespace wkw
