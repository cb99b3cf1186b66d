#include "string_handler.h"

#include "../base/string_table.h"
#include "../base/system_path.h"
#include "../base/wordkeg_exception.h"

namespace wk {
namespace {

constexpr size_t kOutputBlock = 64 * 1024;

}  // namespace

void StringHandler::Output::flush() {
  if (!pending_.empty() &&
      std::fwrite(pending_.data(), 1, pending_.size(), file_) != pending_.size())
    failed_ = true;
  pending_.clear();
}

StringHandler::StringHandler(const std::string& input, const std::string& output, Options options,
                             Output& pass)
    : layout_(*options.layout),
      output_(output),
      pass_(pass),
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
  Output& out = pass_;
  if (!out.file_) {
    out.file_ = openFile(output_, "wb");
    if (!out.file_) throw WordkegException(str(kUnableToOpenFile) + output_);
    out.name_ = output_;
    out.failed_ = false;
    out.pending_.reserve(kOutputBlock);
  }
  out.pending_.insert(out.pending_.end(), record_, record_ + layout_.size);
  if (out.pending_.size() >= kOutputBlock) out.flush();
  if (out.failed_) throw WordkegException(str(kUnableToWriteFile) + out.name_);
}

void StringHandler::Output::close() {
  if (!file_) return;
  flush();
  const bool ok = std::fclose(file_) == 0 && !failed_;
  file_ = nullptr;
  if (!ok) throw WordkegException(str(kUnableToWriteFile) + name_);
}

void StringHandler::Output::abandon() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  pending_.clear();
}

void StringHandler::createEmptyOutput(const std::string& path) {
  std::FILE* f = openFile(path, "wb");
  if (!f || std::fclose(f) != 0) throw WordkegException(str(kUnableToOpenFile) + path);
}

}  // namespace wk
