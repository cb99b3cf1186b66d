#pragma once
// InstanceMarker: an empty file in the temporary directory that announces a running copy of the
// program. Dictionaries may be changed only while exactly one marker is live.
//
// A marker is live while its copy holds a lock on it (FileLock), which the system drops when the
// copy ends however it ends. A marker nobody holds was left by a copy that died (kill -9, a
// crash, a power cut): it counts for nothing, and the next copy to start removes it together
// with that copy's working files.
#include <memory>
#include <string>

#include "../base/file_lock.h"

namespace wk {

class ConfigData;
class DictionaryNames;

class InstanceMarker {
 public:
  // Removes what dead copies left (sweepStale), then creates and locks this copy's marker, named
  // after the catalogue's run-wide files; throws WordkegException "Unable to open Instance
  // Marker File: " + path.
  explicit InstanceMarker(const DictionaryNames& catalogue);
  ~InstanceMarker();  // deletes the marker if it still exists
  InstanceMarker(const InstanceMarker&) = delete;
  InstanceMarker& operator=(const InstanceMarker&) = delete;

  const std::string& path() const { return path_; }
  // The number of live markers in the temporary directory: the copies running now.
  static int runningCopies(const ConfigData& config);
  // Deletes every marker that no copy holds, with the working files of its copy (the run-wide
  // files named by its stem and its sort pass files). When no other copy is live, the fixed-name
  // files of dictionary changes (sort runs, the update file, an install's staged files) go too:
  // only a copy running alone makes them.
  static void sweepStale(const ConfigData& config);

 private:
  std::string path_;
  std::unique_ptr<FileLock> lock_;
};

}  // namespace wk
