#include "terminal_port.h"

#include <cstdio>
#include <string>

#include "app/search_job.h"
#include "engine/base/string_table.h"

#ifdef _WIN32
#include <io.h>
#define WK_ISATTY _isatty
#else
#include <unistd.h>
#define WK_ISATTY isatty
#endif

namespace wk::cli {

bool stderrIsTerminal() {
  return WK_ISATTY(2) != 0;
}

bool stdoutIsTerminal() {
  return WK_ISATTY(1) != 0;
}

int TerminalPort::show(const std::string& text, const std::string& caption, unsigned style) {
  // The window's OK/Cancel note on "!" asks about buttons a terminal does not have: say what
  // happens instead, and go on as the window's OK does.
  if (text == str(kBangIgnores)) {
    std::fprintf(stderr, "Note: %s\n", app::withoutButtons(text).c_str());
    return mb::kIdOk;
  }
  // A text without a caption is the command line's own word about its options.
  if (caption.empty())
    std::fprintf(stderr, "%s\n", text.c_str());
  else
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  if ((style & 0xF) != mb::kYesNo) return mb::kIdOk;
  if (assumeYes_) {
    std::fprintf(stderr, "(answered Yes)\n");
    return mb::kIdYes;
  }
  if (!WK_ISATTY(0) || !stderrIsTerminal()) {
    std::fprintf(stderr, "(not confirmed: no terminal to ask; answered No)\n");
    return mb::kIdNo;
  }
  std::fprintf(stderr, "[y/N] ");
  std::fflush(stderr);
  char answer[16] = {};
  if (!std::fgets(answer, sizeof answer, stdin)) return mb::kIdNo;
  return (answer[0] == 'y' || answer[0] == 'Y') ? mb::kIdYes : mb::kIdNo;
}

void TerminalPort::beep() {
  if (stderrIsTerminal()) std::fputc('\a', stderr);
}

}  // namespace wk::cli
