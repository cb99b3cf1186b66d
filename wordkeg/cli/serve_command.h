#pragma once
// "wordkeg serve": starts the web server, the program "wordkeg-serve" installed beside this one,
// on `home`, which it runs this program on for every search.
#include <string>
#include <vector>

namespace wk::cli {

// Replaces this process with the server; returns (status 2, said why) only when it cannot.
int runServer(const std::string& home, int port, const std::string& listen,
              const std::vector<std::string>& allowedHosts);

}  // namespace wk::cli
