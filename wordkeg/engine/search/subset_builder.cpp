#include "subset_builder.h"

#include "../base/file_ops.h"
#include "../base/message_port.h"
#include "../base/paths.h"
#include "../base/scoped_files.h"
#include "../base/string_table.h"
#include "../base/temp_names.h"
#include "../base/wordkeg_exception.h"
#include "../compile/dictionary_merge_handler.h"
#include "../compile/merge_file.h"
#include "../config/config_data.h"
#include "../dict/compress_dictionary.h"
#include "../dict/dictionary.h"
#include "../dict/dictionary_scan.h"

namespace wk {

SubsetBuilder::SubsetBuilder(const SrcLetters& fromPool, std::vector<SubsetSource> sources,
                             std::string subsetPath, int longest)
    : pool_(fromPool),
      longest_(longest),
      sources_(std::move(sources)),
      subsetPath_(std::move(subsetPath)) {}

bool SubsetBuilder::run() {
  matches_ = 0;
  std::vector<std::string> mergeList;
  struct WorkFiles {
    const std::vector<SubsetSource>& sources;
    ~WorkFiles() {
      for (const auto& s : sources)
        if (fileExists(s.workFile)) removeFile(s.workFile);
    }
  } cleanUp{sources_};
  for (const auto& source : sources_) {
    const size_t listed = mergeList.size();
    const uint32_t found = matches_;
    int result = DictionaryScan::kExhausted;
    try {
      result = analyse(source, mergeList);
    } catch (const WordkegException& e) {
      warnLeftOut(e);
      mergeList.resize(listed);
      matches_ = found;
    }
    if (result == DictionaryScan::kCancelled || cancelled_) return false;
  }
  if (matches_ == 0) return false;
  mergeInto(mergeList);
  return !cancelled_ && !context_.cancelRequested();
}

int SubsetBuilder::analyse(const SubsetSource& source, std::vector<std::string>& mergeList) {
  if (fileExists(source.workFile)) removeFile(source.workFile);
  {
    std::lock_guard<std::mutex> lock(textMutex_);
    current_ = str(kAnalysing) + fileNameOf(source.dictionary);
  }
  Dictionary reader(context_, source.dictionary, false, 5120);
  CompressDictionary writer(source.workFile);
  DictionaryScan scan(reader, longest_);
  std::string found;
  int result = scan.start("*", &pool_, 0, 0, found);
  bool first = true;
  for (; result == DictionaryScan::kMatch; result = scan.next(found)) {
    if (first) mergeList.push_back(source.workFile);  // only dictionaries with matches merge
    first = false;
    ++matches_;
    writer.addWord(found);
  }
  writer.finish();
  return result;
}

void SubsetBuilder::mergeInto(const std::vector<std::string>& mergeList) {
  merging_ = true;
  {
    std::lock_guard<std::mutex> lock(textMutex_);
    current_ = str(kMergingDictionaries);
  }
  ScopedFile output(directoryOf(subsetPath_) + freshTempName());  // beside the subset
  MergeFile<DictionaryMergeHandler> merger(mergeList, output.path(), nullptr,
                                           {&context_, &context_.pause()});
  if (!merger.merge()) return;
  if (fileExists(subsetPath_)) removeFile(subsetPath_);
  if (moveFile(subsetPath_, output.path(), nullptr) != 0)
    throw WordkegException(str(kCouldNotRename) + output.path());
}

void SubsetBuilder::cancel() {
  cancelled_ = true;
  context_.requestCancel();
}

std::string SubsetBuilder::phase() const {
  std::lock_guard<std::mutex> lock(textMutex_);
  return current_;
}

Progress SubsetBuilder::progress() const {
  const std::string current = phase();
  if (merging_) return {current, -1};
  return {current + "  " + str(kCheckedCount) + std::to_string(context_.wordsChecked()) + "  " +
              str(kFoundCount) + std::to_string(matches_),
          -1};
}

}  // namespace wk
