#pragma once
// The engine's user texts by numeric id (see strings.def); the window's own are the window's
// (wordkeg/win32/window_strings.def).
#include <string>

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
