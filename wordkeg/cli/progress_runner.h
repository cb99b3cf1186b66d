#pragma once
// Runs a long operation on a worker thread while the calling thread draws its progress on
// stderr (when that is a terminal) and turns Ctrl-C into the operation's cancel.
#include "engine/base/operation.h"

namespace wk::cli {

// Installs the handler of Ctrl-C, SIGTERM and SIGHUP; call once at start-up.
void installInterruptHandler();
bool interrupted();
// The signal that interrupted the run (SIGINT, SIGTERM, SIGHUP), or 0.
int interruptSignal();
// How many interrupts have come: one that stopped a search does not also stop its printing.
int interruptCount();

// An interrupt or a reader that left stdout cancels the operation. What the operation printed
// on stdout meanwhile is flushed at every tick (100 ms). The bar is drawn only where stderr is a
// terminal and `drawBar` allows it (results printed on the same terminal would tear it).
// A WordkegException escaping the operation is shown with caption "Wordkeg Exception".
RunOutcome runWithProgress(Operation& operation, bool drawBar = true);
// From now on each tick also writes the progress text, when it changed, as a line on stderr
// ("Checked: N  Found: M"), for a program that reads it (wordkeg serve).
void reportProgressLines();
// True when the last runWithProgress ended by an exception (its failure was shown), not by the
// operation's own false.
bool lastRunThrew();

}  // namespace wk::cli
