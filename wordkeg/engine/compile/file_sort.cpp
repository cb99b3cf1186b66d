#include "file_sort.h"

#include <algorithm>
#include <cstring>

#include "../base/file_ops.h"
#include "../base/pause_gate.h"
#include "../base/string_table.h"
#include "../base/system_path.h"
#include "../base/wordkeg_exception.h"

namespace wk {

FileSort::FileSort(const std::string& path, int recordSize, Compare compare,
                   std::atomic<int>* progress, int blockRecords, PauseGate* pause)
    : path_(path),
      recordSize_(recordSize),
      blockRecords_(blockRecords),
      compare_(compare),
      progress_(progress),
      pause_(pause) {
  file_ = openFile(path, "r+b");
  if (!file_) throw WordkegException(str(kUnableToOpenFile) + path);
  std::setvbuf(file_, streamBuffer_, _IOFBF, sizeof streamBuffer_);
  const long blockBytes = static_cast<long>(recordSize) * blockRecords;
  const int64_t size = fileSize(path);
  blocks_ = static_cast<long>(size / blockBytes) + (size % blockBytes ? 1 : 0);
  buffer_.resize(static_cast<size_t>(blockBytes));
  sorted_.resize(static_cast<size_t>(blockBytes));
  pointers_.resize(static_cast<size_t>(blockRecords));
}

FileSort::~FileSort() {
  if (file_) std::fclose(file_);
}

bool FileSort::sort() {
  for (long i = 0; i < blocks_ + 1 && !cancelled_; ++i) {
    if (pause_) pause_->pass();
    changed_ = false;
    if (progress_) *progress_ = i == 0 ? 0 : static_cast<int>(i * 100 / (blocks_ + 1));
    blockPass(0);
    // One block is sorted completely by its first pass; further passes would find no change.
    if (cancelled_ || !changed_ || blocks_ <= 1) break;
    blockPass(blockRecords_ / 2);
  }
  if (std::fflush(file_) != 0) throw WordkegException(str(kUnableToWriteFile) + path_);
  return !cancelled_;
}

void FileSort::blockPass(long recordOffset) {
  const size_t size = static_cast<size_t>(recordSize_);
  std::fseek(file_, recordOffset * recordSize_, SEEK_SET);
  size_t count = 0;
  do {
    const long start = std::ftell(file_);
    count = std::fread(buffer_.data(), size, static_cast<size_t>(blockRecords_), file_);
    if (count == 0) break;
    for (size_t i = 0; i < count; ++i) pointers_[i] = buffer_.data() + i * size;
    // Equal records keep their file order (the pointers start in address order), without the
    // buffer a stable sort would allocate.
    const auto less = [this](const unsigned char* a, const unsigned char* b) {
      const int order = compare_(a, b);
      return order != 0 ? order < 0 : a < b;
    };
    std::sort(pointers_.begin(), pointers_.begin() + static_cast<long>(count), less);
    for (size_t i = 0; i < count; ++i) {
      if (pointers_[i] != buffer_.data() + i * size) changed_ = true;
      std::memcpy(sorted_.data() + i * size, pointers_[i], size);
    }
    std::fseek(file_, start, SEEK_SET);
    if (std::fwrite(sorted_.data(), size, count, file_) != count)
      throw WordkegException(str(kUnableToWriteFile) + path_);
    std::fseek(file_, 0, SEEK_CUR);
  } while (count == static_cast<size_t>(blockRecords_));
  std::fflush(file_);
  std::rewind(file_);
}

}  // namespace wk
