#include "message_port.h"

#include <atomic>
#include <cstdio>

#include "string_table.h"

namespace wk {
namespace {

class StderrPort : public MessagePort {
 public:
  int show(const std::string& text, const std::string& caption, unsigned style) override {
    if (caption.empty())
      std::fprintf(stderr, "%s\n", text.c_str());
    else
      std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return (style & 0xF) == mb::kYesNo ? mb::kIdNo : mb::kIdOk;
  }
  void beep() override {}
};

StderrPort defaultPort;
std::atomic<MessagePort*> current{&defaultPort};
thread_local MessagePort* threadPort = nullptr;

MessagePort& port() {
  return threadPort ? *threadPort : *current.load();
}

}  // namespace

MessagePort* installMessagePort(MessagePort* port) {
  return current.exchange(port ? port : &defaultPort);
}

MessagePort* installThreadMessagePort(MessagePort* port) {
  MessagePort* previous = threadPort;
  threadPort = port;
  return previous;
}

int showMessage(const std::string& text, const std::string& caption, unsigned style) {
  return port().show(text, caption, style);
}

int showMessageIds(int textId, int captionId, unsigned style) {
  return showMessage(loadString(textId), loadString(captionId), style);
}

void beep() {
  port().beep();
}

}  // namespace wk
