#include "help_context.h"

namespace wkw {
namespace {
int current = 0;
}

int currentHelpContext() {
  return current;
}

ScopedHelpContext::ScopedHelpContext(int context) : saved_(current) {
  current = context;
}

ScopedHelpContext::~ScopedHelpContext() {
  current = saved_;
}

}  // namespace wkw
