#pragma once
// The dialogs' host on a terminal: status texts go to stderr, operations run behind the
// progress display with Ctrl-C as their cancel.
#include "app/dialog_host.h"
#include "app/dictionary_dialogs.h"

namespace wk::cli {

class CliHost : public app::DialogHost {
 public:
  void setStatus(int stringId) override;
  RunOutcome runOperation(Operation& operation) override;
};

// The exit status of a dialog action: 0 done, 1 nothing done, 2 refused or failed.
int exitStatus(app::Outcome outcome);

}  // namespace wk::cli
