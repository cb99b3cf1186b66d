#pragma once
// ResultStore: owns the results file pair on display (the working pair while searching, or a
// saved pair after View). The search appends each result to it as found; the result list reads
// its rows straight from the files (app/result_list.h lays them out). Reading is bounded by what
// the files hold, whatever their header and offsets claim.
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "../base/file_ops.h"
#include "results_header.h"

namespace wk {

class ResultStore {
 public:
  // `workingData` and `workingIndex` name the working pair of this run.
  ResultStore(std::string workingData, std::string workingIndex);
  ~ResultStore();
  ResultStore(const ResultStore&) = delete;
  ResultStore& operator=(const ResultStore&) = delete;

  // Closes the pair and points the store at the (not yet created) working pair. The limit,
  // the distinct rule and the listener stay.
  void reset();

  // Options of the command line's searches; none is set by the window.
  // At most `count` results are kept (0: any number); full() then holds and later appends are
  // dropped, so the search can stop.
  void setLimit(int count) { limit_ = count; }
  bool full() const { return limit_ > 0 && entries_ >= limit_; }
  // Nothing more can be kept, for the limit or because the working pair could not be written:
  // the search may stop.
  bool stopsSearch() const { return full() || stopped_; }
  // The errno of the failure that stopped the working pair (a full disk: ENOSPC), or 0.
  int writeError() const { return writeError_; }
  // The working pair stopped growing because its disk's free space fell below the reserve a
  // search leaves (see kReserve below); what it holds stays readable.
  bool reserveReached() const { return reserveReached_; }
  // The data file's offsets are 32-bit: it holds at most 2 GB of lines, after which the store
  // stops (the user told once) and what it holds stays readable. Tests set a smaller size.
  void setLargestData(int64_t bytes) { largestData_ = bytes; }
  // Tests give the disk's figures instead of the system.
  void setDiskSpaceProbe(std::function<DiskSpace(const std::string&)> probe) {
    diskSpace_ = std::move(probe);
  }
  // Each result once, whatever its letter case (the same word from two dictionaries, or in
  // several casings).
  void setDistinct(bool distinct) { distinct_ = distinct; }
  // With distinct: the results it keeps apart may take about `bytes` of memory; past that the
  // store stops (its owner tells why), so that a server's search stays bounded. 0: no bound.
  void setDistinctBudget(size_t bytes) { distinctBudget_ = bytes; }
  bool distinctBudgetReached() const { return distinctBudgetReached_; }
  // Where the results go (a server's searches; the window's and the command line's keep a
  // named pair). kUnnamedPair: files without names in the working pair's folder, gone with the
  // store or the process however it ends; the pair can be finished and its lines copied, but
  // not saved, viewed or read by row. kListenerOnly: no file at all, the listener is told each
  // result and the counts are kept. Set before the search starts.
  enum class Keeping { kNamedPair, kUnnamedPair, kListenerOnly };
  void setKeeping(Keeping keeping) { keeping_ = keeping; }
  // Told each result kept, as its line reads (without the line end), on the search's thread.
  using Listener = std::function<void(std::string_view line)>;
  void setListener(Listener listener) { listener_ = std::move(listener); }
  // Search worker: appends a single word, or a word sequence (each word followed by a blank).
  // The first call creates the working pair and the store is being written until finish() or
  // reset(); when that or a later write fails (a full disk) the user is told once and nothing
  // more is appended until the next reset.
  void append(const std::string& text, bool sequence);
  // End of a search: writes `header` with the found count and longest entry filled in.
  void finish(ResultsHeader header);

  // Opens the saved pair named by `path` (any extension) in place of the pair on display and
  // reads its header into `header`. False, with the old pair kept, when it cannot be opened or
  // its two files do not belong together (each from another save).
  bool view(const std::string& path, ResultsHeader& header);
  // Copies the pair to `destination` (".wkg" and ".pdx"). 0 on success or when it is the pair
  // on display already; otherwise the copy's result code, after telling the user.
  int savePair(const std::string& destination);
  // Deletes the pair on display and resets to the working pair. False after telling the user.
  bool deleteResults();

  bool isOpen() const { return data_ != nullptr; }
  // A search is appending to the working pair (from beginWriting(), or its first append, until
  // finish() or reset()): its entries cannot be read meanwhile.
  bool writing() const { return writing_; }
  // A search is about to start: no reader may begin a read it could overtake.
  void beginWriting() { writing_ = true; }
  int entryCount() const { return entries_; }
  int longestEntry() const { return longest_; }
  const std::string& dataPath() const { return dataPath_; }
  const std::string& indexPath() const { return indexPath_; }
  // The text of result `i` (its line feed dropped); empty when the files do not hold it.
  std::string entry(int i);
  // Results `first` to `first + count - 1` (as many as there are), each with its line feed.
  // Empty while the store is being written or when the files do not hold them.
  std::string entriesText(int first, int count);
  // Copies the result lines, as stored, to `out` in blocks; `percent` follows the share done.
  // Reads through a handle of its own, so it may run on a worker while the window thread reads
  // rows; the pair must be flushed (finished or viewed) first.
  bool copyLines(std::FILE* out, std::atomic<int>* percent) const;

 private:
  bool openWorkingPair();
  // After a block is written: stops the store, telling the user, once the disk's free space is
  // under the reserve, which is looked at every few blocks.
  void checkReserve();
  // Opens the pair for reading and writing and takes its names; false (told when `tell`) with
  // nothing open when either file cannot be opened.
  bool openPair(const std::string& data, const std::string& index, bool tell);
  // Reads the header of the open pair and counts its entries; false, after telling the user,
  // when the two files do not belong together.
  bool readHeader(ResultsHeader& header);
  bool readOffset(int i, int32_t& offset);
  std::string bytesBetween(int32_t from, int32_t to);
  void closeFiles();

  std::string workingData_, workingIndex_;
  std::string dataPath_, indexPath_;
  std::FILE* data_ = nullptr;
  std::FILE* index_ = nullptr;
  std::atomic<int> entries_{0};
  std::atomic<int> longest_{1};
  int32_t dataEnd_ = 0;
  bool stopped_ = false;  // the pair could not be created or written: append nothing more
  int writeError_ = 0;
  bool reserveReached_ = false;
  int64_t largestData_ = INT32_MAX;
  int64_t reserve_ = 0;       // free bytes the working pair leaves on its disk
  unsigned blocksWritten_ = 0;
  std::function<DiskSpace(const std::string&)> diskSpace_ = diskSpaceOf;
  std::atomic<bool> writing_{false};
  int limit_ = 0;
  bool distinct_ = false;
  std::unordered_set<std::string> seen_;  // with distinct_: the results kept, in lower case
  size_t distinctBudget_ = 0, seenBytes_ = 0;
  bool distinctBudgetReached_ = false;
  Keeping keeping_ = Keeping::kNamedPair;
  // After the distinct check: whether the result is new; stops the store past the budget.
  bool isNew(const std::string& text);
  Listener listener_;
  // Lines and index offsets appended but not yet handed to the files, written a block at a
  // time (and before any read, copy or close); a write that fails is told as an append's.
  std::string pendingData_, pendingIndex_;
  bool flushPending();  // false when a write failed
};

}  // namespace wk
