#include "streams.h"

using nlohmann::json;

namespace wk::web {

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

}  // namespace wk::web
