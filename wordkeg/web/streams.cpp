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

// "Checked: N  Found: M" as written by a search with --progress-lines.
bool parseProgress(const std::string& text, long& checked, long& found) {
  return std::sscanf(text.c_str(), "Checked: %ld  Found: %ld", &checked, &found) == 2;
}

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

// One search streamed as lines of JSON, from its child's output.
class SearchStream {
 public:
  explicit SearchStream(std::unique_ptr<ChildProcess> child) : child_(std::move(child)) {}

  // Writes what came since the last call; false when the client has gone (the child then ends
  // with this stream).
  bool provide(httplib::DataSink& sink) {
    const bool open = child_->pump(kPumpMs);
    std::string out;
    std::string text;
    while (child_->nextLine(text)) out += jsonLine(json{{"result", text}});
    while (child_->nextErrorLine(text)) out += errorLine(text);
    if (!open) out += ending();
    if (!out.empty() && !sink.write(out.data(), out.size())) return false;
    if (!sink.is_writable()) return false;
    if (!open) sink.done();
    return true;
  }

 private:
  std::string errorLine(const std::string& text) {
    long checked = 0, found = 0;
    if (parseProgress(text, checked, found))
      return jsonLine(json{{"progress", {{"found", found}, {"checked", checked}}}});
    if (std::sscanf(text.c_str(), "Found: %ld", &found) == 1) {
      found_ = found;
      return {};
    }
    if (std::sscanf(text.c_str(), "Checked: %ld", &checked) == 1) {
      checked_ = checked;
      return {};
    }
    if (!isMessageLine(text)) return {};
    messages_ += (messages_.empty() ? "" : "\n") + withoutCaption(text);
    return jsonLine(json{{"message", withoutCaption(text)}});
  }

  std::string ending() {
    const int status = child_->wait();
    const std::string rest = child_->errorText();
    std::string out = rest.empty() ? std::string() : errorLine(rest);
    if (status == 0 || status == 1)
      return out + jsonLine(json{{"found", found_}, {"checked", checked_}});
    return out + jsonLine(json{{"error", messages_.empty() ? "The search ended early." : messages_}});
  }

  std::unique_ptr<ChildProcess> child_;
  long found_ = 0, checked_ = 0;
  std::string messages_;
};

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

namespace {

// HTTP/1.0 has no chunks: its answer runs until the connection closes.
void provide(httplib::Response& res, bool http10, const char* type,
             httplib::ContentProviderWithoutLength provider) {
  if (http10)
    res.set_content_provider(type, std::move(provider));
  else
    res.set_chunked_content_provider(type, std::move(provider));
}

}  // namespace

void streamSearch(const std::vector<std::string>& argv, bool http10, std::shared_ptr<void> slot,
                  httplib::Response& res) {
  std::unique_ptr<ChildProcess> child = startOrRefuse(argv, true, res);
  if (!child) return;
  auto stream = std::make_shared<SearchStream>(std::move(child));
  res.set_header("Cache-Control", "no-store");
  provide(res, http10, "application/x-ndjson",
          [stream, slot](size_t, httplib::DataSink& sink) { return stream->provide(sink); });
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
