#include "window_strings.h"

namespace wkw {

const char* windowString(int id) {
  switch (id) {
#define X(name, id, text) \
  case id:                \
    return text;
#include "window_strings.def"
#undef X
  }
  return "";
}

}  // namespace wkw
