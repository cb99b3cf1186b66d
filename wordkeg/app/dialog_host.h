#pragma once
// What the dictionary dialogs' logic needs from the window around it. Messages and questions
// go through the message port; these are the rest.
#include "engine/base/operation.h"

namespace wk::app {

class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // Shows the string-table text `stringId` in the main window's status line.
  virtual void setStatus(int stringId) = 0;
  // Runs `operation` behind the progress dialog (or progress display) and tells how it ended.
  // A WordkegException escaping it is shown by the host and counts as failed.
  virtual RunOutcome runOperation(Operation& operation) = 0;
  // Modify Dictionary: drops its dictionary list down (after an unknown name was refused).
  virtual void showDictionaryList() {}
};

}  // namespace wk::app
