#include "std_output.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#ifndef _WIN32
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "terminal_port.h"

namespace wk::cli {
namespace {

// Set by whichever thread's write found the reader gone (results are printed by the search's).
std::atomic<bool> broken{false};

bool noteResult(bool ok) {
  if (!ok && (errno == EPIPE || std::ferror(stdout))) broken = true;
  return !broken;
}

#ifndef _WIN32
// A pipe whose every reader has closed reports an error to poll without being written to.
bool pipeReaderClosed() {
  static const bool pipe = [] {
    struct stat info = {};
    return fstat(STDOUT_FILENO, &info) == 0 && S_ISFIFO(info.st_mode);
  }();
  if (!pipe) return false;
  struct pollfd out = {STDOUT_FILENO, POLLOUT, 0};
  return poll(&out, 1, 0) == 1 && (out.revents & POLLERR) != 0;
}
#endif

// Printed lines wait here and reach the stream a block at a time: one library call a block
// instead of a locked write of each line. Everything else written to stdout goes after a
// flushOutput(), and what still waits at exit is written then.
constexpr size_t kPendingBlock = 16384;
std::string pending;

// The stream's own lock guards the lines too (glibc's costs a fraction of a mutex's); it is
// recursive, so the stream's calls may be made under it.
class PendingLock {
 public:
#ifdef __GLIBC__
  PendingLock() {
    flockfile(stdout);
  }
  ~PendingLock() {
    funlockfile(stdout);
  }
#else
  PendingLock() : hold_(lock()) {}

 private:
  static std::recursive_mutex& lock() {
    static std::recursive_mutex m;
    return m;
  }
  std::lock_guard<std::recursive_mutex> hold_;
#endif
};

// REQUIRES: a PendingLock held.
bool writePending() {
  if (pending.empty()) return true;
  const bool written = std::fwrite(pending.data(), 1, pending.size(), stdout) == pending.size();
  pending.clear();
  return written;
}

void writePendingAtExit() {
  const PendingLock hold;
  if (!broken) writePending();
}

}  // namespace

void deferBrokenPipe() {
#ifndef _WIN32
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

bool printLine(std::string_view text) {
  if (broken) return false;
  static const bool registered = std::atexit(writePendingAtExit) == 0;
  (void)registered;
  bool written = true;
  {
    const PendingLock hold;
    pending.append(text).push_back('\n');
    if (pending.size() >= kPendingBlock) written = writePending();
  }
  if (!noteResult(written)) return false;
  // A terminal shows each line as it comes, in its place among the messages on stderr.
  static const bool terminal = stdoutIsTerminal();
  if (terminal) return flushOutput();
  // The first line, and what follows every few milliseconds, reach a pipe's reader (head -1)
  // at once, without waiting for the runner's next tick; the time is read every 64 lines.
  thread_local unsigned printed = 0;
  thread_local auto lastFlush = std::chrono::steady_clock::now();
  if (printed++ % 64 == 0) {
    // A pipe's reader that left (head -1) is noticed here, not when a block is next written.
    if (outputBroken()) return false;
    const auto now = std::chrono::steady_clock::now();
    if (printed == 1 || now - lastFlush >= std::chrono::milliseconds(20)) {
      lastFlush = now;
      return flushOutput();
    }
  }
  return true;
}

bool flushOutput() {
  if (broken) return false;
  const PendingLock hold;
  // An error left by a write of the stream's own (results show copies its lines in blocks)
  // counts as well as one of this flush.
  return noteResult(writePending() && std::fflush(stdout) == 0 && !std::ferror(stdout));
}

bool outputBroken() {
#ifndef _WIN32
  if (!broken && pipeReaderClosed()) broken = true;
#endif
  return broken;
}

void endIfOutputBroken() {
  if (!broken) return;
#ifndef _WIN32
  std::signal(SIGPIPE, SIG_DFL);
  std::raise(SIGPIPE);
#endif
  std::_Exit(141);
}

}  // namespace wk::cli
