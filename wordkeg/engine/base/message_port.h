#pragma once
// Message boxes and beeps, reached through one process-wide port that each front end installs
// (tests install a scripted fake). Style and answer values are those of the Win32 API so the
// Windows front end can pass them straight through.
#include <string>

namespace wk {

namespace mb {
constexpr unsigned kOk = 0x0;
constexpr unsigned kOkCancel = 0x1;
constexpr unsigned kYesNo = 0x4;
constexpr unsigned kIconStop = 0x10;
constexpr unsigned kIconQuestion = 0x20;
constexpr unsigned kIconExclamation = 0x30;
constexpr unsigned kIconInformation = 0x40;
constexpr unsigned kDefButton2 = 0x100;  // the second button (No) answers Enter
constexpr unsigned kTaskModal = 0x2000;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
}  // namespace mb

class MessagePort {
 public:
  virtual ~MessagePort() = default;
  // Shows `text` under `caption`; returns the button pressed (mb::kIdOk, kIdYes, kIdNo).
  virtual int show(const std::string& text, const std::string& caption, unsigned style) = 0;
  virtual void beep() = 0;
};

// Installs `port` (not owned; nullptr restores the default, which writes to stderr and answers
// No to every question so that nothing is changed without consent). Returns the previous port.
MessagePort* installMessagePort(MessagePort* port);

// Installs `port` for the calling thread alone (nullptr: the process's port again); returns the
// thread's previous one. A server running several operations at once gives each request's
// threads a port of their own, so that each answer carries its own messages.
MessagePort* installThreadMessagePort(MessagePort* port);

// Installs `port` for its own life and then restores the port it replaced, on every way out of
// the scope (an exception, a failed test assertion's early return).
class ScopedMessagePort {
 public:
  explicit ScopedMessagePort(MessagePort* port) : previous_(installMessagePort(port)) {}
  ~ScopedMessagePort() { installMessagePort(previous_); }
  ScopedMessagePort(const ScopedMessagePort&) = delete;
  ScopedMessagePort& operator=(const ScopedMessagePort&) = delete;

 private:
  MessagePort* previous_;
};

// The same for the calling thread alone.
class ScopedThreadMessagePort {
 public:
  explicit ScopedThreadMessagePort(MessagePort* port) : previous_(installThreadMessagePort(port)) {}
  ~ScopedThreadMessagePort() { installThreadMessagePort(previous_); }
  ScopedThreadMessagePort(const ScopedThreadMessagePort&) = delete;
  ScopedThreadMessagePort& operator=(const ScopedThreadMessagePort&) = delete;

 private:
  MessagePort* previous_;
};

int showMessage(const std::string& text, const std::string& caption, unsigned style);
// The same with both texts taken from the string table.
int showMessageIds(int textId, int captionId, unsigned style);
void beep();

}  // namespace wk
