#pragma once
// The program's user texts by numeric id (see strings.def).
#include <string>

#include "command_ids.h"

namespace wk {

enum StringId : int {
#define X(name, id, text) name = id,
#include "strings.def"
#undef X
};

// Returns the text of `id`; an unknown id yields an empty string.
const char* loadString(int id);

inline std::string str(int id) {
  return loadString(id);
}

}  // namespace wk
