#pragma once
// The API's answers that last as long as a search: the search itself streamed as lines of JSON,
// and the report of a search, written once the search has run. Each runs its own child
// "wordkeg search"; a client that goes away ends it (so its working files go), and a refusal
// (which the program gives at once) is answered 400 with its message before anything streams.
#include <httplib.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace wk::web {

// One line of JSON; bytes that are not UTF-8 (a request may hold any) are replaced, not fatal.
std::string jsonLine(const nlohmann::json& value);
void sendError(httplib::Response& res, int status, const std::string& message);

// GET /api/search: `argv` is the child's whole command line. `http10`: the client speaks
// HTTP/1.0, which has no chunked answers (the answer ends when the connection closes).
// `slot` (see SearchSlots) is held until the answer has ended.
void streamSearch(const std::vector<std::string>& argv, bool http10, std::shared_ptr<void> slot,
                  httplib::Response& res);
// GET /api/report: `argv` saves the report to `file` (in `directory`, removed afterwards).
void streamReport(const std::vector<std::string>& argv, const std::string& directory,
                  const std::string& file, bool http10, std::shared_ptr<void> slot,
                  httplib::Response& res);

}  // namespace wk::web
