#include "system_path.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#else
#include "temp_names.h"
#endif

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

std::FILE* openUnnamedFile(const std::string& directory) {
  // "D": the C library removes the file when it is closed.
  const std::wstring name = wideName(directory + "\\" + freshTempName());
  return _wfopen(name.c_str(), L"w+bD");
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

std::FILE* openUnnamedFile(const std::string& directory) {
  const std::string dir = directory.empty() ? "." : directory;
  int fd = -1;
#ifdef O_TMPFILE
  fd = open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
#endif
  if (fd < 0) {
    // A file system without unnamed files: a name that goes at once.
    std::string pattern = dir + "/.wkanonXXXXXX";
    fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) unlink(pattern.c_str());
  }
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "w+b");
  if (!file) {
    const int error = errno;
    close(fd);
    errno = error;
  }
  return file;
}

#endif

}  // namespace wk
