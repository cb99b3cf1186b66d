#pragma once
// The web server of "wordkeg serve": the page and the JSON API over the home's dictionaries.
// Every search and report runs in this process on the app layer, with the command line's
// checks and messages (live_search.h); the server holds the home's instance marker while it
// runs. Searches beyond the server's slots are answered 503 at once (search_slots.h); a request
// slow to arrive is dropped (header_deadline.h); closing a connection ends its search, which
// removes its working files.
#include <string>
#include <vector>

namespace wk::web {

struct ServeOptions {
  std::string home;  // the home it searches
  std::string listen = "127.0.0.1";
  int port = 8080;      // 0: any free port
  // Host names the server answers to beside this machine's own names and addresses.
  std::vector<std::string> allowedHosts;
};

// Serves until SIGINT or SIGTERM; prints the address once listening. The exit status: 0 after a
// stop, 2 when the address cannot be listened on (said on stderr).
int serve(const ServeOptions& options);

}  // namespace wk::web
