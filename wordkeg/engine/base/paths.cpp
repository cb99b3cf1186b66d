#include "paths.h"

#include <algorithm>

namespace wk {

std::string nativePath(std::string path) {
  for (char& c : path)
    if (isSeparator(c)) c = kSeparator;
  return path;
}

static std::string::size_type lastSeparator(const std::string& path);

// The '.' that starts the file name's extension. A '.' in a directory name ("./files",
// "~/.wordkeg") is no extension: taking it would send files to the wrong place.
static std::string::size_type extensionDot(const std::string& path) {
  const auto dot = path.rfind('.');
  const auto sep = lastSeparator(path);
  return (dot == std::string::npos || (sep != std::string::npos && dot < sep)) ? std::string::npos
                                                                               : dot;
}

std::string extensionOf(const std::string& path) {
  const auto dot = extensionDot(path);
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::string replaceExtension(const std::string& path, const std::string& extension) {
  const auto dot = extensionDot(path);
  std::string result = dot == std::string::npos ? path : path.substr(0, dot);
  if (extension.empty() || extension[0] != '.') result += '.';
  return result + extension;
}

static std::string::size_type lastSeparator(const std::string& path) {
  const auto slash = path.rfind('/');
  const auto backslash = path.rfind('\\');
  if (slash == std::string::npos) return backslash;
  if (backslash == std::string::npos) return slash;
  return std::max(slash, backslash);
}

std::string fileNameOf(const std::string& path) {
  const auto sep = lastSeparator(path);
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string directoryOf(const std::string& path) {
  const auto sep = lastSeparator(path);
  return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string joinPath(const std::string& directory, const std::string& name) {
  return directory + kSeparator + name;
}

bool hasSeparator(const std::string& path) {
  return lastSeparator(path) != std::string::npos;
}

std::string toLower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

void appendLine(std::string& text, const std::string& line) {
  // Two appends rather than "\n" + line: GCC 12 warns falsely (-Wrestrict) on the concatenation.
  text += '\n';
  text += line;
}

}  // namespace wk
