#pragma once
// CollectingPort: the messages of one request, kept for its answer (a thread's port:
// ScopedThreadMessagePort). Questions are answered as the command line answers them without a
// terminal: OK goes on, Yes/No is No; the "!" note is said as a program without buttons says it.
// A path in the home is said from the home ("./lexicons/x.lex"): an answer does not tell a
// client where on the server the home is.
#include <string>
#include <vector>

#include "app/search_job.h"
#include "engine/base/message_port.h"
#include "engine/base/paths.h"

namespace wk::web {

class CollectingPort : public MessagePort {
 public:
  explicit CollectingPort(std::string home = {}) : home_(std::move(home)) {}
  int show(const std::string& text, const std::string&, unsigned style) override {
    texts.push_back(fromHome(home_, app::withoutButtons(text)));
    return (style & 0xF) == mb::kYesNo ? mb::kIdNo : mb::kIdOk;
  }
  void beep() override {}

  // The texts a line each.
  static std::string joined(const std::vector<std::string>& texts) {
    std::string text;
    for (const std::string& t : texts) text += (text.empty() ? "" : "\n") + t;
    return text;
  }

  std::vector<std::string> texts;

  // `text` with each path in `home` said from the home.
  static std::string fromHome(const std::string& home, const std::string& text) {
    if (home.empty()) return text;
    const std::string prefix = home + kSeparator;
    std::string said;
    size_t from = 0;
    for (size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, from)) {
      said.append(text, from, at - from).append(1, '.');
      from = at + home.size();
    }
    return said.append(text, from, std::string::npos);
  }

 private:
  std::string home_;
};

}  // namespace wk::web
