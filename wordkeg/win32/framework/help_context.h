#pragma once
// The help context: one current topic number. A dialog sets its own while it exists and puts
// the previous one back when it goes; F1 in a modal dialog asks help for the current number.
namespace wkw {

int currentHelpContext();

class ScopedHelpContext {
 public:
  explicit ScopedHelpContext(int context);
  ~ScopedHelpContext();
  ScopedHelpContext(const ScopedHelpContext&) = delete;
  ScopedHelpContext& operator=(const ScopedHelpContext&) = delete;

 private:
  int saved_;
};

}  // namespace wkw
