#include "serve_command.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "dict_commands.h"

namespace wk::cli {

int runServer(const std::string& home, int port, const std::string& listen,
              const std::vector<std::string>& allowedHosts) {
#ifdef _WIN32
  (void)home, (void)port, (void)listen, (void)allowedHosts;
  std::fprintf(stderr, "wordkeg serve is not part of this build\n");
  return exit_code::kRefused;
#else
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::string server = (self.parent_path() / "wordkeg-serve").string();
  std::filesystem::create_directories(home, ec);
  const std::string portText = std::to_string(port);
  std::vector<std::string> args = {server, "--home", home, "--port", portText, "--listen", listen};
  for (const std::string& host : allowedHosts) args.insert(args.end(), {"--allow-host", host});
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::fflush(stdout);
  execv(server.c_str(), argv.data());
  std::fprintf(stderr, "wordkeg serve: cannot start %s (build the wordkeg-serve target)\n",
               server.c_str());
  return exit_code::kRefused;
#endif
}

}  // namespace wk::cli
