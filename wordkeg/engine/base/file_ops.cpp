#include "file_ops.h"

#include <fcntl.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "paths.h"
#include "system_path.h"
#include "temp_names.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace wk {
namespace {

constexpr size_t kCopyBlock = 20480;

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

char lowerChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool matchFrom(const char* p, const char* n) {
  // Iterative wildcard match with single-star backtracking: linear in practice, no recursion.
  const char* starP = nullptr;
  const char* starN = nullptr;
  while (*n) {
    if (*p == '*') {
      starP = p++;
      starN = n;
    } else if (*p == '?' || (*p && lowerChar(*p) == lowerChar(*n))) {
      ++p;
      ++n;
    } else if (starP) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == 0;
}

}  // namespace

bool fileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(fs::status(systemPath(path), ec));
}

bool isRegularFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(systemPath(path), ec);
}

bool isDirectory(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(systemPath(path), ec);
}

bool removeFile(const std::string& path) {
  std::error_code ec;
  fs::remove(systemPath(path), ec);
  return !fileExists(path);
}

int64_t fileSize(const std::string& path) {
  std::error_code ec;
  const auto size = fs::file_size(systemPath(path), ec);
  return ec ? -1 : static_cast<int64_t>(size);
}

DiskSpace diskSpaceOf(const std::string& path) {
  std::error_code ec;
  const fs::space_info space = fs::space(systemPath(path.empty() ? "." : path), ec);
  if (ec) return {};
  return {static_cast<int64_t>(space.capacity), static_cast<int64_t>(space.available)};
}

WriteTarget writeTargetOf(const std::string& path) {
  std::error_code ec;
  WriteTarget target{path, WriteTarget::kFile};
  // Links are followed one by one, so that one leading to no file yet gives the file to make.
  fs::path at = systemPath(path);
  for (int hops = 0; hops < 40 && fs::is_symlink(at, ec); ++hops) {
    const fs::path to = fs::read_symlink(at, ec);
    if (ec) break;
    at = to.is_absolute() ? to : at.parent_path() / to;
  }
  target.path = pathText(at.lexically_normal());
  const fs::file_type type = fs::status(systemPath(target.path), ec).type();
  if (ec || type == fs::file_type::not_found || type == fs::file_type::regular) return target;
  target.kind = type == fs::file_type::fifo || type == fs::file_type::character
                    ? WriteTarget::kStream
                    : WriteTarget::kRefused;
  return target;
}

std::string stagingPathFor(const std::string& destination) {
  // Files staged here by a copy that was killed (kill -9, a power cut) go first.
  const std::string dir = directoryOf(destination);
  for (const std::string& name : findFiles(dir + "TMP*.$$$"))
    if (isDeadProcessTempName(name)) removeFile(dir + name);
  return dir + freshTempName();
}

int copyInto(const std::string& path, const std::string& source, std::atomic<int>* percent) {
  const int64_t size = fileSize(source);
  if (percent) *percent = 0;
  File out(openFile(path, "wb"));
  if (!out) return copy_result::kCannotWrite;
  File in(openFile(source, "rb"));
  if (!in) return copy_result::kCannotRead;
  std::vector<char> buffer(kCopyBlock);
  int64_t done = 0;
  bool failed = false;
  while (size_t got = std::fread(buffer.data(), 1, kCopyBlock, in.get())) {
    done += static_cast<int64_t>(got);
    if (percent && size > 0) *percent = static_cast<int>(done * 100 / size);
    if (std::fwrite(buffer.data(), 1, got, out.get()) != got) {
      failed = true;
      break;
    }
  }
  failed = failed || std::ferror(in.get());
  failed = std::fclose(out.release()) != 0 || failed;
  return failed ? copy_result::kWriteFailed : copy_result::kOk;
}

int copyFile(const std::string& destination, const std::string& source, std::atomic<int>* percent) {
  const WriteTarget target = writeTargetOf(destination);
  if (target.kind == WriteTarget::kRefused) return copy_result::kCannotWrite;
  if (target.kind == WriteTarget::kStream) return copyInto(target.path, source, percent);
  const std::string staged = stagingPathFor(target.path);
  const int code = copyInto(staged, source, percent);
  if (code != copy_result::kOk || !replaceFile(target.path, staged)) {
    removeFile(staged);
    return code != copy_result::kOk ? code : copy_result::kCannotWrite;
  }
  return copy_result::kOk;
}

int moveFile(const std::string& destination, const std::string& source, std::atomic<int>* percent) {
  if (percent) *percent = 0;
  std::error_code ec;
  fs::rename(systemPath(source), systemPath(destination), ec);
  if (!ec) return copy_result::kOk;
  if (!isRegularFile(source)) return copy_result::kCannotRead;
  const int copied = copyFile(destination, source, percent);
  if (copied == copy_result::kOk) removeFile(source);
  return copied;
}

bool syncFile(const std::string& path) {
#ifdef _WIN32
  const int fd = _wopen(wideName(path).c_str(), _O_RDWR | _O_BINARY);
  if (fd < 0) return false;
  const bool ok = _commit(fd) == 0;
  return _close(fd) == 0 && ok;
#else
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
#endif
}

bool linkOrCopy(const std::string& link, const std::string& existing) {
  std::error_code ec;
  fs::remove(systemPath(link), ec);
  fs::create_hard_link(systemPath(existing), systemPath(link), ec);
  return !ec || copyFile(link, existing, nullptr) == copy_result::kOk;
}

bool replaceFile(const std::string& destination, const std::string& source) {
  std::error_code ec;
  fs::rename(systemPath(source), systemPath(destination), ec);
  return !ec;
}

bool wildcardMatch(const std::string& pattern, const std::string& name) {
  return matchFrom(pattern.c_str(), name.c_str());
}

std::vector<std::string> findFiles(const std::string& pattern) {
  std::vector<std::string> names;
  const std::string dir = directoryOf(pattern);
  const std::string mask = fileNameOf(pattern);
  std::error_code ec;
  fs::directory_iterator it(systemPath(dir.empty() ? "." : dir), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = pathText(it->path().filename());
    if (name.empty() || name[0] == '.') continue;  // hidden on POSIX
    std::error_code typeEc;
    if (!it->is_regular_file(typeEc)) continue;
    if (wildcardMatch(mask, name)) names.push_back(name);
  }
  return names;
}

void deleteMatching(const std::string& pattern) {
  const std::string dir = directoryOf(pattern);
  for (const auto& name : findFiles(pattern)) removeFile(dir + name);
}

}  // namespace wk
