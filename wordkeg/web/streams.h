#pragma once
// How the API answers: a line of JSON, a refusal as JSON, and an answer streamed as long as a
// search lasts (live_search.h makes what it streams).
#include <httplib.h>

#include <nlohmann/json.hpp>
#include <string>

namespace wk::web {

// One line of JSON; bytes that are not UTF-8 (a request may hold any) are replaced, not fatal.
std::string jsonLine(const nlohmann::json& value);
void sendError(httplib::Response& res, int status, const std::string& message);
// Streams `provider`'s output as the answer: chunked, or for an HTTP/1.0 client (which has no
// chunks) until the connection closes.
void provide(httplib::Response& res, bool http10, const char* type,
             httplib::ContentProviderWithoutLength provider);

}  // namespace wk::web
