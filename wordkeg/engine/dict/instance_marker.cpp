#include "instance_marker.h"

#include "../base/file_ops.h"
#include "../base/paths.h"
#include "../base/string_table.h"
#include "../base/temp_names.h"
#include "../base/wordkeg_exception.h"
#include "../config/config_data.h"
#include "dictionary_names.h"
#include "install_dictionary.h"
#include "word_lookup.h"

namespace wk {
namespace {

constexpr int kCreateAttempts = 5;

std::vector<std::string> markerPaths(const ConfigData& config) {
  std::vector<std::string> paths;
  for (const auto& name : findFiles(config.tempPath(replaceExtension("*", "wki"))))
    paths.push_back(config.tempPath(name));
  return paths;
}

// Removes a dead copy's marker and its working files; false when the marker turned out to be in
// use after all (a copy opened it in the meantime).
bool removeDeadCopy(const ConfigData& config, const std::string& marker) {
  auto lock = FileLock::acquire(marker, false);
  if (!lock) return false;
#ifdef _WIN32
  lock.reset();  // Windows deletes no open file; a copy that opened it since keeps it
#endif
  if (!removeFile(marker)) return false;
  const std::string name = fileNameOf(marker);
  const std::string base = name.substr(0, name.rfind('.'));
  // A name holding a wildcard ("*.wki", made by hand) would match other copies' files.
  if (base.find_first_of("*?") != std::string::npos) return true;
  deleteMatching(config.tempPath(base + ".*"));
  if (const std::string tag = tagOfRunStem(base); !tag.empty()) {
    deleteMatching(config.tempPath(tempNamePattern(tag)));
    // The files of the copy's other searches (runStem(time, run)).
    deleteMatching(config.tempPath("$$*_" + tag + ".*"));
  }
  return true;
}

}  // namespace

InstanceMarker::InstanceMarker(const DictionaryNames& catalogue)
    : path_(replaceExtension(catalogue.resultsDataPath(), "wki")) {
  sweepStale(catalogue.config());
  for (int attempt = 0; attempt < kCreateAttempts && !lock_; ++attempt) {
    lock_ = FileLock::acquire(path_, true);
    // Another copy's sweep may have taken the new file for a dead one in the instant before
    // the lock; make it again.
    if (lock_ && !lock_->holdsPath(path_)) lock_.reset();
  }
  if (!lock_) throw WordkegException(str(kUnableToOpenMarker) + path_);
}

InstanceMarker::~InstanceMarker() {
#ifdef _WIN32
  lock_.reset();  // an open file cannot be deleted there
#endif
  if (fileExists(path_)) removeFile(path_);
}

int InstanceMarker::runningCopies(const ConfigData& config) {
  int live = 0;
  for (const auto& marker : markerPaths(config)) live += isLockHeld(marker) ? 1 : 0;
  return live;
}

void InstanceMarker::sweepStale(const ConfigData& config) {
  int live = 0;
  for (const auto& marker : markerPaths(config))
    if (isLockHeld(marker) || !removeDeadCopy(config, marker)) ++live;
  if (live > 0) return;
  deleteMatching(config.tempPath(std::string(kSortRunBase) + "*"));
  if (const std::string update = config.inHomeFolder(kUpdateFile); fileExists(update))
    removeFile(update);
  for (const char* extension : {kStagedExtension, kBackupStagedExtension})
    deleteMatching(config.dictionaryPath(replaceExtension("*", extension)));
}

}  // namespace wk
