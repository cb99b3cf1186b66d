// wordkeg-serve: "wordkeg serve" runs it, beside itself, with the home.
//   wordkeg-serve --home DIR [--port N] [--listen ADDR] [--allow-host NAME]...
#include <cstdio>
#include <cstdlib>
#include <string>

#include "server.h"

int main(int argc, char** argv) {
  wk::web::ServeOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i], value = argv[i + 1];
    if (name == "--home") {
      options.home = value;
    } else if (name == "--listen") {
      options.listen = value;
    } else if (name == "--allow-host") {
      options.allowedHosts.push_back(value);
    } else if (name == "--port") {
      options.port = std::atoi(value.c_str());
    } else {
      std::fprintf(stderr, "wordkeg-serve: unknown option %s\n", name.c_str());
      return 2;
    }
  }
  if (options.home.empty() || argc % 2 == 0) {
    std::fprintf(stderr,
                 "usage: wordkeg-serve --home DIR [--port N] [--listen ADDR] "
                 "[--allow-host NAME]...\n");
    return 2;
  }
  return wk::web::serve(options);
}
