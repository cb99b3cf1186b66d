#include "string_table.h"

namespace wk {

const char* loadString(int id) {
  switch (id) {
#define X(name, id, text) \
  case id:                \
    return text;
#include "strings.def"
#undef X
  }
  return "";
}

}  // namespace wk
