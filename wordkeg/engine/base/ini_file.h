#pragma once
// A portable private-profile (ini) file with the Windows semantics the program relies on:
// section and key names match without regard to case, values are trimmed of blanks and of one
// pair of enclosing quotes, and any byte sequence reads without harm.
#include <string>

namespace wk {

// The value of `key` in `section`, or `fallback` when the file, section or key is missing.
std::string getProfileString(const std::string& section, const std::string& key,
                             const std::string& fallback, const std::string& path);
// The leading decimal number of the value (0 when it has none), or `fallback` when missing.
int getProfileInt(const std::string& section, const std::string& key, int fallback,
                  const std::string& path);
// The leading decimal number of a value as getProfileInt reads it (0 when it has none).
int profileNumber(const std::string& value);
// Sets `key` in `section` (both created when missing) and rewrites the file through a
// temporary file, so a failed write never leaves a half-written ini in place. False on failure.
bool writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path);

}  // namespace wk
