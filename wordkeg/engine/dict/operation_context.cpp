#include "operation_context.h"

namespace wk {

int OperationContext::open() {
  const int count = ++openReaders_;
  if (count > kMaxOpenReaders) {
    tooMany_ = true;
  } else if (count == 1) {
    tooMany_ = false;
    cancel_ = false;
    shared_.reset();
  }
  return count;
}

void OperationContext::close() {
  if (--openReaders_ == 0) shared_.reset();
}

void OperationContext::share(std::shared_ptr<const SharedDictionary> file, std::string path) {
  shared_ = std::move(file);
  sharedPath_ = std::move(path);
}

std::shared_ptr<const SharedDictionary> OperationContext::sharedFor(const std::string& path) const {
  return shared_ && sharedPath_ == path ? shared_ : nullptr;
}

}  // namespace wk
