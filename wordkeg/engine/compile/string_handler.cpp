#include "string_handler.h"

#include "../base/string_table.h"
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

StringHandler::StringHandler(const std::string& input, const std::string& output)
    : output_(output), block_(kBufferedRecords * run_record::kSize) {
  input_ = std::fopen(input.c_str(), "rb");
  if (!input_) throw WordkegException(str(kUnableToOpenFile) + input);
  hasItem_ = readNext();
}

StringHandler::~StringHandler() {
  if (input_) std::fclose(input_);
}

bool StringHandler::readNext() {
  if (next_ == blockRecords_) {
    blockRecords_ = std::fread(block_.data(), run_record::kSize, kBufferedRecords, input_);
    next_ = 0;
  }
  hasItem_ = next_ < blockRecords_;
  if (hasItem_) record_ = block_.data() + run_record::kSize * next_++;
  return hasItem_;
}

void StringHandler::write() {
  PassOutput& out = passOutput();
  if (!out.file) {
    out.file = std::fopen(output_.c_str(), "wb");
    if (!out.file) throw WordkegException(str(kUnableToOpenFile) + output_);
    out.name = output_;
    out.failed = false;
    out.pending.reserve(kOutputBlock);
  }
  out.pending.insert(out.pending.end(), record_, record_ + run_record::kSize);
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
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fclose(f) != 0) throw WordkegException(str(kUnableToOpenFile) + path);
}

}  // namespace wk
