#pragma once
// ChildProcess: a program run with its standard output and error read through pipes and its
// input closed. The server runs every search and every change of the home as such a child, a
// copy of the command line with its own working files and instance marker, so that searches of
// several pages never share state and a vanished client costs only its own child.
#include <sys/types.h>

#include <string>
#include <vector>

namespace wk::web {

class ChildProcess {
 public:
  // Starts `argv[0]` (a path) with `argv`; running() is false when it could not start. With
  // `keepOutput` false what it writes on standard output is read and dropped (a search whose
  // report goes to a file prints every result too).
  explicit ChildProcess(const std::vector<std::string>& argv, bool keepOutput = true);
  // A child still running is interrupted (as Ctrl-C, so it removes its working files, which
  // takes a while when they are large), and killed if it has not ended within ten seconds;
  // either way it is waited for.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool running() const { return pid_ > 0 && !ended_; }
  // Waits up to `ms` for output (or the end) and takes what came. False once both pipes are
  // closed and nothing is left to take.
  bool pump(int ms);
  // The next whole line of standard output (without its line feed), if one has come.
  bool nextLine(std::string& line);
  // The next whole line of standard error, if one has come.
  bool nextErrorLine(std::string& line);
  // What standard output and error hold that nextLine() and nextErrorLine() have not taken.
  const std::string& outputText() const { return out_; }
  const std::string& errorText() const { return err_; }
  // Interrupts the child (SIGINT) if it runs.
  void interrupt();
  // Waits for the end; the exit status (128 + signal when a signal ended it), or -1.
  int wait();
  // Interrupts every child of this process that runs (the server is stopping).
  static void interruptAll();

 private:
  static bool takeLine(std::string& buffer, std::string& line);

  bool keepOutput_;
  pid_t pid_ = -1;
  int outFd_ = -1, errFd_ = -1;
  std::string out_, err_;
  bool ended_ = false;
  int status_ = -1;
};

// Runs `argv` to its end: its exit status, standard output and standard error.
struct Finished {
  int status = -1;
  std::string out, err;
};
Finished runToEnd(const std::vector<std::string>& argv);

}  // namespace wk::web
