#pragma once
// The command line of the native tool: parses the arguments, settles the home directory and
// runs one command. Returns the process exit status.
namespace wk::cli {

int runCli(int argc, char** argv);

}  // namespace wk::cli
