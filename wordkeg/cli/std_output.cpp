#include "std_output.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#ifndef _WIN32
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
  struct stat info = {};
  if (fstat(STDOUT_FILENO, &info) != 0 || !S_ISFIFO(info.st_mode)) return false;
  struct pollfd out = {STDOUT_FILENO, POLLOUT, 0};
  return poll(&out, 1, 0) == 1 && (out.revents & POLLERR) != 0;
}
#endif

}  // namespace

void deferBrokenPipe() {
#ifndef _WIN32
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

bool printLine(std::string_view text) {
  if (broken) return false;
  // The line and its line feed under one lock of the stream.
#ifdef __GLIBC__
  flockfile(stdout);
  const bool written = fwrite_unlocked(text.data(), 1, text.size(), stdout) == text.size() &&
                       putc_unlocked('\n', stdout) != EOF;
  funlockfile(stdout);
#else
  thread_local std::string line;
  line.assign(text);
  line += '\n';
  const bool written = std::fwrite(line.data(), 1, line.size(), stdout) == line.size();
#endif
  if (!noteResult(written)) return false;
  // The first line, and what follows every few milliseconds, reach a pipe's reader (head -1)
  // at once, without waiting for the runner's next tick; the time is read every 64 lines.
  thread_local unsigned printed = 0;
  thread_local auto lastFlush = std::chrono::steady_clock::now();
  if (printed++ % 64 == 0) {
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
  return noteResult(std::fflush(stdout) == 0);
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
