#pragma once
// The results commands' logic apart from the file dialogs: Save As after a name was chosen.
// View and Delete Results are SearchSession's.
#include <atomic>
#include <functional>
#include <string>

#include "dialog_host.h"
#include "engine/base/operation.h"

namespace wk::app {

class SearchSession;

// A short operation that cannot be cancelled: a copy or an export behind a wait dialog.
class TaskOperation : public Operation {
 public:
  using Task = std::function<bool(std::atomic<int>& percent)>;
  TaskOperation(std::string text, Task task) : text_(std::move(text)), task_(std::move(task)) {}
  bool run() override { return task_(percent_); }
  void cancel() override {}
  Progress progress() const override { return {text_, percent_}; }
  bool cancellable() const override { return false; }

 private:
  std::string text_;
  Task task_;
  std::atomic<int> percent_{0};
};

// The replace question for an existing `path` ("... This file already exists ... Replace existing
// file (Y/N)"); true when the file is absent or the answer is Yes.
bool confirmReplace(const std::string& path);

// Save As with `chosen` from the save dialog; `firstFilter` when "Wordkeg Files" was selected.
// A bare name gets "wkg" or "asc" and, when that file exists, the replace question. A "wkg"
// name saves the pair, any other writes the text report. True when a file was written.
bool saveResults(DialogHost& host, SearchSession& session, const std::string& chosen,
                 bool firstFilter);

}  // namespace wk::app
