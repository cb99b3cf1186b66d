#pragma once
// The web server of "wordkeg serve": the page and the JSON API over the home's dictionaries.
// Every search, report and change of the selection runs as a child "wordkeg" on the home, so
// the command line's rules, messages and instance marker apply unchanged, several pages search
// at once without sharing state, and closing a connection ends its child (which removes its
// working files). Searches beyond the server's slots are answered 503 at once (search_slots.h);
// a request slow to arrive is dropped (header_deadline.h).
#include <string>
#include <vector>

namespace wk::web {

struct ServeOptions {
  std::string wordkeg;  // the command-line program the children run
  std::string home;     // the home they run on
  std::string listen = "127.0.0.1";
  int port = 8080;      // 0: any free port
  // Host names the server answers to beside this machine's own names and addresses.
  std::vector<std::string> allowedHosts;
};

// Serves until SIGINT or SIGTERM; prints the address once listening. The exit status: 0 after a
// stop, 2 when the address cannot be listened on (said on stderr).
int serve(const ServeOptions& options);

}  // namespace wk::web
