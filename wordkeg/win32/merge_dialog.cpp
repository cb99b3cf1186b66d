#include "merge_dialog.h"

#include "app/dictionary_dialogs.h"
#include "app/field_rules.h"
#include "engine/dict/dictionary_names.h"
#include "framework/key_filter.h"
#include "framework/list_box.h"
#include "make_dict_dialog.h"
#include "resource.h"

namespace wkw {

MergeDictionaries::MergeDictionaries(wk::app::DialogHost& host, wk::DictionaryNames& catalogue)
    : Dialog(MERGE_DICTS), host_(host), catalogue_(catalogue) {}

void MergeDictionaries::onInit() {
  SendMessageA(item(IDC_MERGE_NAME), EM_LIMITTEXT, 255, 0);
  attachKeyFilter(item(IDC_MERGE_NAME),
                  acceptOnly(wk::app::ruleOf(wk::app::Field::kDictionaryName).accepted));
  fill();
}

void MergeDictionaries::fill() {
  HWND list = item(IDC_MERGE_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : catalogue_.fileNames())
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void MergeDictionaries::onCommand(int id, int, HWND) {
  if (id == IDCANCEL) {
    end(IDCANCEL);
    return;
  }
  if (id != IDOK) return;
  const std::vector<std::string> selected = highlightedTexts(item(IDC_MERGE_LIST));
  if (wk::app::mergeDictionaries(host_, catalogue_, selected, text(IDC_MERGE_NAME),
                                 checked(IDC_DELETE_MERGED)) == wk::app::Outcome::kDone)
    fill();
}

}  // namespace wkw
