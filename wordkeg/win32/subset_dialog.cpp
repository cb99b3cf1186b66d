#include "subset_dialog.h"

#include "app/main_rules.h"
#include "engine/search/subset_builder.h"
#include "framework/worker_thread.h"
#include "resource.h"

namespace wkw {
namespace {
constexpr UINT_PTR kStartTimer = 1126;
constexpr UINT_PTR kCounterTimer = 876;
}  // namespace

CreateDictionarySubSet::CreateDictionarySubSet(wk::SubsetBuilder& builder)
    : Dialog(SUBSETDLG), builder_(builder) {}

CreateDictionarySubSet::~CreateDictionarySubSet() {
  if (worker_.joinable()) worker_.join();
}

void CreateDictionarySubSet::onInit() {
  SetTimer(hwnd(), kStartTimer, 100, nullptr);
}

void CreateDictionarySubSet::start() {
  if (!startWorkerThread(
          worker_, [this] { built_ = wk::app::runShowingErrors(builder_); }, hwnd(), kFinished)) {
    wk::app::reportThreadNotStarted();
    end(0);  // no thread will end the dialog
    return;
  }
  SetTimer(hwnd(), kCounterTimer, 100, nullptr);
}

void CreateDictionarySubSet::showCounters() {
  const std::string phase = builder_.phase();
  if (phase != text(IDC_SUBSET_PHASE)) setText(IDC_SUBSET_PHASE, phase);
  if (builder_.merging()) {
    setText(IDC_SUBSET_CHECKED, "0");
    setText(IDC_SUBSET_MATCHES, "0");
    return;
  }
  setText(IDC_SUBSET_CHECKED, std::to_string(builder_.checked()));
  setText(IDC_SUBSET_MATCHES, std::to_string(builder_.matches()));
}

void CreateDictionarySubSet::onTimer(UINT_PTR id) {
  if (id == kStartTimer && IsWindowVisible(hwnd())) {
    KillTimer(hwnd(), kStartTimer);
    start();
  } else if (id == kCounterTimer) {
    showCounters();
  }
}

void CreateDictionarySubSet::onCommand(int id, int, HWND) {
  if (id != IDCANCEL) return;
  // No question here: the analysis stops at once and the search does not run.
  builder_.cancel();
  result_ = 0;
}

INT_PTR CreateDictionarySubSet::onMessage(UINT msg, WPARAM, LPARAM, bool& handled) {
  if (msg != kFinished) {
    handled = false;
    return 0;
  }
  if (worker_.joinable()) worker_.join();
  KillTimer(hwnd(), kCounterTimer);
  showCounters();
  end(result_ == 1 && built_ ? 1 : 0);
  return 0;
}

}  // namespace wkw
