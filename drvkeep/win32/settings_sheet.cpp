#include "settings_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "drvkeep/core/pages.h"
#include "modeless.h"
#include "resource.h"

namespace dk {
namespace {

MonitorState* stateOf(HWND page) {
  return reinterpret_cast<MonitorState*>(GetWindowLongPtrA(page, DWLP_USER));
}

void bindState(HWND page, LPARAM lParam) {
  auto* sheetPage = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
  SetWindowLongPtrA(page, DWLP_USER, sheetPage->lParam);
}

BOOL applied(HWND page) {
  SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
  return TRUE;
}

bool isChecked(HWND page, int id) {
  return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

// TDiskListDlg -----------------------------------------------------------------------------

void fillDrives(HWND page, MonitorState& state) {
  HWND list = GetDlgItem(page, IDC_DRIVE_LIST);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(page, GWLP_HINSTANCE));
  static HIMAGELIST images = nullptr;  // shared by every sheet: the list view does not own it
  if (!images) {
    images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
    for (int icon : {IDI_DRIVE, IDI_MONITORED})
      ImageList_AddIcon(images, static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(icon),
                                                              IMAGE_ICON, 16, 16, 0)));
  }
  ListView_SetImageList(list, images, LVSIL_SMALL);
  for (int drive = 0; drive < 26; ++drive) {
    std::string label;
    if (!eligible(*state.driveInfo, drive) || !state.driveInfo->volumeLabel(drive, label)) continue;
    std::string text = driveItemText(label, drive);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = text.data();
    bool monitored = false;
    for (int d : state.drives) monitored = monitored || d == drive;
    item.iImage = monitored ? 1 : 0;
    item.lParam = drive;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
}

std::vector<DriveItem> driveItems(HWND list) {
  std::vector<DriveItem> items;
  for (int i = 0; i < ListView_GetItemCount(list); ++i) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    item.iItem = i;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    items.push_back({static_cast<int>(item.lParam), item.iImage == 1});
  }
  return items;
}

void toggleItem(HWND page, const NMLISTVIEW& change) {
  HWND list = change.hdr.hwndFrom;
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = change.iItem;
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  item.iImage = item.iImage == 1 ? 0 : 1;
  SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  ListView_SetItemState(list, change.iItem, 0,
                        LVIS_SELECTED | LVIS_FOCUSED);  // a new click toggles again
  PropSheet_Changed(GetParent(page), page);
}

INT_PTR CALLBACK diskListProc(HWND page, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    bindState(page, lParam);
    fillDrives(page, *stateOf(page));
    return TRUE;
  }
  if (msg != WM_NOTIFY) return FALSE;
  const auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code == LVN_ITEMCHANGED) {
    const auto* change = reinterpret_cast<NMLISTVIEW*>(lParam);
    if ((change->uChanged & LVIF_STATE) && change->uNewState == (LVIS_SELECTED | LVIS_FOCUSED))
      toggleItem(page, *change);
    return TRUE;
  }
  if (header->code == PSN_APPLY) {
    MonitorState& state = *stateOf(page);
    if (!applyDrives(driveItems(GetDlgItem(page, IDC_DRIVE_LIST)), state.drives, *state.store))
      MessageBoxA(page, kNoDriveSelected, kCaption, MB_ICONSTOP | MB_OK);
    return applied(page);
  }
  return FALSE;
}

// TAlertDlg --------------------------------------------------------------------------------

INT_PTR CALLBACK alertProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
  static bool filling = false;  // setting the edit's text at set-up is no change by the user
  if (msg == WM_INITDIALOG) {
    bindState(page, lParam);
    const Settings& s = stateOf(page)->settings;
    filling = true;
    SendDlgItemMessageA(page, IDC_UPDOWN, UDM_SETRANGE32, kThresholdMin, kThresholdMax);
    SetDlgItemInt(page, IDC_THRESHOLD, static_cast<UINT>(s.threshold), FALSE);
    CheckDlgButton(page, IDC_FLASH, s.flash ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_MESSAGE, s.message ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_BEEP, s.beep ? BST_CHECKED : BST_UNCHECKED);
    filling = false;
    return TRUE;
  }
  if (msg == WM_COMMAND) {
    const bool edited = LOWORD(wParam) == IDC_THRESHOLD && HIWORD(wParam) == EN_CHANGE;
    if ((edited && !filling) || HIWORD(wParam) == BN_CLICKED)
      PropSheet_Changed(GetParent(page), page);
    return TRUE;
  }
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY) {
    char text[16] = {};
    GetDlgItemTextA(page, IDC_THRESHOLD, text, sizeof text);
    MonitorState& state = *stateOf(page);
    applyAlert(state.settings, *state.store, text, isChecked(page, IDC_FLASH),
               isChecked(page, IDC_MESSAGE), isChecked(page, IDC_BEEP));
    return applied(page);
  }
  return FALSE;
}

// TAutoDlg ---------------------------------------------------------------------------------

INT_PTR CALLBACK autoProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    bindState(page, lParam);
    CheckDlgButton(page, IDC_AUTO, stateOf(page)->settings.autoStart ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
  }
  if (msg == WM_COMMAND && LOWORD(wParam) == IDC_AUTO && HIWORD(wParam) == BN_CLICKED) {
    PropSheet_Changed(GetParent(page), page);
    return TRUE;
  }
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY) {
    MonitorState& state = *stateOf(page);
    applyAutoStartPage(state.settings, *state.store, isChecked(page, IDC_AUTO));
    return applied(page);
  }
  return FALSE;
}

}  // namespace

void openSettingsSheet(HWND owner, HINSTANCE instance, MonitorState& state) {
  PROPSHEETPAGEA pages[3] = {};
  const struct {
    int dialog;
    DLGPROC proc;
  } kinds[3] = {{IDD_DRIVES, diskListProc}, {IDD_ALERT, alertProc}, {IDD_AUTO, autoProc}};
  for (int i = 0; i < 3; ++i) {
    pages[i].dwSize = sizeof pages[i];
    pages[i].hInstance = instance;
    pages[i].pszTemplate = MAKEINTRESOURCEA(kinds[i].dialog);
    pages[i].pfnDlgProc = kinds[i].proc;
    pages[i].lParam = reinterpret_cast<LPARAM>(&state);
  }
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS;
  header.hwndParent = owner;
  header.hInstance = instance;
  header.pszCaption = kCaption;
  header.nPages = 3;
  header.ppsp = pages;
  const INT_PTR sheet = PropertySheetA(&header);
  if (sheet > 0) addSheet(reinterpret_cast<HWND>(sheet));
}

}  // namespace dk
