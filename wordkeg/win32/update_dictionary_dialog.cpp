#include "update_dictionary_dialog.h"

#include "app/dictionary_dialogs.h"
#include "app/field_rules.h"
#include "engine/base/paths.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "framework/key_filter.h"
#include "framework/list_box.h"
#include "progress_dialog.h"
#include "resource.h"
#include "window_strings.h"

namespace wkw {

UpdateDictionary::UpdateDictionary(wk::app::DialogHost& host, wk::DictionaryNames& catalogue,
                                   wk::UpdateMode mode)
    : Dialog(NEW_WORD), host_(host), catalogue_(catalogue), mode_(mode) {}

void UpdateDictionary::onInit() {
  const bool add = mode_ == wk::UpdateMode::kAdd;
  SetWindowTextA(hwnd(), windowString(add ? kAddWordTitle : kRemoveWordTitle));
  setText(IDC_UPDATE, add ? "&Add" : "&Remove");
  attachKeyFilter(item(IDC_WORD), [longest = catalogue_.config().longestWord()](HWND edit, char c) {
    return wk::app::acceptableWhileTyping(textAfterTyping(edit, c), longest);
  });
  HWND combo = item(IDC_WORD_DICT);
  SendMessageA(combo, CB_LIMITTEXT, 256, 0);
  attachKeyFilter(FindWindowExA(combo, nullptr, "Edit", nullptr),
                  acceptOnly(wk::app::ruleOf(wk::app::Field::kDictionaryChoice).accepted));
  fill();
}

wk::RunOutcome UpdateDictionary::runOperation(wk::Operation& operation) {
  return ProgressDialog::run(hwnd(), operation);
}

void UpdateDictionary::showDictionaryList() {
  listShown_ = true;
  SendMessageA(item(IDC_WORD_DICT), CB_SHOWDROPDOWN, TRUE, 0);
}

void UpdateDictionary::fill() {
  HWND combo = item(IDC_WORD_DICT);
  std::string current = text(IDC_WORD_DICT);
  if (!current.empty()) current = wk::replaceExtension(current, "lex");
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : catalogue_.fileNames())
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  if (SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(current.c_str())) != CB_ERR)
    setText(IDC_WORD_DICT, current);
}

void UpdateDictionary::onCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_UPDATE: {
      listShown_ = false;
      const wk::app::Outcome outcome = wk::app::modifyDictionary(
          *this, catalogue_, mode_, text(IDC_WORD), text(IDC_WORD_DICT),
          comboTexts(item(IDC_WORD_DICT)));
      if (outcome == wk::app::Outcome::kRefused && !listShown_) SetFocus(item(IDC_WORD));
      if (!listShown_) fill();
      break;
    }
    case IDC_FIND_WORD:
      wk::app::findWord(catalogue_, text(IDC_WORD));
      break;
    case IDC_WORD_DICT:
      if (code == CBN_SETFOCUS) SendMessageA(item(IDC_WORD_DICT), CB_SHOWDROPDOWN, TRUE, 0);
      break;
    case IDCANCEL:
      end(IDCANCEL);
      break;
  }
}

}  // namespace wkw
