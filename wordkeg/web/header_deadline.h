#pragma once
// The header deadline: a connection that has not sent its whole request within a few seconds
// of being accepted is shut down, so that slow clients (a header byte a second) cannot hold the
// server's threads and keep other requests waiting. The HTTP library times out each read, not a
// request, so the server sees its connections as they are accepted (this file's accept) and
// learns of each request that arrived whole from its routing (requestArrived).
#include <string>

namespace wk::web {

// Starts the thread that shuts down connections older than `seconds` whose request has not
// arrived; the connections accepted before are watched too. Call once.
void startHeaderDeadline(int seconds);
// The request from `address`:`port` arrived whole: its connection is no longer watched.
void requestArrived(const std::string& address, int port);

}  // namespace wk::web
