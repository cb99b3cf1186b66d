#include "system_path.h"

namespace wk {

#ifdef _WIN32

namespace {

PathCodec& codec() {
  static PathCodec installed;
  return installed;
}

}  // namespace

void installPathCodec(const PathCodec& installed) {
  codec() = installed;
}

std::wstring wideName(const std::string& path) {
  if (codec().toSystem) return codec().toSystem(path);
  return std::filesystem::path(path).wstring();
}

std::filesystem::path systemPath(const std::string& path) {
  return std::filesystem::path(wideName(path));
}

std::string pathText(const std::filesystem::path& path) {
  return codec().fromSystem ? codec().fromSystem(path.wstring()) : path.string();
}

std::FILE* openFile(const std::string& path, const char* mode) {
  if (!codec().toSystem) return std::fopen(path.c_str(), mode);
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(wideName(path).c_str(), wideMode.c_str());
}

#else

std::filesystem::path systemPath(const std::string& path) {
  return std::filesystem::path(path);
}

std::string pathText(const std::filesystem::path& path) {
  return path.string();
}

std::FILE* openFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

#endif

}  // namespace wk
