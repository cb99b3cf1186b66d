#include "make_dictionary.h"

#include <cstdio>
#include <vector>

#include "../base/file_ops.h"
#include "../base/message_port.h"
#include "../base/paths.h"
#include "../base/pause_gate.h"
#include "../base/scoped_files.h"
#include "../base/string_table.h"
#include "../base/system_path.h"
#include "../base/temp_names.h"
#include "../base/wordkeg_exception.h"
#include "../config/config_data.h"
#include "../dict/compress_dictionary.h"
#include "../dict/dict_format.h"
#include "../dict/dictionary_names.h"
#include "../dict/install_dictionary.h"
#include "../dict/word_lookup.h"
#include "file_sort.h"
#include "line_reader.h"
#include "merge_estimate.h"
#include "merge_file.h"
#include "numbered_file.h"
#include "run_record.h"
#include "string_handler.h"
#include "word_shape.h"

namespace wk {
namespace {

// Publishes an object of the worker for cancel() while a scope lasts, however the scope ends.
template <class T>
class Published {
 public:
  Published(std::mutex& mutex, T*& slot, T& object) : mutex_(mutex), slot_(slot) { set(&object); }
  ~Published() { set(nullptr); }
  Published(const Published&) = delete;
  Published& operator=(const Published&) = delete;

 private:
  void set(T* value) {
    std::lock_guard<std::mutex> lock(mutex_);
    slot_ = value;
  }
  std::mutex& mutex_;
  T*& slot_;
};

struct FileCloser {
  std::FILE* file;
  ~FileCloser() {
    if (file) std::fclose(file);
  }
};

}  // namespace

MakeDictionaryFromFile::MakeDictionaryFromFile(DictionaryNames& catalogue, std::string source,
                                               std::string dictionaryPath, bool uniqueOnly)
    : catalogue_(catalogue),
      source_(std::move(source)),
      dictionaryPath_(std::move(dictionaryPath)),
      uniqueOnly_(uniqueOnly),
      longest_(catalogue.config().longestWord()),
      layout_(run_record::layoutFor(longest_)) {}

bool MakeDictionaryFromFile::run() {
  const ConfigData& config = catalogue_.config();
  const std::string pattern = config.tempPath(std::string(kSortRunBase) + "*");
  // Run files left by an earlier failure would otherwise be merged into this dictionary.
  deleteMatching(pattern);
  ScopedPattern runFiles(pattern);
  if (!validateAndSort()) return false;
  ScopedFile merged(config.tempPath(freshTempName()));
  if (mergeRuns(pattern, merged.path()) && !cancelled_) build(merged.path());
  return true;
}

bool MakeDictionaryFromFile::validateAndSort() {
  validating_ = true;
  FileCloser in{openFile(source_, "rb")};
  if (!in.file) {
    validating_ = false;
    throw WordkegException(str(kUnableToOpenFile) + source_);
  }
  fileSize_ = fileSize(source_);
  runStart_ = runEnd_ = wordCount_ = 0;
  tally_ = {};
  LineReader reader(in.file);
  numberedFile runs(kSortRunBase);
  while (!reader.atEnd() && !cancelled_) {
    const std::string name = runs.next();
    const std::string path = catalogue_.config().tempPath(name);
    writeRun(reader, path);
    sortRun(path);
  }
  validating_ = false;
  tally_.words = wordCount_;
  if (cancelled_) return false;
  if (wordCount_ == 0) {
    showMessage(str(kNoValidWords), str(kWarningCaption), mb::kIconInformation | mb::kOk);
    cancelled_ = true;
  }
  return !cancelled_;
}

void LineTally::skip(LineVerdict verdict) {
  switch (verdict) {
    case LineVerdict::kBlank:
      ++blank;
      break;
    case LineVerdict::kSeveralWords:
      ++severalWords;
      break;
    case LineVerdict::kNotLetters:
      ++notLetters;
      break;
    case LineVerdict::kHyphens:
      ++hyphens;
      break;
    case LineVerdict::kTooLong:
      ++tooLong;
      break;
    case LineVerdict::kWord:
      break;
  }
}

void MakeDictionaryFromFile::writeRun(LineReader& reader, const std::string& runPath) {
  FileCloser run{openFile(runPath, "wb")};
  if (!run.file) throw WordkegException(str(kUnableToOpenFile) + fileNameOf(runPath));
  int budget = layout_.runRecords;
  // The run's records are written at once: a library call per record would cost more than the
  // record.
  const auto size = static_cast<size_t>(layout_.size);
  std::vector<unsigned char> records;
  records.reserve(static_cast<size_t>(budget) * size);
  while (budget > 0 && !reader.atEnd()) {
    runStart_ = runEnd_.load();
    pause_.pass();
    if (cancelled_) return;
    std::string line = reader.next();
    if (line.empty()) {
      if (!reader.atEnd()) tally_.skip(LineVerdict::kBlank);  // a list's end is no line
      --budget;
      continue;
    }
    if (const LineVerdict verdict = takeLine(line, longest_); verdict != LineVerdict::kWord) {
      tally_.skip(verdict);
      continue;
    }
    records.resize(records.size() + size);
    layout_.make(line, records.data() + records.size() - size);
    ++wordCount_;
    --budget;
  }
  const bool written =
      std::fwrite(records.data(), 1, records.size(), run.file) == records.size();
  const bool closed = std::fclose(run.file) == 0 && written;
  run.file = nullptr;
  if (!closed) throw WordkegException(str(kUnableToWriteFile) + runPath);
  runEnd_ = reader.position();
}

void MakeDictionaryFromFile::sortRun(const std::string& runPath) {
  if (cancelled_) return;
  FileSort sorter(runPath, layout_.size, layout_.compare, &subProgress_, layout_.runRecords,
                  &pause_);
  Published<FileSort> published(workMutex_, sorter_, sorter);
  sorter.sort();
}

bool MakeDictionaryFromFile::mergeRuns(const std::string& pattern, const std::string& merged) {
  MergeFile<StringHandler> merger(pattern, merged, &subProgress_, {&layout_, &pause_},
                                  layout_.fanIn);
  mergeTotal_ = mergeWorkEstimate(runSizes(wordCount_, layout_.runRecords), merger.fanIn());
  Published<MergeFile<StringHandler>> published(workMutex_, merger_, merger);
  return merger.merge();
}

void MakeDictionaryFromFile::build(const std::string& merged) {
  ScopedFile temp(catalogue_.config().tempPath(freshTempName()));
  writing_ = true;
  try {
    writeDictionary(merged, temp.path());
  } catch (...) {
    writing_ = false;
    throw;
  }
  writing_ = false;
  if (cancelled_) return;
  copying_ = true;
  installed_ = installDictionary(temp.path(), dictionaryPath_, &percent_);
  copying_ = false;
  if (installed_) recatalogue(catalogue_, dictionaryPath_);
}

void MakeDictionaryFromFile::writeDictionary(const std::string& merged, const std::string& temp) {
  CompressDictionary writer(temp);
  FileCloser in{openFile(merged, "rb")};
  if (!in.file) throw WordkegException(str(kUnableToOpenFile) + merged);
  unsigned char record[run_record::kLargestSize];
  const auto size = static_cast<size_t>(layout_.size);
  int64_t n = 0;
  const int64_t total = wordCount_ > 0 ? wordCount_.load() : 1;
  std::string previous;
  while (!cancelled_ && std::fread(record, 1, size, in.file) == size) {
    percent_ = static_cast<int>(++n * 100 / total);
    pause_.pass();
    const std::string word = layout_.word(record);
    // Repeats come together (the list is sorted): one is a word, the rest are repeats.
    const bool repeat = word == previous;
    previous = word;
    if (!uniqueOnly_ || wordAbsentElsewhere(catalogue_, word, dictionaryPath_))
      writer.addWord(word);
    else if (!repeat)
      ++tally_.heldElsewhere;
  }
  writer.finish();
}

void MakeDictionaryFromFile::cancel() {
  cancelled_ = true;
  std::lock_guard<std::mutex> lock(workMutex_);
  if (sorter_) sorter_->cancel();
  if (merger_) merger_->cancel();
}

Progress MakeDictionaryFromFile::progress() const {
  if (validating_) {
    const uint64_t start = static_cast<uint64_t>(runStart_.load());
    const uint64_t span = static_cast<uint64_t>(runEnd_.load()) - start;
    const uint64_t size = fileSize_ > 0 ? static_cast<uint64_t>(fileSize_.load()) : 1;
    const uint64_t done = span * static_cast<uint64_t>(subProgress_.load()) / 100 + start;
    return {str(kValidatingAndSorting), static_cast<int>(done * 100 / size)};
  }
  bool merging = false;
  {
    std::lock_guard<std::mutex> lock(workMutex_);
    merging = merger_ != nullptr;
  }
  if (merging)
    return {str(kRebuildingWords), static_cast<int>(subProgress_ * int64_t{100} / mergeTotal_)};
  if (writing_) return {str(kCreatingDictionary), percent_};
  if (copying_) return {str(kCopying), percent_};
  return {};
}

}  // namespace wk
