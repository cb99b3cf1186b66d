#pragma once
// The main window's rules apart from any window: which command is enabled when, and the wait
// dialogs' reveal and cancel rules.
#include "command_ids.h"
#include "engine/base/operation.h"

namespace wk::app {

namespace command {
constexpr int kCancel = CM_CANCEL;
constexpr int kDetails = CM_DETAILS;
constexpr int kStart = IDC_START;
constexpr int kAbout = CM_ABOUT;
constexpr int kHelp = CM_HELP;
constexpr int kRemoveWord = CM_REMOVE_WORD;
constexpr int kAddWord = CM_ADD_WORD;
constexpr int kCreate = CM_CREATE;
constexpr int kSelect = CM_SELECT;
constexpr int kMerge = CM_MERGE;
constexpr int kDeleteDictionaries = CM_DELETE_DICTS;
constexpr int kClearAll = CM_CLEAR_ALL;
constexpr int kView = CM_VIEW;
constexpr int kDeleteResults = CM_DELETE_RESULTS;
constexpr int kSaveAs = CM_SAVE_AS;
}  // namespace command

struct CommandState {
  bool searching = false;
  bool single = true;      // no other copy of the program runs
  bool storeOpen = false;  // a results pair is open
  int entryCount = 0;      // results on display
};

// Whether `commandId` may run now; unknown ids are enabled.
bool commandEnabled(int commandId, const CommandState& state);

// A wait dialog stays invisible until its operation is projected to last more than a second:
// `ticks` 200 ms ticks so far at `percent` done.
bool revealWaitDialog(unsigned ticks, unsigned percent);

// Cancel of a running operation: asks `textId` under `captionId` (Yes/No) while the worker waits
// at the pause gate, and cancels `operation` on Yes. True when it was cancelled.
bool confirmCancel(Operation& operation, int textId, int captionId);

// Tells the user that a worker thread could not be started (beep, message 13).
void reportThreadNotStarted();

// Runs `operation` on the calling (worker) thread. An exception is shown in a task-modal box
// with caption "Wordkeg Exception" and counts as failed; `threw` (may be null) is then set.
bool runShowingErrors(Operation& operation, bool* threw = nullptr);

}  // namespace wk::app
