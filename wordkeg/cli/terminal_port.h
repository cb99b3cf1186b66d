#pragma once
// The message port of the command-line tool: messages go to stderr as "caption: text";
// questions are asked on a terminal, answered Yes by --yes/--force, and refused otherwise so
// that a script never changes anything it did not ask for.
#include "engine/base/message_port.h"

namespace wk::cli {

class TerminalPort : public MessagePort {
 public:
  explicit TerminalPort(bool assumeYes) : assumeYes_(assumeYes) {}
  int show(const std::string& text, const std::string& caption, unsigned style) override;
  void beep() override;

 private:
  bool assumeYes_;
};

bool stderrIsTerminal();
bool stdoutIsTerminal();

}  // namespace wk::cli
