#include "file_lock.h"

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <sys/locking.h>
#else
#include <unistd.h>
#endif

#include "system_path.h"

namespace wk {
namespace {

#ifdef _WIN32
int openFile(const std::string& path, bool create) {
  return _wopen(wideName(path).c_str(),
                _O_RDWR | _O_BINARY | _O_NOINHERIT | (create ? _O_CREAT : 0), _S_IREAD | _S_IWRITE);
}
bool lockByte(int fd) {
  return _lseek(fd, 0, SEEK_SET) == 0 && _locking(fd, _LK_NBLCK, 1) == 0;
}
void closeFile(int fd) {
  _lseek(fd, 0, SEEK_SET);
  _locking(fd, _LK_UNLCK, 1);
  _close(fd);
}
#else
// Open-file-description locks belong to the open file, not the process: a second open of the
// same file by this process conflicts too, and closing another descriptor of it drops nothing.
#ifdef F_OFD_SETLK
constexpr int kSetLock = F_OFD_SETLK;
#else
constexpr int kSetLock = F_SETLK;
#endif
int openFile(const std::string& path, bool create) {
  return ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
}
bool lockByte(int fd) {
  struct flock request = {};
  request.l_type = F_WRLCK;
  request.l_whence = SEEK_SET;
  request.l_start = 0;
  request.l_len = 1;
  return fcntl(fd, kSetLock, &request) == 0;
}
void closeFile(int fd) {
  ::close(fd);
}
#endif

}  // namespace

std::unique_ptr<FileLock> FileLock::acquire(const std::string& path, bool create) {
  const int fd = openFile(path, create);
  if (fd < 0) return nullptr;
  if (!lockByte(fd)) {
    closeFile(fd);
    return nullptr;
  }
  return std::unique_ptr<FileLock>(new FileLock(fd));
}

FileLock::~FileLock() {
  closeFile(fd_);
}

bool FileLock::holdsPath(const std::string& path) const {
#ifdef _WIN32
  // An open file cannot be deleted on Windows, so the path still names it.
  (void)path;
  return true;
#else
  struct stat named = {}, held = {};
  return ::stat(path.c_str(), &named) == 0 && ::fstat(fd_, &held) == 0 &&
         named.st_dev == held.st_dev && named.st_ino == held.st_ino;
#endif
}

bool isLockHeld(const std::string& path) {
  const int fd = openFile(path, false);
  if (fd < 0) return false;
  const bool free = lockByte(fd);
  closeFile(fd);
  return !free;
}

}  // namespace wk
