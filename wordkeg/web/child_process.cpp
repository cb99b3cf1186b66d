#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>

extern char** environ;

namespace wk::web {
namespace {

void closeFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

constexpr int kGraceMs = 10000;

// The children running now, for interruptAll().
std::mutex& registryMutex() {
  static std::mutex mutex;
  return mutex;
}
std::set<pid_t>& registry() {
  static std::set<pid_t> pids;
  return pids;
}
void enter(pid_t pid) {
  std::lock_guard<std::mutex> lock(registryMutex());
  registry().insert(pid);
}
void leave(pid_t pid) {
  std::lock_guard<std::mutex> lock(registryMutex());
  registry().erase(pid);
}

int exitStatusOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, bool keepOutput)
    : keepOutput_(keepOutput) {
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0) return;
  if (pipe2(err, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    return;
  }
  // The server blocks the stop signals in its threads; the child must get them.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const int spawned = posix_spawn(&pid_, args[0], &actions, &attributes, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(out[1]);
  close(err[1]);
  outFd_ = out[0];
  errFd_ = err[0];
  if (spawned != 0) {
    pid_ = -1;
    closeFd(outFd_);
    closeFd(errFd_);
    return;
  }
  enter(pid_);
}

void ChildProcess::interruptAll() {
  std::lock_guard<std::mutex> lock(registryMutex());
  for (pid_t pid : registry()) kill(pid, SIGINT);
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !ended_) {
    kill(pid_, SIGINT);
    for (int waited = 0; waited < kGraceMs; waited += 20) {
      pump(20);  // a child blocked on a full pipe must be able to finish
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        ended_ = true;
        break;
      }
    }
    if (!ended_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      ended_ = true;
    }
  }
  closeFd(outFd_);
  closeFd(errFd_);
  if (pid_ > 0) leave(pid_);
}

bool ChildProcess::pump(int ms) {
  pollfd fds[2];
  nfds_t count = 0;
  for (int fd : {outFd_, errFd_})
    if (fd >= 0) fds[count++] = {fd, POLLIN, 0};
  if (count == 0) return false;
  if (poll(fds, count, ms) <= 0) return true;
  for (nfds_t i = 0; i < count; ++i) {
    if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
    char block[16384];
    const ssize_t got = read(fds[i].fd, block, sizeof block);
    int& fd = fds[i].fd == outFd_ ? outFd_ : errFd_;
    std::string& into = fds[i].fd == outFd_ ? out_ : err_;
    if (got > 0) {
      if (fd == errFd_ || keepOutput_) into.append(block, static_cast<size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      closeFd(fd);
    }
  }
  return true;
}

bool ChildProcess::takeLine(std::string& buffer, std::string& line) {
  const size_t end = buffer.find('\n');
  if (end == std::string::npos) return false;
  line.assign(buffer, 0, end);
  buffer.erase(0, end + 1);
  return true;
}

bool ChildProcess::nextLine(std::string& line) {
  return takeLine(out_, line);
}

bool ChildProcess::nextErrorLine(std::string& line) {
  return takeLine(err_, line);
}

void ChildProcess::interrupt() {
  if (running()) kill(pid_, SIGINT);
}

int ChildProcess::wait() {
  if (pid_ <= 0) return -1;
  if (!ended_) {
    while (outFd_ >= 0 || errFd_ >= 0) pump(100);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    status_ = exitStatusOf(status);
    ended_ = true;
    leave(pid_);
  }
  return status_;
}

Finished runToEnd(const std::vector<std::string>& argv) {
  ChildProcess child(argv);
  Finished done;
  done.status = child.wait();
  done.out = child.outputText();
  done.err = child.errorText();
  return done;
}

}  // namespace wk::web
