#include "dictionary_merge_handler.h"

#include "../dict/compress_dictionary.h"
#include "../dict/dict_format.h"
#include "../dict/dictionary.h"
#include "../dict/dictionary_scan.h"
#include "../dict/word_order.h"

namespace wk {
namespace {

constexpr size_t kMergeBuffer = 1024;

}  // namespace

DictionaryMergeHandler::Output::Output() = default;
DictionaryMergeHandler::Output::~Output() = default;

void DictionaryMergeHandler::Output::close() {
  auto writer = std::move(writer_);
  if (writer) writer->finish();
}

void DictionaryMergeHandler::Output::abandon() {
  writer_.reset();
}

DictionaryMergeHandler::DictionaryMergeHandler(std::string input, std::string output,
                                               Options options, Output& pass)
    : input_(std::move(input)),
      output_(std::move(output)),
      context_(*options.context),
      pass_(pass) {
  hasItem_ = readNext();
}

DictionaryMergeHandler::~DictionaryMergeHandler() = default;

bool DictionaryMergeHandler::readNext() {
  int result;
  if (!reader_) {
    reader_ = std::make_unique<Dictionary>(context_, input_, false, kMergeBuffer);
    scan_ = std::make_unique<DictionaryScan>(*reader_, dict::kMaxLength);  // a copy keeps all
    result = scan_->start("*", nullptr, 0, 0, word_);
  } else {
    result = scan_->next(word_);
  }
  hasItem_ = result == DictionaryScan::kMatch;
  return hasItem_;
}

void DictionaryMergeHandler::write() {
  auto& writer = pass_.writer_;
  if (!writer) writer = std::make_unique<CompressDictionary>(output_);
  writer->addWord(word_);
}

void DictionaryMergeHandler::createEmptyOutput(const std::string& path) {
  CompressDictionary::createEmpty(path);
}

bool DictionaryMergeHandler::operator<(const DictionaryMergeHandler& other) const {
  return compareWords(word_, other.word_) < 0;
}

}  // namespace wk
