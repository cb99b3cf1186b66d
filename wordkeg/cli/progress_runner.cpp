#include "progress_runner.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

#include "engine/base/message_port.h"
#include "engine/base/string_table.h"
#include "engine/base/wordkeg_exception.h"
#include "std_output.h"
#include "terminal_port.h"

namespace wk::cli {
namespace {

volatile std::sig_atomic_t interruptFlag = 0;
volatile std::sig_atomic_t interruptsSeen = 0;
bool threw = false;
bool progressLines = false;

// The progress as a line of its own, when it changed since the last one.
void writeProgressLine(const Progress& progress, std::string& last) {
  if (progress.text == last) return;
  last = progress.text;
  std::fprintf(stderr, "%s\n", last.c_str());
  std::fflush(stderr);
}

extern "C" void onInterrupt(int signal) {
  interruptFlag = signal;
  interruptsSeen = interruptsSeen + 1;
}

void drawProgress(const Progress& progress) {
  constexpr int kWidth = 30;
  if (progress.percent < 0) {  // no share to show: the text carries the counts
    std::fprintf(stderr, "\r%-60s", progress.text.c_str());
    std::fflush(stderr);
    return;
  }
  const int percent = progress.percent > 100 ? 100 : progress.percent;
  const int filled = percent * kWidth / 100;
  std::fprintf(stderr, "\r%-24s [%s%s] %3d%%", progress.text.c_str(),
               std::string(filled, '#').c_str(), std::string(kWidth - filled, ' ').c_str(),
               percent);
  std::fflush(stderr);
}

}  // namespace

void installInterruptHandler() {
#ifdef _WIN32
  std::signal(SIGINT, onInterrupt);
#else
  // No SA_RESTART: a question waiting at the terminal returns, and is answered No.
  struct sigaction action = {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);  // the terminal closed: as Ctrl-C, not a sudden death
#endif
}

bool interrupted() {
  return interruptFlag != 0;
}

int interruptSignal() {
  return static_cast<int>(interruptFlag);
}

int interruptCount() {
  return static_cast<int>(interruptsSeen);
}

void reportProgressLines() {
  progressLines = true;
}

bool lastRunThrew() {
  return threw;
}

RunOutcome runWithProgress(Operation& operation, bool drawBar) {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool ok = false;
  bool failed = false;
  std::string error;  // to show; empty when the thrower has shown it already
  std::thread worker([&] {
    try {
      ok = operation.run();
    } catch (const WordkegException& e) {
      failed = true;
      if (!e.shown()) error = e.text();
    } catch (const std::exception& e) {
      failed = true;
      error = e.what();
    }
    std::lock_guard<std::mutex> lock(mutex);
    done = true;
    finished.notify_one();
  });
  const bool drawing = drawBar && stderrIsTerminal() && !progressLines;
  std::string lastLine;
  bool cancelled = false;
  std::unique_lock<std::mutex> lock(mutex);
  // Wakes every 100 ms to draw and to notice Ctrl-C, and at once when the worker ends.
  while (!finished.wait_for(lock, std::chrono::milliseconds(100), [&] { return done; })) {
    if ((interrupted() || outputBroken()) && !cancelled) {
      cancelled = true;
      operation.cancel();  // as the window's Cancel: each operation stops its own readers
    }
    flushOutput();  // results printed as found reach a pipe's reader within a tick
    if (drawing) drawProgress(operation.progress());
    if (progressLines) writeProgressLine(operation.progress(), lastLine);
  }
  lock.unlock();
  worker.join();
  if (drawing) std::fprintf(stderr, "\r%60s\r", "");
  threw = failed;
  if (failed) {
    if (!error.empty())
      showMessage(error, str(kExceptionCaption), mb::kIconStop | mb::kOk | mb::kTaskModal);
    return RunOutcome::kFailed;
  }
  if (cancelled || interrupted() || outputBroken()) return RunOutcome::kCancelled;
  return ok ? RunOutcome::kCompleted : RunOutcome::kFailed;
}

}  // namespace wk::cli
