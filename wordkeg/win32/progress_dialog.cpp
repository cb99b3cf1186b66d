#include "progress_dialog.h"

#include "app/main_rules.h"
#include "engine/base/string_table.h"
#include "framework/win_message_port.h"
#include "framework/worker_thread.h"
#include "resource.h"

namespace wkw {
namespace {
constexpr UINT_PTR kTimer = 501;
HWND current = nullptr;  // the innermost wait dialog on the screen
}  // namespace

HWND ProgressDialog::running() {
  return current;
}

ProgressDialog::ProgressDialog(wk::Operation& operation)
    : Dialog(PROGRESS_DIALOG), operation_(operation) {}

ProgressDialog::~ProgressDialog() {
  if (worker_.joinable()) worker_.join();
}

wk::RunOutcome ProgressDialog::run(HWND parent, wk::Operation& operation) {
  ProgressDialog dialog(operation);
  const HWND outer = current;
  dialog.runModal(parent);
  current = outer;
  messagePort().setWaitWindow(outer);
  if (dialog.cancelled_) return wk::RunOutcome::kCancelled;
  return dialog.succeeded_ ? wk::RunOutcome::kCompleted : wk::RunOutcome::kFailed;
}

void ProgressDialog::onInit() {
  current = hwnd();
  messagePort().setWaitWindow(hwnd());
  SetTimer(hwnd(), kTimer, 200, nullptr);
  gauge_ = std::make_unique<Gauge>(hwnd(), IDC_GAUGE, RECT{10, 30, 325, 54});
  GetWindowRect(hwnd(), &full_);
  // Invisible until the operation is projected to last more than a second.
  SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageA(hwnd(), kStartWork, 0, 0);
  setText(IDC_PROGRESS_TEXT, operation_.progress().text);
  if (!operation_.cancellable()) ShowWindow(item(IDCANCEL), SW_HIDE);
}

void ProgressDialog::startWork() {
  if (startWorkerThread(
          worker_, [this] { succeeded_ = wk::app::runShowingErrors(operation_); }, hwnd(),
          kWorkDone))
    return;
  // No thread will report back, so the dialog ends here.
  BoxOwner owner(hwnd());
  wk::app::reportThreadNotStarted();
  end(0);
}

void ProgressDialog::onCommand(int id, int, HWND) {
  if (id != IDCANCEL || !operation_.cancellable() || !worker_.joinable()) return;
  BoxOwner owner(hwnd());
  if (wk::app::confirmCancel(operation_, wk::kCancelQuestion, wk::kCancelCaption))
    cancelled_ = true;
}

void ProgressDialog::onTimer(UINT_PTR id) {
  if (id != kTimer) return;
  ++ticks_;
  const wk::Progress progress = operation_.progress();
  if (!progress.text.empty() && progress.text != text(IDC_PROGRESS_TEXT))
    setText(IDC_PROGRESS_TEXT, progress.text);
  setPercent(progress.percent);
}

void ProgressDialog::setPercent(int percent) {
  gauge_->setValue(percent);
  if (shown_ ||
      !wk::app::revealWaitDialog(ticks_, percent < 0 ? 0u : static_cast<unsigned>(percent)))
    return;
  SetWindowPos(hwnd(), nullptr, 0, 0, full_.right - full_.left, full_.bottom - full_.top,
               SWP_NOMOVE | SWP_NOZORDER);
  shown_ = true;
}

INT_PTR ProgressDialog::onMessage(UINT msg, WPARAM, LPARAM, bool& handled) {
  if (msg == kStartWork) {
    startWork();
  } else if (msg == kWorkDone) {
    if (worker_.joinable()) worker_.join();
    KillTimer(hwnd(), kTimer);
    end(succeeded_ ? 1 : 0);
  } else {
    handled = false;
  }
  return 0;
}

}  // namespace wkw
