#pragma once
// InstanceMarker: an empty file in the temporary directory that announces a running copy of the
// program. Dictionaries may be changed only while exactly one marker exists.
#include <string>

namespace wk {

class InstanceMarker {
 public:
  // Creates the marker; throws WordkegException "Unable to open Instance Marker File: " + path.
  InstanceMarker();
  ~InstanceMarker();  // deletes the marker if it still exists
  InstanceMarker(const InstanceMarker&) = delete;
  InstanceMarker& operator=(const InstanceMarker&) = delete;

  const std::string& path() const { return path_; }
  // The number of markers in the temporary directory: the copies running now.
  static int runningCopies();

 private:
  std::string path_;
};

}  // namespace wk
