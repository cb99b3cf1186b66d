#pragma once
// wkegowlTDLGClient: the main client dialog on IDD_CLIENT. It presents the search session (the
// fields, the result list, the counts) and dispatches every command; what each command decides
// lives in the app layer.
#include <memory>
#include <string>
#include <thread>

#include "app/dialog_host.h"
#include "app/main_rules.h"
#include "app/search_session.h"
#include "combo_edit.h"
#include "engine/dict/instance_marker.h"
#include "framework/dialog.h"
#include "framework/help_context.h"

namespace wkw {

class WkegTFrameWindow;
class SelectDictionaries;

class wkegowlTDLGClient : public Dialog, public wk::app::SearchView, public wk::app::DialogHost {
 public:
  static constexpr UINT kSearchFinished = 1126;
  static constexpr UINT kStatus = 1127;
  static constexpr UINT kClose = 1128;

  // The window works on `catalogue`, made at the program's start.
  explicit wkegowlTDLGClient(wk::DictionaryNames& catalogue);
  ~wkegowlTDLGClient() override;
  void setFrame(WkegTFrameWindow* frame) { frame_ = frame; }

  // SearchView
  wk::SearchFields fields() const override;
  void pushHistories() override;
  void showFields(const wk::SearchFields& f) override;
  void setStatus(int stringId) override;
  void showCounts(const std::string& found, const std::string& checked) override;
  void setSearching(bool searching) override;
  void openSelectDictionaries() override;
  void resetList() override;
  void showRows(int tabStop, bool selectFirst) override;
  bool runAnalysis(wk::SubsetBuilder& builder) override;
  bool startWorker() override;
  // DialogHost
  wk::RunOutcome runOperation(wk::Operation& operation) override;

 protected:
  void onInit() override;
  void onCommand(int id, int code, HWND control) override;
  void onTimer(UINT_PTR id) override;
  INT_PTR onMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  wk::app::CommandState commandState() const;
  void enableMenu(HMENU menu);
  void showPopup(int x, int y);
  void command(int id);
  void exitOrCancel();
  void fieldNotice(int id, int code);
  void multiWordEnabling();
  void captureLayout();
  void layout();
  void remeasure();
  void remeasureAndReflow();
  void dictionaryCommand(int id);
  void saveAs();
  void view();
  void help(UINT command, DWORD data);

  wk::DictionaryNames& catalogue_;
  WkegTFrameWindow* frame_ = nullptr;
  SelectDictionaries* select_ = nullptr;  // while that dialog is open
  ScopedHelpContext help_{1048};
  wk::InstanceMarker marker_;
  wk::app::SearchSession session_;
  std::unique_ptr<TComboEdit> find_, from_, include_, exclude_;
  std::thread worker_;
  bool exiting_ = false;
  bool timerRunning_ = false;
  // Layout offsets captured at set-up: the list's margins, and each moving control's distance
  // from the bottom and from the right (Start, Cancel) or left (the options) edge.
  SIZE listMargin_ = {};
  struct Anchor {
    int id;
    bool right;
    POINT offset;
  };
  Anchor anchors_[5] = {};
};

}  // namespace wkw
