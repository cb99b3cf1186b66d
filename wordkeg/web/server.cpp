#include "server.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <thread>

#include "app/process_home.h"
#include "dictionary_requests.h"
#include "engine/base/wordkeg_exception.h"
#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/instance_marker.h"
#include "header_deadline.h"
#include "live_search.h"
#include "page.h"
#include "request_gate.h"
#include "search_request.h"
#include "search_slots.h"
#include "streams.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace wk::web {
namespace {

constexpr int kRetryAfterSeconds = 2;
constexpr int kReportWaitMs = 400;
constexpr int kStopGraceMs = 2000;  // for the live searches' answers to end when stopping  // for a
                                    // search that finds nothing to say so
constexpr int kSpareThreads = 64;  // beside the searches' slots
constexpr int kHeaderSeconds = 4;  // for a request to arrive whole

// The request has arrived whole: its connection is no longer held to the header deadline.
void arrived(const httplib::Request& req) {
  requestArrived(req.remote_addr, req.remote_port);
}

bool expectsBody(const httplib::Request& req) {
  const std::string length =
      req.has_header("Content-Length") ? req.get_header_value("Content-Length") : "0";
  return length != "0" || req.has_header("Transfer-Encoding");
}

// Refuses (400) a request with a parameter other than `known`, or one given twice.
bool onlyKnown(const httplib::Request& req, const std::set<std::string>& known,
               httplib::Response& res) {
  for (const auto& [name, value] : req.params) {
    if (!known.count(name)) {
      sendError(res, 400, "unknown parameter: " + name.substr(0, 40));
      return false;
    }
    if (req.params.count(name) > 1) {
      sendError(res, 400, name + " is given more than once");
      return false;
    }
  }
  return true;
}

void handleDictionaries(const std::string& home, httplib::Response& res) {
  res.set_content(jsonLine(dictionaryList(home)), "application/json");
}

void handleSelect(const std::string& home, const httplib::Request& req, httplib::Response& res) {
  if (!onlyKnown(req, {"name", "selected"}, res)) return;
  const std::string name = req.get_param_value("name");
  const std::string selected = req.get_param_value("selected");
  if (selected != "0" && selected != "1") return sendError(res, 400, "selected must be 0 or 1");
  if (name.find('\0') != std::string::npos)
    return sendError(res, 400, "name holds a NUL character");
  std::string error;
  const int status = selectDictionary(home, name, selected == "1", error);
  if (status == 0) return handleDictionaries(home, res);
  if (status == 404)
    return sendError(res, 404, "There is no dictionary called " + name.substr(0, 255));
  sendError(res, status, error);
}

// A slot for one more search, or null after answering 503: the server runs as many as it has
// slots and asks the others to come back rather than keep them waiting.
std::shared_ptr<void> slotOrBusy(SearchSlots& slots, httplib::Response& res) {
  std::shared_ptr<void> slot = slots.take();
  if (slot) return slot;
  sendError(res, 503, "The server is busy with other searches: try again in a moment.");
  res.set_header("Retry-After", std::to_string(kRetryAfterSeconds));
  return nullptr;
}

// The search a request asks for, started in a slot of its own; null after answering (400 for a
// refusal, 503 when the server is busy; a HEAD request gets only `type`).
std::shared_ptr<LiveSearch> startSearch(SearchSlots& slots, const std::string& home,
                                        LiveSearch::Form form, const char* type,
                                        const httplib::Request& req, httplib::Response& res,
                                        std::shared_ptr<void>& slot) {
  const SearchQuery query = searchQuery(req.params);
  if (!query.error.empty()) {
    sendError(res, 400, query.error);
    return nullptr;
  }
  if (form == LiveSearch::Form::kReport && query.options.rank) {
    sendError(res, 400,
              "rank orders the results shown; the report keeps the order found: "
              "leave rank out");
    return nullptr;
  }
  if (req.method == "HEAD") {
    res.set_header("Content-Type", type);
    return nullptr;
  }
  slot = slotOrBusy(slots, res);
  if (!slot) return nullptr;
  std::string refusal;
  std::shared_ptr<LiveSearch> search = LiveSearch::start(home, query.options, form, refusal);
  if (!search) sendError(res, 400, refusal);
  return search;
}

void handleSearch(SearchSlots& slots, const std::string& home, const httplib::Request& req,
                  httplib::Response& res) {
  const char* type = "application/x-ndjson";
  std::shared_ptr<void> slot;
  const auto search = startSearch(slots, home, LiveSearch::Form::kResults, type, req, res, slot);
  if (!search) return;
  res.set_header("Cache-Control", "no-store");
  provide(res, req.version == "HTTP/1.0", type,
          [search, slot](size_t, httplib::DataSink& sink) { return search->provide(sink); });
}

void handleReport(SearchSlots& slots, const std::string& home, const httplib::Request& req,
                  httplib::Response& res) {
  const char* type = "text/plain; charset=utf-8";
  std::shared_ptr<void> slot;
  const auto search = startSearch(slots, home, LiveSearch::Form::kReport, type, req, res, slot);
  if (!search) return;
  // A search that ends at once with nothing (or that could not keep its results) has no report.
  std::string why;
  if (const int status = search->reportRefusalWithin(kReportWaitMs, why); status != 0)
    return sendError(res, status, status == 404 ? "Nothing was found: there is no report." : why);
  res.set_header("Content-Disposition", "attachment; filename=\"wordkeg-results.txt\"");
  provide(res, req.version == "HTTP/1.0", type,
          [search, slot](size_t, httplib::DataSink& sink) { return search->provide(sink); });
}

const char* reasonOf(int status) {
  switch (status) {
    case 400: return "malformed request";
    case 404: return "not found";
    case 405: return "method not allowed";
    case 413: return "request too large";
    case 414: return "address too long";
    default: return "the request could not be answered";
  }
}

void addRoutes(httplib::Server& server, const RequestGate& gate, SearchSlots& slots,
               const std::string& home) {
  server.set_default_headers(securityHeaders());
  server.set_pre_routing_handler([&gate](const httplib::Request& req, httplib::Response& res) {
    // Every answer is a stream made as it goes: a range of it cannot be served, and the HTTP
    // library would answer 206 with the whole stream. The whole answer it is, 200.
    const_cast<httplib::Request&>(req).ranges.clear();
    // A request with a body has arrived once its body has (its handler says so).
    if (!expectsBody(req)) arrived(req);
    std::string why;
    if (const int status = gate.refusal(req, why); status != 0) {
      sendError(res, status, why);
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  server.Get("/", [](const httplib::Request& req, httplib::Response& res) {
    arrived(req);
    res.set_content(pageHtml(), "text/html; charset=utf-8");
  });
  server.Get("/page.js", [](const httplib::Request& req, httplib::Response& res) {
    arrived(req);
    res.set_content(pageScript(), "text/javascript; charset=utf-8");
  });
  server.Get("/api/search", [&](const httplib::Request& req, httplib::Response& res) {
    arrived(req);
    handleSearch(slots, home, req, res);
  });
  server.Get("/api/report", [&](const httplib::Request& req, httplib::Response& res) {
    arrived(req);
    handleReport(slots, home, req, res);
  });
  server.Get("/api/dictionaries", [&](const httplib::Request& req, httplib::Response& res) {
    arrived(req);
    if (onlyKnown(req, {}, res)) handleDictionaries(home, res);
  });
  server.Post("/api/dictionaries", [&](const httplib::Request& req, httplib::Response& res) {
    arrived(req);
    handleSelect(home, req, res);
  });
  // Every refusal answers JSON, also those the HTTP library makes itself; a raw ? in a value is
  // said to be one.
  server.set_error_handler([](const httplib::Request& req, httplib::Response& res) {
    if (!res.body.empty()) return;
    // The page reads its own address, "/?find=ca?" typed into the address bar included.
    if (res.status == 400 && (req.target == "/" || req.target.rfind("/?", 0) == 0)) {
      res.status = 200;
      return res.set_content(pageHtml(), "text/html; charset=utf-8");
    }
    const std::string fault = res.status == 400 ? queryFault(req.target) : std::string();
    sendError(res, res.status, fault.empty() ? reasonOf(res.status) : fault);
  });
  server.set_exception_handler(
      [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        sendError(res, 500, "the request could not be answered");
      });
}

// Only this server listens on its port: the library's default would let a second server share
// it (SO_REUSEPORT) and take half of the requests.
void ownPort(int socket) {
  int yes = 1;
  setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

bool isAddress(const std::string& text) {
  unsigned char bytes[16];
  return text == "localhost" || inet_pton(AF_INET, text.c_str(), bytes) == 1 ||
         inet_pton(AF_INET6, text.c_str(), bytes) == 1;
}

}  // namespace

// Report folders of servers that were killed (kill -9 leaves them): each is named after its
// server's process, so one whose process is gone can go.
void removeDeadReportFolders() {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(fs::temp_directory_path(), ec)) {
    const std::string name = entry.path().filename().string();
    const std::string prefix = "wordkeg-report-";
    if (name.rfind(prefix, 0) != 0) continue;
    const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
      fs::remove_all(entry.path(), ec);
  }
}

int serve(const ServeOptions& options) {
  if (!isAddress(options.listen)) {
    std::fprintf(stderr, "wordkeg serve: --listen %s is not an address (e.g. 127.0.0.1 or ::1)\n",
                 options.listen.c_str());
    return 2;
  }
  // Stop signals go to one thread that stops the server; every other thread blocks them.
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGINT);
  sigaddset(&stops, SIGTERM);
  sigaddset(&stops, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stops, nullptr);
  signal(SIGPIPE, SIG_IGN);

  removeDeadReportFolders();
  httplib::Server server;
  // Each streaming search holds a thread, and so does each connection until its request has
  // arrived: the searches' slots, then room beside them for the page, the dictionary list and
  // the refusals, which never wait behind searches; a connection whose request is slow to come
  // is dropped. A client may pause a while before it reads on, and idle connections go soon.
  SearchSlots slots(SearchSlots::defaultCapacity());
  server.new_task_queue = [] {
    return new httplib::ThreadPool(
        static_cast<size_t>(SearchSlots::defaultCapacity() + kSpareThreads));
  };
  startHeaderDeadline(kHeaderSeconds);
  server.set_socket_options(ownPort);
  server.set_write_timeout(30, 0);
  server.set_keep_alive_timeout(2);
  // The HTTP library would read a pipelined second request and never answer it: each answer
  // says the connection closes, so that a client sends its next request anew.
  server.set_keep_alive_max_count(1);
  const RequestGate gate(options.listen, options.allowedHosts);
  // Searches run here, on the home read afresh by each request; this copy's marker tells other
  // programs a copy uses the home while the server runs.
  std::error_code ec;
  if (!fs::is_directory(options.home, ec)) {
    std::fprintf(stderr, "wordkeg serve: cannot use the home %s: it is not a folder\n",
                 options.home.c_str());
    return 2;
  }
  app::useProcessHome(options.home);
  std::unique_ptr<DictionaryNames> catalogue = DictionaryNames::open(app::processConfig());
  std::unique_ptr<InstanceMarker> marker;
  try {
    marker = std::make_unique<InstanceMarker>(*catalogue);
  } catch (const WordkegException& e) {
    std::fprintf(stderr, "wordkeg serve: %s\n", e.text().c_str());
    return 2;
  }
  addRoutes(server, gate, slots, options.home);
  int port = options.port;
  const bool bound = port == 0 ? (port = server.bind_to_any_port(options.listen)) > 0
                               : server.bind_to_port(options.listen, port);
  if (!bound) {
    std::fprintf(stderr, "wordkeg serve: cannot listen on %s port %d: it is in use (choose another "
                 "with --port)\n", options.listen.c_str(), options.port);
    return 2;
  }
  const std::string host = options.listen.find(':') != std::string::npos ? "[" + options.listen + "]"
                                                                          : options.listen;
  std::printf("wordkeg serve: http://%s:%d/ on the home %s (Ctrl-C stops)\n", host.c_str(), port,
              options.home.c_str());
  if (!isLoopback(options.listen))
    std::printf("Listening on %s: anyone who can reach it can search this home and change its "
                "selection.\n",
                options.listen.c_str());
  std::fflush(stdout);
  // The first stop signal stops the server and interrupts the searches (each removes its
  // working files); a second one ends at once.
  std::atomic<bool> finished{false};
  std::thread stopper([&] {
    int signal = 0;
    sigwait(&stops, &signal);
    if (finished) return;
    // The searches end first, each answer saying so, while the server still writes answers.
    LiveSearch::cancelAll();
    LiveSearch::waitAllEnded(kStopGraceMs);
    server.stop();
    sigwait(&stops, &signal);
    if (!finished) _exit(128 + signal);
  });
  server.listen_after_bind();
  finished = true;
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  return 0;
}

}  // namespace wk::web
