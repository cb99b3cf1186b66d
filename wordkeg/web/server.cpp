#include "server.h"

#include <httplib.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "page.h"
#include "search_request.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace wk::web {
namespace {

constexpr int kPumpMs = 200;
constexpr auto kRefusalWait = std::chrono::milliseconds(400);

void sendJson(httplib::Response& res, int status, const json& body) {
  res.status = status;
  res.set_content(body.dump() + "\n", "application/json");
}

void sendError(httplib::Response& res, int status, const std::string& message) {
  sendJson(res, status, json{{"error", message}});
}

std::vector<std::string> commandLine(const ServeOptions& options,
                                     const std::vector<std::string>& args) {
  std::vector<std::string> argv = {options.wordkeg, "--home", options.home};
  argv.insert(argv.end(), args.begin(), args.end());
  return argv;
}

// "Checked: N  Found: M" as written by a search with --progress-lines.
bool parseProgress(const std::string& line, long& checked, long& found) {
  return std::sscanf(line.c_str(), "Checked: %ld  Found: %ld", &checked, &found) == 2;
}

// One search streamed as lines of JSON, from its child's output.
class SearchStream {
 public:
  explicit SearchStream(std::unique_ptr<ChildProcess> child) : child_(std::move(child)) {}

  // Writes what came since the last call; false when the client has gone (the child then ends
  // with this stream).
  bool provide(httplib::DataSink& sink) {
    const bool open = child_->pump(kPumpMs);
    std::string out;
    std::string line;
    while (child_->nextLine(line)) out += json{{"result", line}}.dump() + "\n";
    while (child_->nextErrorLine(line)) out += errorLine(line);
    if (!open) out += ending();
    if (!out.empty() && !sink.write(out.data(), out.size())) return false;
    if (!sink.is_writable()) return false;
    if (!open) sink.done();
    return true;
  }

 private:
  std::string errorLine(const std::string& line) {
    long checked = 0, found = 0;
    if (parseProgress(line, checked, found))
      return json{{"progress", {{"found", found}, {"checked", checked}}}}.dump() + "\n";
    if (std::sscanf(line.c_str(), "Found: %ld", &found) == 1) {
      found_ = found;
      return {};
    }
    if (std::sscanf(line.c_str(), "Checked: %ld", &checked) == 1) {
      checked_ = checked;
      return {};
    }
    if (line.empty() || line.rfind("Run with --help", 0) == 0) return {};
    messages_ += (messages_.empty() ? "" : "\n") + withoutCaption(line);
    return json{{"message", withoutCaption(line)}}.dump() + "\n";
  }

  std::string ending() {
    const int status = child_->wait();
    std::string rest = child_->errorText();
    std::string out;
    if (!rest.empty()) out += errorLine(rest);
    if (status == 0 || status == 1)
      return out + json{{"found", found_}, {"checked", checked_}}.dump() + "\n";
    return out + json{{"error", messages_.empty() ? "The search ended early." : messages_}}.dump() +
           "\n";
  }

  std::unique_ptr<ChildProcess> child_;
  long found_ = 0, checked_ = 0;
  std::string messages_;
};

void handleSearch(const ServeOptions& options, const httplib::Request& req,
                  httplib::Response& res) {
  const SearchCommand command = searchCommand(req.params);
  if (!command.error.empty()) return sendError(res, 400, command.error);
  auto child = std::make_unique<ChildProcess>(commandLine(options, command.args));
  if (!child->running()) return sendError(res, 500, "The search could not be started.");
  // A refusal comes at once: wait for it, or for the first result, before the status is sent.
  const auto until = std::chrono::steady_clock::now() + kRefusalWait;
  bool open = true;
  while (open && child->outputText().empty() && std::chrono::steady_clock::now() < until)
    open = child->pump(50);
  if (!open && child->outputText().empty()) {
    const int status = child->wait();
    if (status == 2) return sendError(res, 400, messageOf(child->errorText()));
  }
  auto stream = std::make_shared<SearchStream>(std::move(child));
  res.set_header("Cache-Control", "no-store");
  res.set_chunked_content_provider(
      "application/x-ndjson",
      [stream](size_t, httplib::DataSink& sink) { return stream->provide(sink); });
}

// The catalogue as `wordkeg dict list` gives it: "* british.lex 284170" per dictionary.
json dictionaryList(const ServeOptions& options, std::string& error) {
  const Finished listed = runToEnd(commandLine(options, {"dict", "list"}));
  json list = json::array();
  if (listed.status == 2) error = messageOf(listed.err);
  std::istringstream lines(listed.out);
  for (std::string line; std::getline(lines, line);) {
    if (line.size() < 3) continue;
    std::istringstream fields(line.substr(2));
    std::string file;
    long words = 0;
    if (!(fields >> file >> words)) continue;
    const std::string name = file.size() > 4 ? file.substr(0, file.size() - 4) : file;
    list.push_back({{"name", name}, {"file", file}, {"words", words}, {"selected", line[0] == '*'}});
  }
  return list;
}

void handleDictionaries(const ServeOptions& options, httplib::Response& res) {
  std::string error;
  json list = dictionaryList(options, error);
  if (!error.empty()) return sendError(res, 500, error);
  sendJson(res, 200, list);
}

bool isDictionaryName(const std::string& name) {
  return !name.empty() && name.size() <= 255 &&
         name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_{}$.") ==
             std::string::npos &&
         name[0] != '.';
}

void handleSelect(const ServeOptions& options, const httplib::Request& req,
                  httplib::Response& res) {
  const std::string name = req.get_param_value("name");
  const std::string selected = req.get_param_value("selected");
  if (!isDictionaryName(name)) return sendError(res, 400, "name must name a dictionary");
  if (selected != "0" && selected != "1") return sendError(res, 400, "selected must be 0 or 1");
  const Finished done = runToEnd(
      commandLine(options, {"dict", selected == "1" ? "select" : "deselect", name}));
  if (done.status != 0) return sendError(res, 409, messageOf(done.err));
  handleDictionaries(options, res);
}

void handleReport(const ServeOptions& options, const httplib::Request& req,
                  httplib::Response& res) {
  SearchCommand command = searchCommand(req.params);
  if (!command.error.empty()) return sendError(res, 400, command.error);
  std::string pattern = (fs::temp_directory_path() / "wordkeg-report-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return sendError(res, 500, "No place for the report.");
  const fs::path dir = pattern, file = dir / "wordkeg-results.txt";
  struct Removed {
    fs::path dir;
    ~Removed() {
      std::error_code ec;
      fs::remove_all(dir, ec);
    }
  } removed{dir};
  command.args.insert(command.args.end() - 2, {"--save=" + file.string(), "--force"});
  const Finished done = runToEnd(commandLine(options, command.args));
  if (done.status == 2) return sendError(res, 400, messageOf(done.err));
  std::ifstream in(file, std::ios::binary);
  if (done.status != 0 || !in) return sendError(res, 404, "Nothing was found: there is no report.");
  std::ostringstream text;
  text << in.rdbuf();
  res.set_header("Content-Disposition", "attachment; filename=\"wordkeg-results.txt\"");
  res.set_content(text.str(), "text/plain; charset=utf-8");
}

void addRoutes(httplib::Server& server, const ServeOptions& options) {
  server.Get("/", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(pageHtml(), "text/html; charset=utf-8");
  });
  server.Get("/api/search", [&options](const httplib::Request& req, httplib::Response& res) {
    handleSearch(options, req, res);
  });
  server.Get("/api/report", [&options](const httplib::Request& req, httplib::Response& res) {
    handleReport(options, req, res);
  });
  server.Get("/api/dictionaries", [&options](const httplib::Request&, httplib::Response& res) {
    handleDictionaries(options, res);
  });
  server.Post("/api/dictionaries", [&options](const httplib::Request& req, httplib::Response& res) {
    handleSelect(options, req, res);
  });
  server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (res.status == 404 && res.body.empty()) sendError(res, 404, "not found");
  });
}

}  // namespace

int serve(const ServeOptions& options) {
  // Stop signals go to one thread that stops the server; every other thread blocks them.
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGINT);
  sigaddset(&stops, SIGTERM);
  sigaddset(&stops, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stops, nullptr);
  signal(SIGPIPE, SIG_IGN);

  httplib::Server server;
  // Each streaming search holds a thread: enough of them that slow clients never starve others.
  server.new_task_queue = [] { return new httplib::ThreadPool(32); };
  addRoutes(server, options);
  int port = options.port;
  const bool bound = port == 0 ? (port = server.bind_to_any_port(options.listen)) > 0
                               : server.bind_to_port(options.listen, port);
  if (!bound) {
    std::fprintf(stderr, "wordkeg serve: cannot listen on %s port %d (in use? choose another with --port)\n",
                 options.listen.c_str(), options.port);
    return 2;
  }
  const bool local = options.listen == "127.0.0.1" || options.listen == "localhost" ||
                     options.listen == "::1";
  const std::string host = options.listen.find(':') != std::string::npos ? "[" + options.listen + "]"
                                                                          : options.listen;
  std::printf("wordkeg serve: http://%s:%d/ on the home %s (Ctrl-C stops)\n", host.c_str(), port,
              options.home.c_str());
  if (!local)
    std::printf("Listening on %s: anyone who can reach it can search this home and change its "
                "selection.\n",
                options.listen.c_str());
  std::fflush(stdout);
  std::thread stopper([&server, &stops] {
    int signal = 0;
    sigwait(&stops, &signal);
    server.stop();
  });
  server.listen_after_bind();
  // The server stopped by other means than a signal: wake the stopper with one of its own.
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  return 0;
}

}  // namespace wk::web
