#include "main_rules.h"

#include <exception>

#include "engine/base/message_port.h"
#include "engine/base/pause_gate.h"
#include "engine/base/string_table.h"
#include "engine/base/wordkeg_exception.h"

namespace wk::app {

bool commandEnabled(int commandId, const CommandState& s) {
  const bool idle = !s.searching;
  switch (commandId) {
    case command::kClearAll:
    case command::kView:
    case command::kSelect:
    case command::kStart:
      return idle;
    case command::kDeleteResults:
      return idle && s.single && s.storeOpen;
    case command::kSaveAs:
      return idle && s.entryCount > 0;
    case command::kAddWord:
    case command::kRemoveWord:
    case command::kMerge:
    case command::kCreate:
    case command::kDeleteDictionaries:
      return idle && s.single;
    default:
      return true;
  }
}

bool revealWaitDialog(unsigned ticks, unsigned percent) {
  const unsigned d = percent == 0 ? 1 : percent;
  return ticks * 20000u / d > 1000u;
}

bool confirmCancel(Operation& operation, int textId, int captionId) {
  // The worker waits at its next check while the question is up, and sees the cancel at once.
  ScopedPause pause(operation.questionGate());
  if (showMessageIds(textId, captionId, mb::kYesNo) != mb::kIdYes) return false;
  operation.cancel();
  return true;
}

void reportThreadNotStarted() {
  beep();
  showMessageIds(kNoThread, kErrorCaption, mb::kIconStop | mb::kOk);
}

bool runShowingErrors(Operation& operation, bool* threw) {
  std::string error;
  try {
    return operation.run();
  } catch (const WordkegException& e) {
    if (threw) *threw = true;
    if (e.shown()) return false;
    error = e.text();
  } catch (const std::exception& e) {
    if (threw) *threw = true;
    error = e.what();
  }
  showMessage(error, str(kExceptionCaption), mb::kIconStop | mb::kOk | mb::kTaskModal);
  return false;
}

}  // namespace wk::app
