#include "fault_point.h"

#include <cstdlib>
#include <cstring>

namespace wk {

void faultPoint(const char* name) {
  static const char* const chosen = std::getenv("WORDKEG_FAULT");
  if (chosen && std::strcmp(chosen, name) == 0) std::_Exit(137);
}

}  // namespace wk
