#include "string_handler.h"

#include "../base/string_table.h"
#include "../base/system_path.h"
#include "../base/wordkeg_exception.h"

namespace wk {
namespace {

// The pass output collects records in a block of its own and writes them a block at a time.
struct PassOutput {
  std::FILE* file = nullptr;
  std::string name;
  std::vector<unsigned char> pending;
  bool failed = false;

  void flush() {
    if (!pending.empty() && std::fwrite(pending.data(), 1, pending.size(), file) != pending.size())
      failed = true;
    pending.clear();
  }
};

constexpr size_t kOutputBlock = 64 * 1024;

PassOutput& passOutput() {
  static PassOutput output;
  return output;
}

}  // namespace

StringHandler::StringHandler(const std::string& input, const std::string& output, Options options)
    : layout_(*options.layout),
      output_(output),
      block_(kBufferedRecords * static_cast<size_t>(options.layout->size)) {
  input_ = openFile(input, "rb");
  if (!input_) throw WordkegException(str(kUnableToOpenFile) + input);
  hasItem_ = readNext();
}

StringHandler::~StringHandler() {
  if (input_) std::fclose(input_);
}

bool StringHandler::readNext() {
  if (next_ == blockRecords_) {
    const auto size = static_cast<size_t>(layout_.size);
    blockRecords_ = std::fread(block_.data(), size, kBufferedRecords, input_);
    next_ = 0;
  }
  hasItem_ = next_ < blockRecords_;
  if (hasItem_) record_ = block_.data() + static_cast<size_t>(layout_.size) * next_++;
  return hasItem_;
}

void StringHandler::write() {
  PassOutput& out = passOutput();
  if (!out.file) {
    out.file = openFile(output_, "wb");
    if (!out.file) throw WordkegException(str(kUnableToOpenFile) + output_);
    out.name = output_;
    out.failed = false;
    out.pending.reserve(kOutputBlock);
  }
  out.pending.insert(out.pending.end(), record_, record_ + layout_.size);
  if (out.pending.size() >= kOutputBlock) out.flush();
  if (out.failed) throw WordkegException(str(kUnableToWriteFile) + out.name);
}

void StringHandler::closeOutput() {
  PassOutput& out = passOutput();
  if (!out.file) return;
  out.flush();
  const bool ok = std::fclose(out.file) == 0 && !out.failed;
  out.file = nullptr;
  if (!ok) throw WordkegException(str(kUnableToWriteFile) + out.name);
}

void StringHandler::abandonOutput() {
  PassOutput& out = passOutput();
  if (out.file) std::fclose(out.file);
  out.file = nullptr;
  out.pending.clear();
}

void StringHandler::createEmptyOutput(const std::string& path) {
  std::FILE* f = openFile(path, "wb");
  if (!f || std::fclose(f) != 0) throw WordkegException(str(kUnableToOpenFile) + path);
}

}  // namespace wk
