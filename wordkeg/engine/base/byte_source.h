#pragma once
// ByteSource: the bytes a reader reads, from a file or from memory, so readers of untrusted
// files can be tested and fuzzed without touching the disk.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace wk {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The number of bytes; -1 when unknown.
  virtual int64_t size() const = 0;
  // Copies up to `count` bytes from `offset` into `into`; the number copied (0 at the end or on a
  // read error).
  virtual size_t readAt(int64_t offset, unsigned char* into, size_t count) = 0;
};

// A file opened for reading, unbuffered (its readers buffer for themselves).
class FileSource : public ByteSource {
 public:
  // Null when `path` cannot be opened.
  static std::unique_ptr<FileSource> open(const std::string& path);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  int64_t size() const override { return size_; }
  size_t readAt(int64_t offset, unsigned char* into, size_t count) override;

 private:
  FileSource(std::FILE* file, int64_t size) : file_(file), size_(size) {}

  std::FILE* file_;
  int64_t size_;
  int64_t position_ = 0;  // where the next fread starts, so a sequential read never seeks
};

// Bytes held in memory.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}
  int64_t size() const override { return static_cast<int64_t>(bytes_.size()); }
  size_t readAt(int64_t offset, unsigned char* into, size_t count) override;

 private:
  std::vector<unsigned char> bytes_;
};

}  // namespace wk
