#include "merge_dictionaries.h"

#include "../base/string_table.h"
#include "../dict/dictionary_names.h"
#include "../dict/install_dictionary.h"
#include "dictionary_merge_handler.h"
#include "merge_estimate.h"
#include "merge_file.h"

namespace wk {

MergeDictionaries::MergeDictionaries(DictionaryNames& catalogue,
                                     const std::vector<std::string>& inputs,
                                     const std::string& output)
    : merger_(std::make_unique<MergeFile<DictionaryMergeHandler>>(
          inputs, output, &counter_,
          DictionaryMergeHandler::Options{&context_, &context_.pause()})) {
  std::vector<int64_t> counts;
  for (const auto& path : inputs)
    if (const DictionaryName* entry = catalogue.find(path))
      counts.push_back(entry->header.wordCount);
  total_ = mergeWorkEstimate(counts, merger_->fanIn());
}

MergeDictionaries::~MergeDictionaries() = default;

bool MergeDictionaries::run() {
  const bool merged = merger_->merge();
  // The readers stop early when the merge's cancel is raised; such a merge is incomplete.
  return merged && !cancelled_ && !context_.cancelRequested();
}

void MergeDictionaries::cancel() {
  cancelled_ = true;
  merger_->cancel();
}

Progress MergeDictionaries::progress() const {
  const int64_t percent = counter_ * int64_t{100} / total_;
  return {str(kMergingFiles), static_cast<int>(percent > 100 ? 100 : percent)};
}

bool installMerged(DictionaryNames& catalogue, const std::string& output,
                   const std::string& target) {
  if (!installDictionary(output, target, nullptr)) return false;
  recatalogue(catalogue, target);
  return true;
}

}  // namespace wk
