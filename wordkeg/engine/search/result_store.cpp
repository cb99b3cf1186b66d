#include "result_store.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "../base/file_ops.h"
#include "../base/message_port.h"
#include "../base/paths.h"
#include "../base/string_table.h"
#include "../base/system_path.h"
#include "../base/temp_names.h"
#include "../dict/dictionary_header.h"

namespace wk {
namespace {

void openFailed(const std::string& path) {
  showMessage(str(kUnableToOpenFile) + path, str(kFileErrorDotCaption),
              mb::kIconStop | mb::kOk | mb::kTaskModal);
}

// The pair is written by one thread at a time (the list reads only once it is written), so the
// stream's own lock, taken twice per result, is saved where the library allows.
bool writeAll(std::FILE* f, const void* bytes, size_t count) {
#ifdef __GLIBC__
  return fwrite_unlocked(bytes, 1, count, f) == count;
#else
  return std::fwrite(bytes, 1, count, f) == count;
#endif
}

// A long search must not fill its disk (4 GB of results in under a minute): it stops once the
// free space falls under the larger of 1% of the disk and 256 MB, or, on a disk with less than
// twice that free when it starts, under half of what was free.
constexpr int64_t kReserveFloor = int64_t{256} << 20;
constexpr unsigned kReserveCheckBlocks = 64;  // a look at the disk every 320 KB of results

// Results gathered before they go to the files, in blocks of the size the files were buffered
// with: a call of the file library for every result costs more than finding it.
constexpr size_t kPendingBlock = 5120;

bool writeInt(std::FILE* f, int32_t value) {
  unsigned char bytes[4];
  writeInt32(bytes, value);
  return writeAll(f, bytes, 4);
}

}  // namespace

ResultStore::ResultStore(std::string workingData, std::string workingIndex)
    : workingData_(std::move(workingData)), workingIndex_(std::move(workingIndex)) {
  reset();
}

ResultStore::~ResultStore() {
  closeFiles();
}

bool ResultStore::flushPending() {
  if (pendingData_.empty() && pendingIndex_.empty()) return true;
  const bool written = data_ && index_ &&
                       writeAll(data_, pendingData_.data(), pendingData_.size()) &&
                       writeAll(index_, pendingIndex_.data(), pendingIndex_.size());
  pendingData_.clear();
  pendingIndex_.clear();
  return written;
}

void ResultStore::closeFiles() {
  flushPending();  // a failure was told when the block was written, or goes with the pair
  if (data_) std::fclose(data_);
  if (index_) std::fclose(index_);
  data_ = index_ = nullptr;
}

void ResultStore::reset() {
  closeFiles();
  writing_ = false;
  seen_.clear();
  seenBytes_ = 0;
  distinctBudgetReached_ = false;
  longest_ = 1;
  entries_ = 0;
  dataEnd_ = 0;
  stopped_ = false;
  writeError_ = 0;
  reserveReached_ = false;
  blocksWritten_ = 0;
  dataPath_ = workingData_;
  indexPath_ = workingIndex_;
}

bool ResultStore::openWorkingPair() {
  writing_ = true;  // before any entry counts, so a reader never sees entries being written
  entries_ = 0;
  const bool unnamed = keeping_ == Keeping::kUnnamedPair;
  data_ = unnamed ? openUnnamedFile(directoryOf(dataPath_)) : openFile(dataPath_, "w+b");
  if (!data_) {
    openFailed(dataPath_);
    return false;
  }
  // The store writes its own blocks (pendingData_): a second buffer in the library would only
  // tell of a full disk a block later, with results counted that never reached the file.
  std::setvbuf(data_, nullptr, _IONBF, 0);
  std::fseek(data_, results::kHeaderBytes, SEEK_SET);
  const DiskSpace space = diskSpace_(directoryOf(dataPath_));
  reserve_ = space.available < 0
                 ? 0
                 : std::min(std::max(space.capacity / 100, kReserveFloor), space.available / 2);
  dataEnd_ = results::kHeaderBytes;
  index_ = unnamed ? openUnnamedFile(directoryOf(indexPath_)) : openFile(indexPath_, "w+b");
  if (index_) std::setvbuf(index_, nullptr, _IONBF, 0);
  if (!index_ || !writeInt(index_, dataEnd_)) {
    openFailed(indexPath_);
    closeFiles();
    return false;
  }
  return true;
}

bool ResultStore::isNew(const std::string& text) {
  if (!seen_.insert(toLower(text)).second) return false;
  // A set's node, its bucket and the allocator's share, as measured, and a long text's room.
  constexpr size_t kPerEntry = 128;
  seenBytes_ += kPerEntry + (text.size() > 15 ? text.size() + 1 : 0);
  if (distinctBudget_ == 0 || seenBytes_ <= distinctBudget_) return true;
  distinctBudgetReached_ = stopped_ = true;  // the owner says so: only a server sets a budget
  return false;
}

void ResultStore::append(const std::string& text, bool sequence) {
  if (stopped_ || full()) return;
  if (distinct_ && !isNew(text)) return;
  if (keeping_ == Keeping::kListenerOnly) {
    const size_t kept = sequence && !text.empty() ? text.size() - 1 : text.size();
    longest_ = std::max<int>(longest_, static_cast<int>(text.size()));
    ++entries_;
    if (listener_) listener_(std::string_view(text.data(), kept));
    return;
  }
  if (!data_ && !openWorkingPair()) {
    stopped_ = true;  // told once; the rest of this search appends nothing
    writeError_ = errno ? errno : EIO;
    return;
  }
  // A sequence's final blank becomes its line end; a single word gets one.
  const size_t kept = sequence && !text.empty() ? text.size() - 1 : text.size();
  const bool ends = !(sequence && text.empty());
  if (dataEnd_ + static_cast<int64_t>(kept) + 1 > largestData_) {
    // Past this the offsets would wrap and the list show blank rows.
    showMessage(str(kResultsFileFull), str(kFileErrorDotCaption),
                mb::kIconStop | mb::kOk | mb::kTaskModal);
    stopped_ = true;
    return;
  }
  longest_ = std::max<int>(longest_, static_cast<int>(text.size()));
  pendingData_.append(text, 0, kept);
  if (ends) pendingData_ += '\n';
  dataEnd_ += static_cast<int32_t>(kept + (ends ? 1 : 0));
  unsigned char offset[4];
  writeInt32(offset, dataEnd_);
  pendingIndex_.append(reinterpret_cast<const char*>(offset), 4);
  const bool full = pendingData_.size() >= kPendingBlock || pendingIndex_.size() >= kPendingBlock;
  if (full && !flushPending()) {
    // A full disk: say so once and keep what the pair holds; reading never goes beyond it.
    writeError_ = errno ? errno : EIO;
    showMessage(str(kUnableToWriteFile) + dataPath_, str(kFileErrorDotCaption),
                mb::kIconStop | mb::kOk | mb::kTaskModal);
    stopped_ = true;
    return;
  }
  ++entries_;
  if (listener_) listener_(std::string_view(text.data(), kept));
  if (full) checkReserve();
}

void ResultStore::checkReserve() {
  if (++blocksWritten_ % kReserveCheckBlocks != 0) return;
  const DiskSpace space = diskSpace_(directoryOf(dataPath_));
  if (space.available < 0 || space.available >= reserve_) return;
  reserveReached_ = stopped_ = true;
  showMessage(str(kDiskNearlyFull) + directoryOf(dataPath_), str(kFileErrorDotCaption),
              mb::kIconStop | mb::kOk | mb::kTaskModal);
}

void ResultStore::finish(ResultsHeader header) {
  writing_ = false;
  // The last blocks are written now (the files are unbuffered), so that a full disk is told.
  if (!flushPending() && !stopped_) {
    writeError_ = errno ? errno : EIO;
    showMessage(str(kUnableToWriteFile) + dataPath_, str(kFileErrorDotCaption),
                mb::kIconStop | mb::kOk | mb::kTaskModal);
    stopped_ = true;
  }
  if (entries_ == 0 || !data_) return;
  header.found = entries_;
  header.longestEntry = static_cast<int16_t>(std::min(longest_.load(), 32767));
  unsigned char bytes[results::kHeaderBytes];
  header.encode(bytes);
  if (keeping_ == Keeping::kUnnamedPair) {
    // Nothing to open again: the header goes in through the handle the pair was written with.
    if (std::fseek(data_, 0, SEEK_SET) != 0 || !writeAll(data_, bytes, sizeof bytes)) {
      writeError_ = errno ? errno : EIO;
      stopped_ = true;
    }
    return;
  }
  std::fclose(data_);
  data_ = openFile(dataPath_, "r+b");
  if (!data_) {
    openFailed(dataPath_);
  } else {
    std::fwrite(bytes, 1, sizeof bytes, data_);
    std::fflush(data_);
  }
  if (index_) std::fclose(index_);
  index_ = openFile(indexPath_, "r+b");
  if (!index_) closeFiles();
}

bool ResultStore::view(const std::string& path, ResultsHeader& header) {
  const bool wasOpen = data_ != nullptr;
  const std::string previousData = dataPath_, previousIndex = indexPath_;
  const int previousEntries = entries_, previousLongest = longest_;
  closeFiles();
  writing_ = false;
  const std::string data = replaceExtension(path, "wkg");
  const std::string index = replaceExtension(path, "pdx");
  if (openPair(data, index, true) && readHeader(header)) return true;
  // The old pair stays on display.
  closeFiles();
  dataPath_ = previousData;
  indexPath_ = previousIndex;
  entries_ = previousEntries;
  longest_ = previousLongest;
  if (wasOpen) openPair(dataPath_, indexPath_, false);
  return false;
}

bool ResultStore::openPair(const std::string& data, const std::string& index, bool tell) {
  data_ = openFile(data, "r+b");
  if (!data_) {
    if (tell) openFailed(data);
    return false;
  }
  index_ = openFile(index, "r+b");
  if (!index_) {
    if (tell) openFailed(index);
    closeFiles();
    return false;
  }
  dataPath_ = data;
  indexPath_ = index;
  return true;
}

bool ResultStore::readHeader(ResultsHeader& header) {
  unsigned char bytes[results::kHeaderBytes] = {};
  std::fseek(data_, 0, SEEK_SET);
  const size_t got = std::fread(bytes, 1, sizeof bytes, data_);
  header = ResultsHeader::decode(bytes);
  if (got < sizeof bytes) header.found = 0;
  // The count claimed by the header never exceeds the lines the index can describe.
  const int64_t indexed = std::max<int64_t>(fileSize(indexPath_) / 4 - 1, 0);
  entries_ = static_cast<int>(std::clamp<int64_t>(header.found, 0, indexed));
  longest_ = std::max<int>(1, header.longestEntry);
  // The last line of a whole pair ends where its data file ends: halves of two saves (a copy
  // killed between putting them in place) are refused rather than shown as one.
  int32_t end = 0;
  if (entries_ > 0 && readOffset(entries_, end) && end < fileSize(dataPath_)) {
    showMessage(dataPath_ + str(kPairHalvesDiffer), str(kFileErrorDotCaption),
                mb::kIconStop | mb::kOk | mb::kTaskModal);
    return false;
  }
  return true;
}

int ResultStore::savePair(const std::string& destination) {
  const std::string data = replaceExtension(destination, "wkg");
  if (data == dataPath_) return copy_result::kOk;
  flushPending();
  if (data_) std::fflush(data_);
  const unsigned style = mb::kIconStop | mb::kOk;
  auto report = [&](int code, const std::string& to, const std::string& from) {
    const std::string text = code == copy_result::kCannotRead    ? str(kUnableToOpenFile) + from
                             : code == copy_result::kWriteFailed ? str(kUnableToWriteFile) + to
                                                                 : str(kUnableToOpenFile) + to;
    showMessage(text, str(kFileErrorDotCaption), style);
    return code;
  };
  // Both halves are staged beside their names first, then put in place data first and index
  // last: a failure keeps the old pair whole, and a kill between the two renames leaves halves
  // that view() sees do not belong together.
  const std::string index = replaceExtension(destination, "pdx");
  const WriteTarget dataTarget = writeTargetOf(data), indexTarget = writeTargetOf(index);
  if (dataTarget.kind != WriteTarget::kFile) return report(copy_result::kCannotWrite, data, "");
  if (indexTarget.kind != WriteTarget::kFile) return report(copy_result::kCannotWrite, index, "");
  const std::string stagedData = stagingPathFor(dataTarget.path);
  // Beside the other: the halves' names differ only in their extension (one sweep of leftovers).
  const std::string stagedIndex = directoryOf(indexTarget.path) + freshTempName();
  int code = copyInto(stagedData, dataPath_, nullptr);
  if (code != copy_result::kOk) {
    removeFile(stagedData);
    return report(code, data, dataPath_);
  }
  code = copyInto(stagedIndex, indexPath_, nullptr);
  if (code != copy_result::kOk) {
    removeFile(stagedData);
    removeFile(stagedIndex);
    return report(code, index, indexPath_);
  }
  if (!replaceFile(dataTarget.path, stagedData) || !replaceFile(indexTarget.path, stagedIndex)) {
    removeFile(stagedData);
    removeFile(stagedIndex);
    return report(copy_result::kCannotWrite, data, "");
  }
  return copy_result::kOk;
}

bool ResultStore::deleteResults() {
  closeFiles();
  bool ok = true;
  const unsigned style = mb::kIconExclamation | mb::kOk;
  if (fileExists(dataPath_)) {
    if (!removeFile(dataPath_)) {
      showMessage(str(kUnableToDeleteFile) + dataPath_, str(kFileErrorDotCaption), style);
      ok = false;
    } else if (fileExists(indexPath_) && !removeFile(indexPath_)) {
      showMessage(str(kUnableToDeleteFile) + indexPath_, str(kFileErrorDotCaption), style);
      ok = false;
    }
  }
  reset();
  return ok;
}

bool ResultStore::readOffset(int i, int32_t& offset) {
  flushPending();
  unsigned char bytes[4];
  if (!index_ || i < 0 || std::fseek(index_, 4L * i, SEEK_SET) != 0 ||
      std::fread(bytes, 1, 4, index_) != 4)
    return false;
  offset = readInt32(bytes);
  return true;
}

std::string ResultStore::bytesBetween(int32_t from, int32_t to) {
  if (!data_) return {};
  flushPending();
  std::fflush(data_);
  const int64_t size = fileSize(dataPath_);
  // Offsets out of order or beyond the data give only what the file holds.
  from = std::clamp<int32_t>(from, results::kHeaderBytes,
                             static_cast<int32_t>(std::max<int64_t>(size, 0)));
  to = std::clamp<int32_t>(to, from, static_cast<int32_t>(std::max<int64_t>(size, from)));
  std::string bytes(static_cast<size_t>(to - from), '\0');
  if (std::fseek(data_, from, SEEK_SET) != 0) return {};
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), data_));
  return bytes;
}

std::string ResultStore::entry(int i) {
  int32_t from = 0, to = 0;
  if (i < 0 || i >= entries_ || !readOffset(i, from) || !readOffset(i + 1, to)) return {};
  std::string text = bytesBetween(from, to);
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

bool ResultStore::copyLines(std::FILE* out, std::atomic<int>* percent) const {
  if (!data_) return true;
  // Its own handle: the list reads rows through data_ on the window thread meanwhile, and a
  // shared file position would interleave the two. An unnamed pair has no list, and no name.
  const bool unnamed = keeping_ == Keeping::kUnnamedPair;
  std::FILE* in = unnamed ? data_ : openFile(dataPath_, "rb");
  if (!in) return false;
  const int64_t size = (unnamed ? int64_t{dataEnd_} : fileSize(dataPath_)) + 1;
  std::vector<char> block(20481);
  int64_t done = 0;
  bool ok = std::fseek(in, results::kHeaderBytes, SEEK_SET) == 0;
  while (size_t got = ok ? std::fread(block.data(), 1, 20480, in) : 0) {
    done += static_cast<int64_t>(got);
    if (percent) *percent = static_cast<int>(done * 100 / size);
    ok = std::fwrite(block.data(), 1, got, out) == got && ok;
  }
  ok = !std::ferror(in) && ok;
  if (!unnamed) std::fclose(in);
  return ok;
}

std::string ResultStore::entriesText(int first, int count) {
  int32_t from = 0, to = 0;
  if (writing_ || first < 0 || count <= 0 || first >= entries_ || !readOffset(first, from) ||
      !readOffset(std::min(first + count, entries_.load()), to))
    return {};
  return bytesBetween(from, to);
}

}  // namespace wk
