#include "instance_marker.h"

#include <cstdio>

#include "../base/file_ops.h"
#include "../base/paths.h"
#include "../base/string_table.h"
#include "../base/wordkeg_exception.h"
#include "../config/config_data.h"
#include "dictionary_names.h"

namespace wk {

InstanceMarker::InstanceMarker()
    : path_(replaceExtension(DictionaryNames::instance().resultsDataPath(), "wki")) {
  std::FILE* f = std::fopen(path_.c_str(), "wb");
  if (!f || std::fclose(f) != 0) throw WordkegException(str(kUnableToOpenMarker) + path_);
}

InstanceMarker::~InstanceMarker() {
  if (fileExists(path_)) removeFile(path_);
}

int InstanceMarker::runningCopies() {
  return static_cast<int>(
      findFiles(ConfigData::instance().tempPath(replaceExtension("*", "wki"))).size());
}

}  // namespace wk
