#pragma once
// File copy, move, directory search and deletion by pattern. These routines report only through
// their results; callers show the messages.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace wk {

namespace copy_result {
constexpr int kOk = 0;
constexpr int kCannotWrite = -1;  // destination cannot be opened for writing
constexpr int kCannotRead = -2;   // source cannot be opened for reading
constexpr int kWriteFailed = -3;  // a write failed part way (disk full); destination removed
}  // namespace copy_result

// The size of the disk holding `path` and what is free on it for this user; -1 each when unknown.
struct DiskSpace {
  int64_t capacity = -1;
  int64_t available = -1;
};
DiskSpace diskSpaceOf(const std::string& path);

bool fileExists(const std::string& path);  // any directory entry
bool isRegularFile(const std::string& path);
bool isDirectory(const std::string& path);
bool removeFile(const std::string& path);   // true when the file is gone afterwards
int64_t fileSize(const std::string& path);  // -1 when it cannot be measured

// Where a write meant for `path` goes. A symbolic link is followed, so that the file it leads to
// is replaced and the link stays; a FIFO or a character device (/dev/stdout, a terminal) is
// written through as a stream, never staged, renamed or removed; anything else that is not a
// plain file or a missing one (a block device, a socket) is refused.
struct WriteTarget {
  enum Kind { kFile, kStream, kRefused };
  std::string path;
  Kind kind = kFile;
};
WriteTarget writeTargetOf(const std::string& path);

// A fresh name beside `destination` (same directory, so a rename replaces it in one step) for
// writing the new content before it takes the destination's place. Names staged there by copies
// that have certainly ended are removed first.
std::string stagingPathFor(const std::string& destination);

// Copies `source` to `destination` in 20480-byte blocks, writing the share done into *percent
// (may be null). Returns a copy_result code. The copy is written beside the destination (its
// writeTargetOf) and renamed over it only when whole: a failed copy leaves any earlier
// destination as it was. A stream destination is written through.
int copyFile(const std::string& destination, const std::string& source, std::atomic<int>* percent);
// The copy itself: writes `source` into the file `path` as it stands, with no staging; a failed
// copy leaves what it wrote, for the caller to remove (copyFile removes its staged file).
int copyInto(const std::string& path, const std::string& source, std::atomic<int>* percent);
// Renames `source` over `destination`; where a rename is impossible (another drive or file
// system), copies and deletes the source only after a successful copy.
int moveFile(const std::string& destination, const std::string& source, std::atomic<int>* percent);

// Writes the file's data through to the disk; true when the system confirmed it.
bool syncFile(const std::string& path);
// Makes `link` a second name of `existing` where the file system can; otherwise a copy.
bool linkOrCopy(const std::string& link, const std::string& existing);
// Renames `source` to `destination`, replacing it in one step; false when that failed.
bool replaceFile(const std::string& destination, const std::string& source);

// '*' and '?' wildcard match of a file name, letter case ignored as the Windows search does.
bool wildcardMatch(const std::string& pattern, const std::string& name);
// Names (without directory) of the ordinary, non-hidden files that match the file-name part of
// `pattern` in its directory, in directory-listing order.
std::vector<std::string> findFiles(const std::string& pattern);
// Deletes every file findFiles(pattern) returns.
void deleteMatching(const std::string& pattern);

}  // namespace wk
