#pragma once
// FileSort: sorts a file of fixed-size records in place, a block of (normally) 3000 records at
// a time (an odd-even block sort), so memory stays bounded whatever the file's size.
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

namespace wk {

class PauseGate;

class FileSort {
 public:
  using Compare = int (*)(const unsigned char*, const unsigned char*);
  static constexpr int kBlockRecords = 3000;

  // Opens `path` for update; throws WordkegException "Unable to Open File: " + path.
  // `progress` (may be null) receives the percentage of passes done. Blocks of `blockRecords`.
  // Each pass waits at `pause` (the sorting operation's gate; may be null).
  FileSort(const std::string& path, int recordSize, Compare compare, std::atomic<int>* progress,
           int blockRecords = kBlockRecords, PauseGate* pause = nullptr);
  ~FileSort();
  FileSort(const FileSort&) = delete;
  FileSort& operator=(const FileSort&) = delete;

  // Sorts the file; false when cancelled. Throws WordkegException on a write error.
  bool sort();
  void cancel() { cancelled_ = true; }

 private:
  void blockPass(long recordOffset);

  std::string path_;
  std::FILE* file_ = nullptr;
  char streamBuffer_[1024];
  int recordSize_;
  int blockRecords_;
  Compare compare_;
  std::atomic<int>* progress_;
  long blocks_ = 0;
  bool changed_ = false;
  std::atomic<bool> cancelled_{false};
  PauseGate* pause_;
  std::vector<unsigned char> buffer_;
  std::vector<unsigned char*> pointers_;
  std::vector<unsigned char> sorted_;
};

}  // namespace wk
