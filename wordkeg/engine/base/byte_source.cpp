#include "byte_source.h"

#include <algorithm>
#include <cstring>

#include "file_ops.h"
#include "system_path.h"

namespace wk {

std::unique_ptr<FileSource> FileSource::open(const std::string& path) {
  std::FILE* file = openFile(path, "rb");
  if (!file) return nullptr;
  std::setvbuf(file, nullptr, _IONBF, 0);
  return std::unique_ptr<FileSource>(new FileSource(file, fileSize(path)));
}

FileSource::~FileSource() {
  std::fclose(file_);
}

size_t FileSource::readAt(int64_t offset, unsigned char* into, size_t count) {
  if (offset < 0) return 0;
  if (offset != position_ && std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) {
    position_ = -1;  // unknown: the next read seeks again
    return 0;
  }
  const size_t got = std::fread(into, 1, count, file_);
  position_ = offset + static_cast<int64_t>(got);
  return got;
}

size_t MemorySource::readAt(int64_t offset, unsigned char* into, size_t count) {
  if (offset < 0 || offset >= size()) return 0;
  const size_t n = std::min(count, bytes_.size() - static_cast<size_t>(offset));
  std::memcpy(into, bytes_.data() + offset, n);
  return n;
}

}  // namespace wk
