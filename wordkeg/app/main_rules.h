#pragma once
// The main window's rules apart from any window: which command is enabled when, and the wait
// dialogs' reveal and cancel rules.
#include "engine/base/operation.h"

namespace wk::app {

namespace command {
constexpr int kCancel = 2;
constexpr int kDetails = 105;
constexpr int kStart = 150;
constexpr int kAbout = 2009;
constexpr int kHelp = 7101;
constexpr int kRemoveWord = 7102;
constexpr int kAddWord = 7103;
constexpr int kCreate = 7104;
constexpr int kSelect = 7106;
constexpr int kMerge = 7205;
constexpr int kDeleteDictionaries = 7305;
constexpr int kClearAll = 24331;
constexpr int kView = 24332;
constexpr int kDeleteResults = 24333;
constexpr int kSaveAs = 24334;
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
// with caption "Wordkeg Exception" and counts as failed.
bool runShowingErrors(Operation& operation);

}  // namespace wk::app
