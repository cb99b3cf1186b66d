#pragma once
// Who may use the server, and how its requests must be written. The server answers only to this
// machine's own names and addresses and to those named by --allow-host (a page on another name
// reaching it through DNS rebinding is refused); a request another site's page started (a
// cross-site GET from an <img>, a POST with another Origin, a framed page) is refused before any
// work is done; the API's queries are read strictly.
#include <httplib.h>

#include <set>
#include <string>
#include <vector>

namespace wk::web {

class RequestGate {
 public:
  // `listen` is the address listened on: on a loopback address only loopback names are
  // answered, on any other also the machine's host name and interface addresses.
  RequestGate(const std::string& listen, const std::vector<std::string>& allowedHosts);

  // 0 when `req` may go on; else the status to refuse it with, and why in `why`.
  int refusal(const httplib::Request& req, std::string& why) const;
  // The hosts answered to, lower case ("[::1]" for IPv6).
  const std::set<std::string>& hosts() const { return hosts_; }

 private:
  std::set<std::string> hosts_;
};

// The host part of a Host or Origin value ("127.0.0.1:8080", "http://[::1]:80"), lower case.
std::string hostOf(std::string value);
bool isLoopback(const std::string& host);
// The headers every answer carries: no framing by other pages, scripts from this server only.
httplib::Headers securityHeaders();
// Why an API address has a bare "?" or "=" inside a value (which a browser or a hand would
// send unencoded), or empty.
std::string queryFault(const std::string& target);

}  // namespace wk::web
