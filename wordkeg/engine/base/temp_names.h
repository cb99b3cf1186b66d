#pragma once
// Names that are unique to this process, even against a copy started in the same second.
#include <cstdint>
#include <string>

namespace wk {

// `value` in base 36, digits 0-9 then a-z.
std::string toBase36(uint32_t value);
// A short tag that differs between processes running at the same time (the process id).
std::string processTag();
// A fresh file name "TMP" + tag + counter + ".$$$" that no earlier call of this process gave;
// the caller completes it with a directory.
std::string freshTempName();

}  // namespace wk
