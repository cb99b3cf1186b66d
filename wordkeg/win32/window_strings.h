#pragma once
// The window's own texts by numeric id (see window_strings.def); the engine's messages are the
// engine's (engine/base/string_table.h).
#include "app/command_ids.h"

namespace wkw {

enum WindowStringId : int {
#define X(name, id, text) name = id,
#include "window_strings.def"
#undef X
};

// The text of `id`; an unknown id yields an empty string.
const char* windowString(int id);

}  // namespace wkw
