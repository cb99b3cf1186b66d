#pragma once
// OperationContext: what the dictionary readers, scans and writers of one long operation (a
// search, a make, a merge, an update, a lookup) share, owned by that operation and passed to
// them by reference, so that operations side by side in one process keep apart: the open
// readers and their cap, the cancel, the pause gate, the words-checked counter, the file held in
// memory. The values are atomics because another thread (a window, a server) reads the counter
// and asks for a cancel or a pause while the operation's worker scans; the file held in memory
// is set and read by that worker alone. The first reader of an operation starts it afresh: no
// cancel, no refusal, no file held in memory.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "../base/pause_gate.h"
#include "shared_dictionary.h"

namespace wk {

class OperationContext {
 public:
  OperationContext() = default;
  OperationContext(const OperationContext&) = delete;
  OperationContext& operator=(const OperationContext&) = delete;

  static constexpr int kMaxOpenReaders = 15;

  // A reader opens: its number among the open readers. Beyond kMaxOpenReaders the reader is
  // refused (tooMany() holds); the first starts the operation afresh.
  int open();
  // A reader closes; the last one drops the file held in memory.
  void close();
  int openReaders() const { return openReaders_; }
  // A reader was refused for too many open; the scan that meets it clears it.
  bool tooMany() const { return tooMany_; }
  void clearTooMany() { tooMany_ = false; }

  // Cancel of the operation: each of its scans stops at its next word.
  void requestCancel() { cancel_ = true; }
  bool cancelRequested() const { return cancel_; }
  void clearCancel() { cancel_ = false; }

  // Words checked by the operation's scans of its current dictionary: 64 bits, as a search of
  // four words checks billions.
  uint64_t wordsChecked() const { return wordsChecked_; }
  void addChecked(uint64_t count) { wordsChecked_ += count; }
  void resetChecked() { wordsChecked_ = 0; }

  // The file of the first reader that asked to be loaded into memory, shared by the readers
  // nested inside it on the same path.
  void share(std::shared_ptr<const SharedDictionary> file, std::string path);
  // The file held for `path`, or null.
  std::shared_ptr<const SharedDictionary> sharedFor(const std::string& path) const;
  bool memoryMode() const { return shared_ != nullptr; }
  // Off: every reader reads its file as a stream. The tests compare the two ways of reading.
  void allowMemory(bool allowed) { memoryAllowed_ = allowed; }
  bool memoryAllowed() const { return memoryAllowed_; }

  // Held while a front end asks whether to cancel: the operation's scans wait at their next
  // word.
  PauseGate& pause() { return pause_; }

 private:
  std::atomic<int> openReaders_{0};
  std::atomic<bool> tooMany_{false};
  std::atomic<bool> cancel_{false};
  std::atomic<uint64_t> wordsChecked_{0};
  std::shared_ptr<const SharedDictionary> shared_;
  std::string sharedPath_;
  bool memoryAllowed_ = true;
  PauseGate pause_;
};

}  // namespace wk
