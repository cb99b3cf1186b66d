// The client's dictionary commands: each opens its dialog over the Select Dictionaries dialog
// when that is open (else over the client) and has it refill its list afterwards.
#include "client_dialog.h"
#include "make_dict_dialog.h"
#include "merge_dialog.h"
#include "resource.h"
#include "select_dictionaries_dialog.h"
#include "update_dictionary_dialog.h"

namespace wkw {

void wkegowlTDLGClient::dictionaryCommand(int id) {
  const HWND parent = select_ ? select_->hwnd() : hwnd();
  switch (id) {
    case CM_SELECT: {
      SelectDictionaries dialog(hwnd(), *this, catalogue_);
      select_ = &dialog;
      dialog.runModal(hwnd());
      select_ = nullptr;
      return;
    }
    case CM_ADD_WORD:
    case CM_REMOVE_WORD:
      UpdateDictionary(*this, catalogue_,
                       id == CM_ADD_WORD ? wk::UpdateMode::kAdd : wk::UpdateMode::kRemove)
          .runModal(parent);
      break;
    case CM_MERGE:
      MergeDictionaries(*this, catalogue_).runModal(parent);
      break;
    case CM_CREATE:
      MakeDictFromFile(*this, catalogue_).runModal(parent);
      break;
    case CM_DELETE_DICTS:
      if (select_) select_->deleteHighlighted();
      return;
    case CM_DETAILS:
      if (select_) select_->showDetails();
      return;
    default:
      return;
  }
  if (select_) select_->refill();
}

}  // namespace wkw
