#include "update_operation.h"

#include "../base/string_table.h"

namespace wk {

UpdateOperation::UpdateOperation(DictionaryNames& catalogue, std::string path, std::string word,
                                 UpdateMode mode, int total)
    : catalogue_(catalogue),
      path_(std::move(path)),
      word_(std::move(word)),
      mode_(mode),
      total_(total) {}

bool UpdateOperation::run() {
  result_ = updateDictionary(context_, catalogue_, path_, word_, mode_);
  return result_ != update_result::kCancelled;
}

void UpdateOperation::cancel() {
  context_.requestCancel();
}

Progress UpdateOperation::progress() const {
  Progress p{str(mode_ == UpdateMode::kAdd ? kAddingWord : kRemovingWord), 0};
  if (total_ > 0) p.percent = static_cast<int>(context_.wordsChecked() * int64_t{100} / total_);
  return p;
}

}  // namespace wk
