#include "cli_host.h"

#include <cstdio>
#include <cstring>

#include "dict_commands.h"
#include "engine/base/string_table.h"
#include "progress_runner.h"

namespace wk::cli {

void CliHost::setStatus(int stringId) {
  if (stringId != kBlankStatus) std::fprintf(stderr, "%s\n", loadString(stringId));
}

RunOutcome CliHost::runOperation(Operation& operation) {
  return runWithProgress(operation);
}

int exitStatus(app::Outcome outcome) {
  switch (outcome) {
    case app::Outcome::kDone:
      return exit_code::kDone;
    case app::Outcome::kNothingDone:
      return exit_code::kNothing;
    default:
      return exit_code::kRefused;
  }
}

}  // namespace wk::cli
