#include "request_gate.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <unistd.h>

#include <algorithm>

namespace wk::web {
namespace {

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool isAnyAddress(const std::string& address) {
  return address == "0.0.0.0" || address == "::" || address == "[::]";
}

// The machine's interface addresses, IPv6 ones in brackets as a Host header writes them.
void addInterfaceAddresses(std::set<std::string>& hosts) {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return;
  for (const ifaddrs* at = list; at; at = at->ifa_next) {
    if (!at->ifa_addr) continue;
    char text[INET6_ADDRSTRLEN] = {};
    if (at->ifa_addr->sa_family == AF_INET) {
      const auto* in = reinterpret_cast<const sockaddr_in*>(at->ifa_addr);
      if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) hosts.insert(text);
    } else if (at->ifa_addr->sa_family == AF_INET6) {
      const auto* in6 = reinterpret_cast<const sockaddr_in6*>(at->ifa_addr);
      if (inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text))
        hosts.insert("[" + std::string(text) + "]");
    }
  }
  freeifaddrs(list);
}

// A request of the API (not the page, which any link may open) started by another site's page.
bool fromAnotherSite(const httplib::Request& req, std::string& why) {
  if (req.get_header_value_count("Origin") > 1 || req.get_header_value_count("Sec-Fetch-Site") > 1) {
    why = "a request must name one Origin and one Sec-Fetch-Site";
    return true;
  }
  std::string origin = req.get_header_value("Origin");
  if (const auto scheme = origin.find("://"); scheme != std::string::npos) origin.erase(0, scheme + 3);
  if (!origin.empty() && origin != "null" && lower(origin) != lower(req.get_header_value("Host"))) {
    why = "requests come only from this server's own page";
    return true;
  }
  // Browsers say who started a request; an <img> or a link on another page is not this page.
  const std::string site = req.get_header_value("Sec-Fetch-Site");
  if (origin == "null" || (!site.empty() && site != "same-origin" && site != "none")) {
    why = "requests come only from this server's own page";
    return true;
  }
  return false;
}

}  // namespace

std::string hostOf(std::string value) {
  if (const auto scheme = value.find("://"); scheme != std::string::npos) value.erase(0, scheme + 3);
  if (!value.empty() && value[0] == '[') return lower(value.substr(0, value.find(']') + 1));
  return lower(value.substr(0, value.find(':')));
}

bool isLoopback(const std::string& host) {
  return host == "127.0.0.1" || host == "localhost" || host == "::1" || host == "[::1]";
}

RequestGate::RequestGate(const std::string& listen, const std::vector<std::string>& allowedHosts) {
  hosts_ = {"127.0.0.1", "localhost", "[::1]"};
  for (const std::string& host : allowedHosts) hosts_.insert(hostOf(host));
  if (isLoopback(listen)) return;
  if (!isAnyAddress(listen))
    hosts_.insert(listen.find(':') != std::string::npos ? "[" + lower(listen) + "]" : listen);
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) == 0 && name[0]) hosts_.insert(lower(name));
  addInterfaceAddresses(hosts_);
}

int RequestGate::refusal(const httplib::Request& req, std::string& why) const {
  if (req.get_header_value_count("Host") != 1 || !hosts_.count(hostOf(req.get_header_value("Host")))) {
    why = "this server answers only to this machine's own names and addresses, and to those "
          "named by --allow-host";
    return 403;
  }
  if (req.path.rfind("/api/", 0) != 0) return 0;
  if (fromAnotherSite(req, why)) return 403;
  why = queryFault(req.target);
  return why.empty() ? 0 : 400;
}

httplib::Headers securityHeaders() {
  return {{"Content-Security-Policy",
           "default-src 'self'; script-src 'self'; style-src 'self' 'unsafe-inline'; "
           "img-src 'self' data:; object-src 'none'; base-uri 'none'; form-action 'self'; "
           "frame-ancestors 'none'"},
          {"X-Frame-Options", "DENY"},
          {"X-Content-Type-Options", "nosniff"},
          {"Referrer-Policy", "no-referrer"}};
}

std::string queryFault(const std::string& target) {
  const auto start = target.find('?');
  if (start == std::string::npos) return {};
  const std::string query = target.substr(start + 1);
  if (query.find('?') != std::string::npos)
    return "malformed request: a ? inside a value must be written %3F (or / in FIND)";
  for (size_t at = 0; at <= query.size();) {
    const size_t end = std::min(query.find('&', at), query.size());
    const std::string pair = query.substr(at, end - at);
    if (std::count(pair.begin(), pair.end(), '=') > 1)
      return "malformed request: an = inside a value must be written %3D";
    at = end + 1;
  }
  return {};
}

}  // namespace wk::web
