#include "settings_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

#include "drvkeep/core/pages.h"
#include "modeless.h"
#include "resource.h"
#include "winframe/dialog.h"
#include "winframe/filtered_edit.h"

namespace dk {
namespace {

bool isApply(UINT msg, LPARAM lParam) {
  return msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY;
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

class TDiskListDlg : public wf::Dialog {
 public:
  explicit TDiskListDlg(MonitorState& state) : Dialog(IDD_DRIVES), state_(state) {}

 protected:
  void onInit() override { fillDrives(hwnd(), state_); }
  INT_PTR onMessage(UINT msg, WPARAM, LPARAM lParam, bool& handled) override {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_ITEMCHANGED) {
      const auto* change = reinterpret_cast<NMLISTVIEW*>(lParam);
      if ((change->uChanged & LVIF_STATE) && change->uNewState == (LVIS_SELECTED | LVIS_FOCUSED))
        toggleItem(hwnd(), *change);
      return 0;
    }
    if (isApply(msg, lParam)) {
      if (!applyDrives(driveItems(item(IDC_DRIVE_LIST)), state_.drives, *state_.store))
        MessageBoxA(hwnd(), kNoDriveSelected, kCaption, MB_ICONSTOP | MB_OK);
      return PSNRET_NOERROR;
    }
    handled = false;
    return 0;
  }

 private:
  MonitorState& state_;
};

// TAlertDlg --------------------------------------------------------------------------------

class TAlertDlg : public wf::Dialog {
 public:
  explicit TAlertDlg(MonitorState& state) : Dialog(IDD_ALERT), state_(state) {}

 protected:
  void onInit() override {
    const Settings& s = state_.settings;
    filling_ = true;
    SendDlgItemMessageA(hwnd(), IDC_UPDOWN, UDM_SETRANGE32, kThresholdMin, kThresholdMax);
    SetDlgItemInt(hwnd(), IDC_THRESHOLD, static_cast<UINT>(s.threshold), FALSE);
    // The edit's number style stops typed letters only: a paste passes the same rule.
    wf::attachFilteredEdit(item(IDC_THRESHOLD),
                           {[](HWND, char c) { return c >= '0' && c <= '9'; },
                            [] { MessageBeep(MB_OK); }, false});
    check(IDC_FLASH, s.flash);
    check(IDC_MESSAGE, s.message);
    check(IDC_BEEP, s.beep);
    filling_ = false;
  }
  void onCommand(int id, int code, HWND) override {
    const bool edited = id == IDC_THRESHOLD && code == EN_CHANGE;
    if ((edited && !filling_) || code == BN_CLICKED) PropSheet_Changed(GetParent(hwnd()), hwnd());
  }
  INT_PTR onMessage(UINT msg, WPARAM, LPARAM lParam, bool& handled) override {
    if (!isApply(msg, lParam)) {
      handled = false;
      return 0;
    }
    applyAlert(state_.settings, *state_.store, text(IDC_THRESHOLD).substr(0, 15),
               checked(IDC_FLASH), checked(IDC_MESSAGE), checked(IDC_BEEP));
    return PSNRET_NOERROR;
  }

 private:
  MonitorState& state_;
  bool filling_ = false;  // setting the edit's text at set-up is no change by the user
};

// TAutoDlg ---------------------------------------------------------------------------------

class TAutoDlg : public wf::Dialog {
 public:
  explicit TAutoDlg(MonitorState& state) : Dialog(IDD_AUTO), state_(state) {}

 protected:
  void onInit() override { check(IDC_AUTO, state_.settings.autoStart); }
  void onCommand(int id, int code, HWND) override {
    if (id == IDC_AUTO && code == BN_CLICKED) PropSheet_Changed(GetParent(hwnd()), hwnd());
  }
  INT_PTR onMessage(UINT msg, WPARAM, LPARAM lParam, bool& handled) override {
    if (!isApply(msg, lParam)) {
      handled = false;
      return 0;
    }
    applyAutoStartPage(state_.settings, *state_.store, checked(IDC_AUTO));
    return PSNRET_NOERROR;
  }

 private:
  MonitorState& state_;
};

}  // namespace

void openSettingsSheet(HWND owner, HINSTANCE instance, MonitorState& state) {
  PROPSHEETPAGEA pages[3] = {
      wf::Dialog::sheetPage(std::make_unique<TDiskListDlg>(state), instance),
      wf::Dialog::sheetPage(std::make_unique<TAlertDlg>(state), instance),
      wf::Dialog::sheetPage(std::make_unique<TAutoDlg>(state), instance)};
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
