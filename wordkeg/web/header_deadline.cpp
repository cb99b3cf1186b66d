#include "header_deadline.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>

namespace wk::web {
namespace {

using Clock = std::chrono::steady_clock;

struct Pending {
  std::string address;
  int port = 0;
  Clock::time_point accepted;
};

struct Watch {
  std::mutex mutex;
  std::map<int, Pending> pending;  // by socket
};

Watch& watch() {
  static Watch instance;
  return instance;
}

// The peer of `socket` as the HTTP library reports it to a request.
bool peerOf(int socket, std::string& address, int& port) {
  sockaddr_storage peer{};
  socklen_t size = sizeof peer;
  if (getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &size) != 0) return false;
  char text[INET6_ADDRSTRLEN] = {};
  if (peer.ss_family == AF_INET) {
    const auto* in = reinterpret_cast<const sockaddr_in*>(&peer);
    inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    port = ntohs(in->sin_port);
  } else if (peer.ss_family == AF_INET6) {
    const auto* in = reinterpret_cast<const sockaddr_in6*>(&peer);
    inet_ntop(AF_INET6, &in->sin6_addr, text, sizeof text);
    port = ntohs(in->sin6_port);
  } else {
    return false;
  }
  address = text;
  return true;
}

void shutDownLate(int seconds) {
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    const auto limit = Clock::now() - std::chrono::seconds(seconds);
    std::lock_guard<std::mutex> lock(watch().mutex);
    for (auto it = watch().pending.begin(); it != watch().pending.end();) {
      if (it->second.accepted > limit) {
        ++it;
        continue;
      }
      // Only the connection that was accepted: a number reused since names another file.
      std::string address;
      int port = 0;
      if (peerOf(it->first, address, port) && address == it->second.address &&
          port == it->second.port)
        shutdown(it->first, SHUT_RDWR);
      it = watch().pending.erase(it);
    }
  }
}

}  // namespace

void startHeaderDeadline(int seconds) {
  std::thread(shutDownLate, seconds).detach();
}

void requestArrived(const std::string& address, int port) {
  std::lock_guard<std::mutex> lock(watch().mutex);
  for (auto it = watch().pending.begin(); it != watch().pending.end(); ++it)
    if (it->second.port == port && it->second.address == address) {
      watch().pending.erase(it);
      return;
    }
}

}  // namespace wk::web

// The HTTP library accepts its connections through this: each is watched from then on.
extern "C" int accept(int socket, sockaddr* address, socklen_t* length) {
  const int accepted = accept4(socket, address, length, 0);
  if (accepted < 0) return accepted;
  wk::web::Pending pending;
  pending.accepted = wk::web::Clock::now();
  if (wk::web::peerOf(accepted, pending.address, pending.port)) {
    std::lock_guard<std::mutex> lock(wk::web::watch().mutex);
    wk::web::watch().pending[accepted] = pending;
  }
  return accepted;
}
