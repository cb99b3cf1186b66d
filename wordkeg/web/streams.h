#pragma once
// The API's answers that last as long as a search (the search itself: live_search.h), and the
// report of a search, written once the search has run by a child "wordkeg search"; a client that
// goes away ends it (so its working files go), and a refusal (which the program gives at once)
// is answered 400 with its message before anything streams.
#include <httplib.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace wk::web {

// One line of JSON; bytes that are not UTF-8 (a request may hold any) are replaced, not fatal.
std::string jsonLine(const nlohmann::json& value);
void sendError(httplib::Response& res, int status, const std::string& message);

// Streams `provider`'s output as the answer: chunked, or for an HTTP/1.0 client (which has no
// chunks) until the connection closes.
void provide(httplib::Response& res, bool http10, const char* type,
             httplib::ContentProviderWithoutLength provider);
// GET /api/report: `argv` saves the report to `file` (in `directory`, removed afterwards).
void streamReport(const std::vector<std::string>& argv, const std::string& directory,
                  const std::string& file, bool http10, std::shared_ptr<void> slot,
                  httplib::Response& res);

}  // namespace wk::web
