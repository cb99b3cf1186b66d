#pragma once
// State shared by every dictionary reader of the process. Only one long operation runs at a
// time, so the values need no lock; they are atomics because the user-interface thread reads the
// counter and writes the cancel flag while a worker scans.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace wk {

struct ReaderState {
  static constexpr int kMaxOpenReaders = 15;

  std::atomic<int> openReaders{0};
  std::atomic<bool> tooMany{false};
  std::atomic<bool> cancel{false};
  std::atomic<uint32_t> wordsChecked{0};
  // The whole file (plus a final byte 255) of the first reader that asked to be loaded into
  // memory; shared by the readers nested inside it on the same path.
  std::shared_ptr<const std::vector<unsigned char>> sharedCopy;
  std::string sharedPath;

  bool memoryMode() const { return sharedCopy != nullptr; }
};

ReaderState& readerState();

}  // namespace wk
