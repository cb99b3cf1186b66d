#pragma once
// Path helpers shared by every file operation. Both '/' and '\' count as separators on every
// platform, so one ini file or saved path serves the Windows program and the POSIX tool alike.
#include <string>

namespace wk {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

inline bool isSeparator(char c) {
  return c == '/' || c == '\\';
}

// The path with every separator in the platform's own form.
std::string nativePath(std::string path);
// The text after the last '.' of the file name; empty when it has none.
std::string extensionOf(const std::string& path);
// The path up to its file name's last '.' (all of it when none), then "." unless `extension`
// starts with one, then `extension`. REQUIRES: extension is not empty.
std::string replaceExtension(const std::string& path, const std::string& extension);
// The text after the last separator; the whole path when there is none.
std::string fileNameOf(const std::string& path);
// The text up to and including the last separator; empty when there is none.
std::string directoryOf(const std::string& path);
// `directory` + separator + `name`.
std::string joinPath(const std::string& directory, const std::string& name);
bool hasSeparator(const std::string& path);
std::string toLower(std::string text);
// Appends a newline and `line` (the form of every list the program shows in a message).
void appendLine(std::string& text, const std::string& line);

}  // namespace wk
