#include "string_handler.h"

#include "../base/string_table.h"
#include "../base/wordkeg_exception.h"

namespace wk {
namespace {

struct PassOutput {
  std::FILE* file = nullptr;
  std::string name;
};

PassOutput& passOutput() {
  static PassOutput output;
  return output;
}

}  // namespace

StringHandler::StringHandler(const std::string& input, const std::string& output) : output_(output) {
  input_ = std::fopen(input.c_str(), "rb");
  if (!input_) throw WordkegException(str(kUnableToOpenFile) + input);
  hasItem_ = readNext();
}

StringHandler::~StringHandler() {
  if (input_) std::fclose(input_);
}

bool StringHandler::readNext() {
  hasItem_ = std::fread(record_, 1, sizeof record_, input_) == sizeof record_;
  return hasItem_;
}

void StringHandler::write() {
  PassOutput& out = passOutput();
  if (!out.file) {
    out.file = std::fopen(output_.c_str(), "wb");
    if (!out.file) throw WordkegException(str(kUnableToOpenFile) + output_);
    out.name = output_;
  }
  if (std::fwrite(record_, 1, sizeof record_, out.file) != sizeof record_)
    throw WordkegException(str(kUnableToWriteFile) + out.name);
}

void StringHandler::closeOutput() {
  PassOutput& out = passOutput();
  if (!out.file) return;
  const bool ok = std::fclose(out.file) == 0;
  out.file = nullptr;
  if (!ok) throw WordkegException(str(kUnableToWriteFile) + out.name);
}

void StringHandler::abandonOutput() {
  PassOutput& out = passOutput();
  if (out.file) std::fclose(out.file);
  out.file = nullptr;
}

void StringHandler::createEmptyOutput(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fclose(f) != 0) throw WordkegException(str(kUnableToOpenFile) + path);
}

}  // namespace wk
