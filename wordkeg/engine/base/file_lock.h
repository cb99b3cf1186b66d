#pragma once
// FileLock: an exclusive lock on a file that lives as long as the object (and its open file).
// The operating system drops it when the process ends in any way, kill and power cut included,
// so a lock never outlives its holder. The lock is on one byte past an empty file's end, so the
// file itself stays empty and readable. The Windows build locks through the C runtime, which
// Wine maps onto the same kind of lock that native programs take, so both see each other.
#include <memory>
#include <string>

namespace wk {

class FileLock {
 public:
  // Opens `path` (creating it when `create`) and takes the lock without waiting. Null when the
  // file cannot be opened or another holder (this process included) has the lock.
  static std::unique_ptr<FileLock> acquire(const std::string& path, bool create);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // True while `path` still names the file this lock holds (another copy may have removed a
  // file in the instant between its creation and its lock).
  bool holdsPath(const std::string& path) const;

 private:
  explicit FileLock(int fd) : fd_(fd) {}
  int fd_;
};

// True when `path` exists and some open file, of this process or another, holds its lock.
bool isLockHeld(const std::string& path);

}  // namespace wk
