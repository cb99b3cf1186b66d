#include "make_dict_dialog.h"

#include "app/dictionary_dialogs.h"
#include "app/field_rules.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "framework/file_dialog.h"
#include "framework/key_filter.h"
#include "resource.h"
#include "winframe/subclass.h"
#include "winframe/text_codec.h"

namespace wkw {

MakeDictFromFile::MakeDictFromFile(wk::app::DialogHost& host, wk::DictionaryNames& catalogue)
    : Dialog(MAKE_DICT_DLG), host_(host), catalogue_(catalogue) {}

void MakeDictFromFile::onInit() {
  SendMessageA(item(IDC_MAKE_FILE), EM_LIMITTEXT, 259, 0);
  // A Unicode control, so that a path outside the code page is held whole, typed or browsed.
  wf::Subclass::attach(item(IDC_MAKE_FILE), std::make_unique<wf::Subclass>(), true);
  SendMessageA(item(IDC_MAKE_NAME), EM_LIMITTEXT, 255, 0);
  attachKeyFilter(item(IDC_MAKE_NAME),
                  acceptOnly(wk::app::ruleOf(wk::app::Field::kDictionaryName).accepted));
}

void MakeDictFromFile::browse() {
  FileDialog request;
  request.owner = hwnd();
  static const char kFilters[] = "All Files (*.*)\0*.*\0Text Files (*.txt)\0*.txt\0";
  request.filters.assign(kFilters, sizeof kFilters - 1);
  request.defaultExtension = "*";
  request.flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  const std::string path = askFileName(request, false);
  if (path.empty()) return;
  setText(IDC_MAKE_FILE, path);
  // Scroll so that the file name, not the start of the path, is in view.
  const std::wstring shown = wf::widen(path);
  const size_t slash = shown.find_last_of(L"\\/");
  if (slash != std::wstring::npos)
    SendMessageW(item(IDC_MAKE_FILE), EM_LINESCROLL, static_cast<WPARAM>(slash), 0);
  SetFocus(item(IDC_MAKE_NAME));
}

void MakeDictFromFile::onCommand(int id, int, HWND) {
  switch (id) {
    case IDC_BROWSE:
      browse();
      break;
    case IDC_UNIQUE:
      if (checked(IDC_UNIQUE) && !catalogue_.config().reminderSilenced())
        TimeWarning(catalogue_.config()).runModal(hwnd());
      break;
    case IDOK:
      wk::app::makeDictionary(host_, catalogue_, text(IDC_MAKE_FILE), text(IDC_MAKE_NAME),
                              checked(IDC_UNIQUE));
      break;
    case IDCANCEL:
      end(IDCANCEL);
      break;
  }
}

TimeWarning::TimeWarning(const wk::ConfigData& config)
    : Dialog(TIME_WARNING_DLG), config_(config) {}

void TimeWarning::onCommand(int id, int, HWND) {
  if (id == IDC_DONT_SHOW)
    config_.setReminderSilenced(checked(IDC_DONT_SHOW));
  else if (id == IDOK || id == IDCANCEL)
    end(id);
}

}  // namespace wkw
