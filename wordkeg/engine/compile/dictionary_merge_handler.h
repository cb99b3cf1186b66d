#pragma once
// DictionaryMergeHandler: one compiled dictionary as an input of MergeFile. The handlers of a
// pass write to the one CompressDictionary of its Output, so every pass output is a complete
// dictionary and a word held by several inputs is written once.
#include <memory>
#include <string>

namespace wk {

class CompressDictionary;
class Dictionary;
class DictionaryScan;
class OperationContext;
class PauseGate;

class DictionaryMergeHandler {
 public:
  struct Options {
    OperationContext* context = nullptr;  // the merging operation's; REQUIRED
    PauseGate* pause = nullptr;
  };
  class Output {
   public:
    Output();
    ~Output();
    void close();    // finishes the writer; throws if it could not be written
    void abandon();  // drops the writer without reporting

   private:
    friend class DictionaryMergeHandler;
    std::unique_ptr<CompressDictionary> writer_;
  };

  // Opens `input` and reads its first word (the reader's errors propagate).
  DictionaryMergeHandler(std::string input, std::string output, Options options, Output& pass);
  ~DictionaryMergeHandler();
  DictionaryMergeHandler(const DictionaryMergeHandler&) = delete;
  DictionaryMergeHandler& operator=(const DictionaryMergeHandler&) = delete;

  bool readNext();
  bool hasItem() const { return hasItem_; }
  const std::string& word() const { return word_; }
  void write();
  static void createEmptyOutput(const std::string& path);
  bool operator<(const DictionaryMergeHandler& other) const;

 private:
  std::string input_, output_, word_;
  OperationContext& context_;
  Output& pass_;
  std::unique_ptr<Dictionary> reader_;
  std::unique_ptr<DictionaryScan> scan_;
  bool hasItem_ = false;
};

}  // namespace wk
