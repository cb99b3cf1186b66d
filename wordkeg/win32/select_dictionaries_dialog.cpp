#include "select_dictionaries_dialog.h"

#include "app/dictionary_dialogs.h"
#include "app/main_rules.h"
#include "app/select_dictionaries.h"
#include "engine/base/string_table.h"
#include "framework/context_menu.h"
#include "framework/list_box.h"
#include "framework/win_message_port.h"
#include "resource.h"
#include "window_strings.h"

namespace wkw {

SelectDictionaries::SelectDictionaries(HWND client, wk::app::DialogHost& host,
                                       wk::DictionaryNames& catalogue)
    : Dialog(SELECT_DICTS), client_(client), host_(host), catalogue_(catalogue) {}

void SelectDictionaries::onInit() {
  const int tabStop = 8;
  SendMessageA(item(IDC_DICT_LIST), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  refill();
}

void SelectDictionaries::refill() {
  HWND list = item(IDC_DICT_LIST);
  const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const auto& line : wk::app::dictionaryLines(catalogue_))
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

std::vector<std::string> SelectDictionaries::highlighted() const {
  std::vector<std::string> names;
  for (const auto& line : highlightedTexts(item(IDC_DICT_LIST)))
    names.push_back(wk::app::fileNameOfLine(line));
  return names;
}

void SelectDictionaries::deleteHighlighted() {
  wk::app::deleteDictionaries(host_, catalogue_, highlighted());
  refill();
}

void SelectDictionaries::showDetails() {
  BoxOwner owner(hwnd());
  wk::app::showDetails(catalogue_, highlighted());
}

void SelectDictionaries::onCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_DETAILS:
      showDetails();
      return;
    case IDC_DICT_LIST:
      if (code != LBN_DBLCLK) return;
      [[fallthrough]];
    case IDC_SELECT_CLEAR:
      wk::app::toggleSelected(catalogue_, highlighted());
      refill();
      return;
    case IDC_SELECT_ALL:
    case IDC_CLEAR_ALL:
      wk::app::selectAll(catalogue_, id == IDC_SELECT_ALL);
      refill();
      return;
    case IDOK:
    case IDCANCEL:
      end(id);
      return;
    default:
      // The right-button menu's commands are the main window's; it acts on this dialog.
      SendMessageA(client_, WM_COMMAND, static_cast<WPARAM>(id), 0);
  }
}

void SelectDictionaries::showMenu(int x, int y) {
  using namespace wk;
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, app::command::kAddWord, windowString(kPopupAddWord));
  AppendMenuA(menu, MF_STRING, app::command::kRemoveWord, windowString(kPopupRemoveWord));
  AppendMenuA(menu, MF_STRING, app::command::kMerge, windowString(kPopupMerge));
  AppendMenuA(menu, MF_STRING, app::command::kCreate, windowString(kPopupCreate));
  AppendMenuA(menu, MF_STRING, app::command::kDeleteDictionaries, windowString(kPopupDeleteDicts));
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, app::command::kDetails, windowString(kPopupShowDetails));
  const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_CENTERALIGN | TPM_RIGHTBUTTON, x, y,
                                    0, hwnd(), nullptr);
  DestroyMenu(menu);
  if (chosen) SendMessageA(client_, WM_COMMAND, static_cast<WPARAM>(chosen), 0);
}

INT_PTR SelectDictionaries::onMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == item(IDC_DICT_LIST)) {
    const POINT at = contextMenuPoint(item(IDC_DICT_LIST), lParam);
    showMenu(at.x, at.y);
    return 0;
  }
  if (msg == WM_MENUSELECT) {
    // The menu's hints go to the main window's status bar, as its own menus' do.
    SendMessageA(GetParent(client_), msg, wParam, lParam);
    return 0;
  }
  if (msg == WM_ENTERIDLE) {
    PostMessageA(client_, msg, wParam, lParam);
    return 0;
  }
  handled = false;
  return 0;
}

}  // namespace wkw
