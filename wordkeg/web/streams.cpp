#include "streams.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "child_process.h"
#include "search_request.h"

using nlohmann::json;

namespace wk::web {
namespace {

constexpr int kPumpMs = 200;
constexpr auto kRefusalWait = std::chrono::milliseconds(400);

// Starts `argv` and waits for a refusal, which comes at once, or for the search to be under
// way. Null after answering (500 when it cannot start, 400 with the program's message).
std::unique_ptr<ChildProcess> startOrRefuse(const std::vector<std::string>& argv, bool keepOutput,
                                            httplib::Response& res) {
  auto child = std::make_unique<ChildProcess>(argv, keepOutput);
  if (!child->running()) {
    sendError(res, 500, "The search could not be started.");
    return nullptr;
  }
  const auto until = std::chrono::steady_clock::now() + kRefusalWait;
  bool open = true;
  while (open && child->outputText().empty() && std::chrono::steady_clock::now() < until)
    open = child->pump(50);
  if (!open && child->outputText().empty() && child->wait() == 2) {
    sendError(res, 400, messageOf(child->errorText()));
    return nullptr;
  }
  return child;
}

// A report's search run to its end, the client watched meanwhile, then the report sent.
class ReportStream {
 public:
  ReportStream(std::unique_ptr<ChildProcess> child, std::string directory, std::string file)
      : child_(std::move(child)), directory_(std::move(directory)), file_(std::move(file)) {}
  ~ReportStream() {
    child_.reset();  // the search ends before its file goes
    std::error_code ec;
    std::filesystem::remove_all(directory_, ec);
  }
  ReportStream(const ReportStream&) = delete;
  ReportStream& operator=(const ReportStream&) = delete;

  // Sends the report a block a call once the search has ended: a report of gigabytes passes
  // through a block of memory, as fast as the client reads it.
  bool provide(httplib::DataSink& sink) {
    if (!in_.is_open()) {
      if (child_->pump(kPumpMs)) return sink.is_writable();
      child_->wait();
      in_.open(file_, std::ios::binary);  // empty when the search found nothing after all
    }
    in_.read(block_.data(), static_cast<std::streamsize>(block_.size()));
    const auto got = static_cast<size_t>(in_.gcount());
    if (got > 0 && !sink.write(block_.data(), got)) return false;
    if (got < block_.size()) sink.done();
    return true;
  }

 private:
  std::unique_ptr<ChildProcess> child_;
  std::string directory_, file_;
  std::ifstream in_;
  std::vector<char> block_ = std::vector<char>(64 * 1024);
};

}  // namespace

std::string jsonLine(const json& value) {
  return value.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

void sendError(httplib::Response& res, int status, const std::string& message) {
  res.status = status;
  res.set_content(jsonLine(json{{"error", message}}), "application/json");
}

void provide(httplib::Response& res, bool http10, const char* type,
             httplib::ContentProviderWithoutLength provider) {
  // HTTP/1.0 has no chunks: its answer runs until the connection closes.
  if (http10)
    res.set_content_provider(type, std::move(provider));
  else
    res.set_chunked_content_provider(type, std::move(provider));
}

void streamReport(const std::vector<std::string>& argv, const std::string& directory,
                  const std::string& file, bool http10, std::shared_ptr<void> slot,
                  httplib::Response& res) {
  std::unique_ptr<ChildProcess> child = startOrRefuse(argv, false, res);
  if (child && !child->running() && child->wait() == 1) {
    sendError(res, 404, "Nothing was found: there is no report.");
    child.reset();
  }
  if (!child) {
    std::error_code ec;
    std::filesystem::remove_all(directory, ec);
    return;
  }
  auto stream = std::make_shared<ReportStream>(std::move(child), directory, file);
  res.set_header("Content-Disposition", "attachment; filename=\"wordkeg-results.txt\"");
  provide(res, http10, "text/plain; charset=utf-8",
          [stream, slot](size_t, httplib::DataSink& sink) { return stream->provide(sink); });
}

}  // namespace wk::web
