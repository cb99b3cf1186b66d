#pragma once
// MakeDictionaryFromFile: compiles a word list (one word per line) into a dictionary. Valid
// lines are written into sorted runs (of 3000 records; more for long words), the runs are
// merged, and the merged words are written as a dictionary that then replaces the one at the
// target path (the old file stays as its ".lxb" backup). Memory does not grow with the list.
// Until the build has finished without cancellation the old dictionary is untouched, and every
// temporary file is removed on every path out.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "../base/operation.h"
#include "../base/pause_gate.h"
#include "run_record.h"

namespace wk {

class DictionaryNames;
class FileSort;
class StringHandler;
template <class Handler>
class MergeFile;

enum class LineVerdict;

// What the lines of a word list held: the words taken (repeats included) and the lines skipped,
// by reason.
struct LineTally {
  int64_t words = 0;
  int64_t blank = 0, severalWords = 0, notLetters = 0, hyphens = 0, tooLong = 0;
  int64_t heldElsewhere = 0;  // words left out because another dictionary holds them (--unique)
  int64_t skipped() const { return blank + severalWords + notLetters + hyphens + tooLong; }
  // Counts a line that held no word under its reason.
  void skip(LineVerdict verdict);
};

class MakeDictionaryFromFile : public Operation {
 public:
  // The new dictionary is entered into `catalogue`, whose configured temporary directory holds
  // the work files.
  MakeDictionaryFromFile(DictionaryNames& catalogue, std::string source, std::string dictionaryPath,
                         bool uniqueOnly);

  // True when validation succeeded (even if a later cancel stopped the build). Throws
  // WordkegException when a file cannot be opened or written.
  bool run() override;
  void cancel() override;
  PauseGate* questionGate() override { return &pause_; }
  Progress progress() const override;
  // True when the new dictionary was installed and catalogued.
  bool installed() const { return installed_; }
  int64_t wordCount() const { return wordCount_; }
  // After run(): what the list's lines held (up to a cancel).
  const LineTally& tally() const { return tally_; }

 private:
  bool validateAndSort();
  void writeRun(class LineReader& reader, const std::string& runPath);
  void sortRun(const std::string& runPath);
  bool mergeRuns(const std::string& pattern, const std::string& merged);
  void build(const std::string& merged);
  void writeDictionary(const std::string& merged, const std::string& temp);

  DictionaryNames& catalogue_;
  std::string source_, dictionaryPath_;
  bool uniqueOnly_;
  int longest_;                       // the home's longest word
  const run_record::Layout& layout_;  // run records that hold it
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> validating_{false}, writing_{false}, copying_{false};
  std::atomic<int> percent_{0};
  std::atomic<int> subProgress_{0};
  std::atomic<int64_t> fileSize_{0}, runStart_{0}, runEnd_{0}, mergeTotal_{1}, wordCount_{0};
  bool installed_ = false;
  LineTally tally_;  // the worker's alone until run() returns
  // Guards the pointers to the sorter and merger at work, which cancel() reaches from the
  // other thread while the worker replaces them.
  mutable std::mutex workMutex_;
  FileSort* sorter_ = nullptr;
  MergeFile<StringHandler>* merger_ = nullptr;
  PauseGate pause_;
};

}  // namespace wk
