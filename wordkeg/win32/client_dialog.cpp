#include "client_dialog.h"

#include "about_dialog.h"
#include "app/field_rules.h"
#include "engine/base/message_port.h"
#include "engine/base/string_table.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "frame_window.h"
#include "framework/context_menu.h"
#include "framework/help_context.h"
#include "framework/win_message_port.h"
#include "framework/worker_thread.h"
#include "progress_dialog.h"
#include "resource.h"
#include "subset_dialog.h"
#include "vlist/vlist_protocol.h"
#include "window_strings.h"

namespace wkw {
namespace {

constexpr UINT_PTR kStatusTimer = 456;
// The app's Cancel command is whatever the dialog manager sends for Cancel and Escape.
static_assert(CM_CANCEL == IDCANCEL);

std::unique_ptr<TComboEdit> fieldOf(HWND combo, wk::app::Field field) {
  const wk::app::FieldRule& rule = wk::app::ruleOf(field);
  return std::make_unique<TComboEdit>(combo, rule.accepted, static_cast<int>(rule.maxLength));
}

}  // namespace

wkegowlTDLGClient::wkegowlTDLGClient(wk::DictionaryNames& catalogue)
    : Dialog(IDD_CLIENT), catalogue_(catalogue), marker_(catalogue), session_(*this, catalogue) {}

wkegowlTDLGClient::~wkegowlTDLGClient() {
  if (worker_.joinable()) worker_.join();
}

void wkegowlTDLGClient::onInit() {
  using wk::app::Field;
  find_ = fieldOf(item(IDC_FIND), Field::kFind);
  from_ = fieldOf(item(IDC_FROM), Field::kFrom);
  include_ = fieldOf(item(IDC_INCLUDE), Field::kInclude);
  exclude_ = fieldOf(item(IDC_EXCLUDE), Field::kExclude);
  find_->setText("*");
  find_->pushHistory();
  check(IDC_USE_ALL, true);
  session_.clearAll();
  captureLayout();
  SendMessageA(item(IDC_RESULTS), vlist::kInitialise, 0, 0);
}

// ---- SearchView -------------------------------------------------------------------------

wk::SearchFields wkegowlTDLGClient::fields() const {
  return {find_->text(),    from_->text(),        include_->text(),
          exclude_->text(), checked(IDC_USE_ALL), checked(IDC_SUPPRESS)};
}

void wkegowlTDLGClient::pushHistories() {
  for (TComboEdit* field : {find_.get(), from_.get(), include_.get(), exclude_.get()})
    field->pushHistory();
}

void wkegowlTDLGClient::showFields(const wk::SearchFields& f) {
  SetFocus(item(IDC_FIND));
  find_->selectOrSet(f.find);
  from_->setText(f.from);
  include_->setText(f.include);
  exclude_->setText(f.exclude);
  check(IDC_USE_ALL, f.useAll);
  check(IDC_SUPPRESS, f.suppressPermutations);
  multiWordEnabling();
}

void wkegowlTDLGClient::setStatus(int stringId) {
  if (frame_) frame_->setStatusText(wk::loadString(stringId));
}

void wkegowlTDLGClient::showCounts(const std::string& found, const std::string& checked) {
  if (!frame_) return;
  frame_->setGadget(IDC_FOUND, found);
  frame_->setGadget(IDC_CHECKED, checked);
}

void wkegowlTDLGClient::setSearching(bool searching) {
  for (int id :
       {IDC_RESULTS, IDC_FIND, IDC_FROM, IDC_INCLUDE, IDC_EXCLUDE, IDC_USE_ALL, IDC_SUPPRESS})
    enable(id, !searching);
  if (!searching) multiWordEnabling();
}

void wkegowlTDLGClient::openSelectDictionaries() {
  PostMessageA(hwnd(), WM_COMMAND, CM_SELECT, 0);
}

void wkegowlTDLGClient::resetList() {
  SendMessageA(item(IDC_RESULTS), vlist::kReset, 0, 0);
}

void wkegowlTDLGClient::showRows(int tabStop, bool selectFirst) {
  remeasure();
  SendMessageA(item(IDC_RESULTS), vlist::kSetTabStops, 1, reinterpret_cast<LPARAM>(&tabStop));
  resetList();
  if (!selectFirst) return;
  SetFocus(item(IDC_RESULTS));
  SendMessageA(item(IDC_RESULTS), vlist::kSelect, vlist::request::kFirst, 0);
}

bool wkegowlTDLGClient::runAnalysis(wk::SubsetBuilder& builder) {
  return CreateDictionarySubSet(builder).runModal(hwnd()) == 1;
}

bool wkegowlTDLGClient::startWorker() {
  if (worker_.joinable()) worker_.join();
  if (!startWorkerThread(
          worker_, [this] { session_.work(); }, hwnd(), kSearchFinished))
    return false;
  SetTimer(hwnd(), kStatusTimer, 100, nullptr);
  timerRunning_ = true;
  return true;
}

wk::RunOutcome wkegowlTDLGClient::runOperation(wk::Operation& operation) {
  // The wait dialog belongs to the dialog whose command started the operation (Create From
  // File, Merge): owned by the main window instead, its end gave the keyboard to the main
  // window while that dialog still ran, and Esc and Enter went nowhere.
  HWND owner = messagePort().owner();
  return ProgressDialog::run(owner && IsWindow(owner) ? owner : hwnd(), operation);
}

// ---- Commands ---------------------------------------------------------------------------

wk::app::CommandState wkegowlTDLGClient::commandState() const {
  wk::app::CommandState s;
  s.searching = session_.searching() || timerRunning_;
  s.single = wk::InstanceMarker::runningCopies(catalogue_.config()) <= 1;
  s.storeOpen = session_.store().isOpen();
  s.entryCount = session_.store().entryCount();
  return s;
}

void wkegowlTDLGClient::enableMenu(HMENU menu) {
  const wk::app::CommandState state = commandState();
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (id == static_cast<UINT>(-1) || id == 0) continue;
    const bool on = wk::app::commandEnabled(static_cast<int>(id), state);
    EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
  }
}

void wkegowlTDLGClient::showPopup(int x, int y) {
  using namespace wk;
  HMENU dictionaries = CreatePopupMenu();
  AppendMenuA(dictionaries, MF_STRING, CM_SELECT, windowString(kPopupSelect));
  AppendMenuA(dictionaries, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(dictionaries, MF_STRING, CM_ADD_WORD, windowString(kPopupAddWord));
  AppendMenuA(dictionaries, MF_STRING, CM_REMOVE_WORD, windowString(kPopupRemoveWord));
  AppendMenuA(dictionaries, MF_STRING, CM_MERGE, windowString(kPopupMerge));
  AppendMenuA(dictionaries, MF_STRING, CM_CREATE, windowString(kPopupCreate));
  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(dictionaries),
              windowString(kPopupDictionaries));
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_STRING, CM_CLEAR_ALL, windowString(kPopupClearAll));
  AppendMenuA(popup, MF_STRING, CM_VIEW, windowString(kPopupView));
  AppendMenuA(popup, MF_STRING, CM_DELETE_RESULTS, windowString(kPopupDeleteResults));
  AppendMenuA(popup, MF_STRING, CM_SAVE_AS, windowString(kPopupSaveAs));
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_STRING, IDC_START, windowString(kPopupSearch));
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_STRING, IDCANCEL, windowString(kPopupExit));
  enableMenu(dictionaries);
  enableMenu(popup);
  const int chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0,
                                    frame_ ? frame_->hwnd() : hwnd(), nullptr);
  DestroyMenu(popup);  // destroys the sub-menu too
  if (chosen) PostMessageA(hwnd(), WM_COMMAND, static_cast<WPARAM>(chosen), 0);
}

void wkegowlTDLGClient::onCommand(int id, int code, HWND control) {
  if (control && id >= IDC_FIND && id <= IDC_EXCLUDE) {
    fieldNotice(id, code);
    return;
  }
  if (control && code != BN_CLICKED) return;
  if (!wk::app::commandEnabled(id, commandState())) {
    if (id == IDC_START) wk::beep();
    return;
  }
  command(id);
}

void wkegowlTDLGClient::command(int id) {
  BoxOwner owner(hwnd());
  switch (id) {
    case IDC_START:
      if (session_.start()) setSearching(true);
      break;
    case IDCANCEL:
      exitOrCancel();
      break;
    case CM_CLEAR_ALL:
      session_.clearAll();
      break;
    case CM_VIEW:
      view();
      break;
    case CM_DELETE_RESULTS:
      session_.deleteResults();
      break;
    case CM_SAVE_AS:
      saveAs();
      break;
    case CM_HELP:
      help(HELP_CONTENTS, 0);
      break;
    case CM_ABOUT:
      AboutDlg().runModal(frame_ ? frame_->hwnd() : hwnd());
      break;
    default:
      dictionaryCommand(id);
  }
}

void wkegowlTDLGClient::exitOrCancel() {
  // A close while a dialog is up must not pull the window from under it: a running operation
  // is offered for cancelling as its own Cancel does, and the window stays; any other dialog
  // keeps the window until it is closed.
  if (HWND wait = ProgressDialog::running()) {
    PostMessageA(wait, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (frame_ && !IsWindowEnabled(frame_->hwnd())) return;
  if (exiting_) return;  // a second Cancel while the question is up
  exiting_ = true;
  if (session_.searching()) {
    KillTimer(hwnd(), kStatusTimer);
    session_.askCancel();
    SetTimer(hwnd(), kStatusTimer, 100, nullptr);
    exiting_ = false;
    return;
  }
  session_.cleanUpForExit();
  PostMessageA(hwnd(), kClose, 0, 0);
}

void wkegowlTDLGClient::help(UINT command, DWORD data) {
  WinHelpA(frame_ ? frame_->hwnd() : hwnd(), catalogue_.config().helpPath().c_str(), command, data);
}

// ---- Fields -----------------------------------------------------------------------------

void wkegowlTDLGClient::multiWordEnabling() {
  const bool multi = wk::isMultiWord(find_->text());
  session_.request().multiWord = multi;
  enable(IDC_SUPPRESS, multi);
  for (int id : {IDC_INCLUDE_LABEL, IDC_EXCLUDE_LABEL, IDC_INCLUDE, IDC_EXCLUDE})
    enable(id, !multi);
}

void wkegowlTDLGClient::fieldNotice(int id, int code) {
  if (id == IDC_FIND && (code == CBN_EDITCHANGE || code == CBN_SELCHANGE)) {
    if (code == CBN_SELCHANGE) find_->setText(find_->textOnNotice(code));
    multiWordEnabling();
  } else if (code == CBN_SETFOCUS && id != IDC_FIND) {
    BoxOwner owner(nullptr);
    session_.checks().checkFind(find_->text());
  } else if ((id == IDC_INCLUDE || id == IDC_EXCLUDE) &&
             (code == CBN_EDITCHANGE || code == CBN_SELCHANGE)) {
    BoxOwner owner(nullptr);
    wk::app::RequestChecks& checks = session_.checks();
    if (id == IDC_INCLUDE)
      checks.storeInclude(include_->textOnNotice(code));
    else
      checks.storeExclude(exclude_->textOnNotice(code));
  }
}

// ---- Timer and messages -----------------------------------------------------------------

void wkegowlTDLGClient::onTimer(UINT_PTR id) {
  if (id != kStatusTimer) return;
  if (frame_) frame_->refreshTitle(session_.store().entryCount());
  if (session_.searching()) {
    if (frame_ && !frame_->minimised()) session_.tick();
    return;
  }
  KillTimer(hwnd(), kStatusTimer);
  timerRunning_ = false;
  if (frame_) frame_->restoreTitle();
  session_.tick();
}

INT_PTR wkegowlTDLGClient::onMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg >= vlist::request::kFirst && msg <= vlist::request::kFindPosition) {
    session_.list().answer(static_cast<int>(msg), *reinterpret_cast<vlist::Request*>(lParam));
    return 1;
  }
  switch (msg) {
    case kSearchFinished:
      if (worker_.joinable()) worker_.join();
      session_.finished();
      return 0;
    case kStatus:
      setStatus(static_cast<int>(wParam));
      return 0;
    case kClose:
      if (frame_) DestroyWindow(frame_->hwnd());
      return 0;
    case kFrameSized:
    case WM_SIZE:
      if (msg == WM_SIZE) layout();
      if (frame_) frame_->refreshTitle(session_.store().entryCount());
      return 0;
    case WM_INITMENUPOPUP:
      enableMenu(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_ENTERIDLE:
      if (GetKeyState(VK_F1) < 0)
        GetKeyState(VK_CONTROL) < 0 ? help(HELP_CONTENTS, 0)
                                    : help(HELP_CONTEXT, static_cast<DWORD>(currentHelpContext()));
      return 0;
    case WM_CONTEXTMENU: {
      const POINT at = contextMenuPoint(reinterpret_cast<HWND>(wParam), lParam);
      showPopup(at.x, at.y);
      return 0;
    }
    case WM_DESTROY:
      help(HELP_QUIT, 0);
      return 0;
  }
  handled = false;
  return 0;
}

}  // namespace wkw
