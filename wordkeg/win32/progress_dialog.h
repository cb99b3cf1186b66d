#pragma once
// ProgressDialog: the modal wait dialog of every long operation but the search. It runs the
// operation on a worker thread, polls its progress every 200 ms, stays invisible until the
// operation is projected to last more than a second, offers Cancel behind a confirmation while
// the worker waits at the pause gate, and closes when the worker has ended.
#include <memory>
#include <thread>

#include "engine/base/operation.h"
#include "framework/dialog.h"
#include "framework/gauge.h"

namespace wkw {

class ProgressDialog : public Dialog {
 public:
  static constexpr UINT kStartWork = 1801;
  static constexpr UINT kWorkDone = 1802;

  explicit ProgressDialog(wk::Operation& operation);
  ~ProgressDialog() override;
  // Runs `operation` behind the dialog over `parent`: completed, cancelled or failed.
  static wk::RunOutcome run(HWND parent, wk::Operation& operation);
  // The wait dialog now running, or null.
  static HWND running();

 protected:
  void onInit() override;
  void onCommand(int id, int code, HWND control) override;
  void onTimer(UINT_PTR id) override;
  INT_PTR onMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void startWork();
  void setPercent(int percent);

  wk::Operation& operation_;
  std::thread worker_;
  std::unique_ptr<Gauge> gauge_;
  RECT full_ = {};
  unsigned ticks_ = 0;
  bool shown_ = false;
  bool cancelled_ = false;
  bool succeeded_ = false;
};

}  // namespace wkw
