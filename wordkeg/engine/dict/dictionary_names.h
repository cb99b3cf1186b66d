#pragma once
// DictionaryNames: the catalogue of the dictionaries in the dictionary directory, each with a
// copy of its header. Built once by scanning the directory; selection changes live in memory
// until shutdown() writes them back into the files. It also fixes the run-wide temporary names.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dictionary_header.h"

namespace wk {

class ConfigData;

// The working files of one search: its results pair, its subset dictionary, and beside them one
// temporary file per dictionary it analyses.
struct WorkingNames {
  std::string resultsData, resultsIndex, subset;
  // The search's temporary file for the catalogue's `entry`.
  std::string dictionaryTemp(const struct DictionaryName& entry) const;
};

struct DictionaryName {
  DictionaryHeader header;
  std::string path;
  std::string tempName;  // this run's per-dictionary temporary file
  bool changed = true;   // the header copy must be written back

  std::string fileName() const;
};

class DictionaryNames {
 public:
  // A catalogue for `config`, scanned now: rejected files (801) or an empty directory (802) are
  // reported through the message port. A program's entry point opens one and passes it on
  // (app/process_home.h); a server opens one per request, so that a selection another program
  // changed is seen.
  static std::unique_ptr<DictionaryNames> open(const ConfigData& config);

  size_t count() const { return entries_.size(); }
  DictionaryName& entry(size_t i) { return entries_[i]; }
  // The file names of the dictionaries, in catalogue order (the lists a user picks from).
  std::vector<std::string> fileNames() const;
  bool anySelected() const;
  DictionaryName* find(const std::string& path);
  // 1 when `path` was entered (its header read), 0 when listed already or unreadable.
  int addIfAbsent(const std::string& path);
  // 1 and the flag set (entry marked changed), or 0 when `path` is not listed.
  int setSelected(const std::string& path, bool selected);
  // Throws WordkegException when `path` is not listed.
  bool isSelected(const std::string& path);
  void remove(const std::string& path);
  // 1 when `path` was listed (or is a file the scan turned away as unreadable), backed up and
  // dropped; 0 otherwise. The file stays as ".lxb".
  int deleteDictionary(const std::string& path);
  // Gives the dictionary file its backup name (".lxb"), replacing an older backup; 1 on success
  // (a missing file counts as backed up), 0 after telling the user what failed.
  static int backUp(const std::string& path);
  // Writes every changed header into its file; false when one could not be (the user was told).
  bool writeBack();
  bool readHeader(DictionaryName& entry);
  bool writeHeader(DictionaryName& entry);

  // The paths the catalogue was made for.
  const ConfigData& config() const { return config_; }
  const std::string& resultsDataPath() const { return resultsData_; }
  const std::string& resultsIndexPath() const { return resultsIndex_; }
  const std::string& subsetPath() const { return subset_; }
  // Names no other search of this process uses: the first call gives the catalogue's own (the
  // paths above, which the program's one search keeps), later ones fresh names beside them.
  // Safe to call from any thread.
  WorkingNames freshWorkingNames();

 private:
  explicit DictionaryNames(const ConfigData& config);
  void scan();
  DictionaryName makeEntry(const std::string& path, unsigned number) const;
  std::vector<DictionaryName>::iterator lowerBound(const std::string& path);
  void insert(DictionaryName entry);

  const ConfigData& config_;
  std::vector<DictionaryName> entries_;
  unsigned counter_ = 0;
  std::string resultsData_, resultsIndex_, subset_;
  uint32_t started_ = 0;  // the time in the names' stem
  std::atomic<unsigned> runs_{0};
};

}  // namespace wk
