#pragma once
// CollectingPort: the messages of one request, kept for its answer (a thread's port:
// ScopedThreadMessagePort). Questions are answered as the command line answers them without a
// terminal: OK goes on, Yes/No is No; the "!" note is said as a program without buttons says it.
#include <string>
#include <vector>

#include "app/search_job.h"
#include "engine/base/message_port.h"

namespace wk::web {

class CollectingPort : public MessagePort {
 public:
  int show(const std::string& text, const std::string&, unsigned style) override {
    texts.push_back(app::withoutButtons(text));
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
};

}  // namespace wk::web
