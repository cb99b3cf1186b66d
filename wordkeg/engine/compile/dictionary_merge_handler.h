#pragma once
// DictionaryMergeHandler: one compiled dictionary as an input of MergeFile. All handlers of the
// process write to one shared CompressDictionary, so every pass output is a complete
// dictionary and a word held by several inputs is written once.
#include <memory>
#include <string>

namespace wk {

class Dictionary;
class DictionaryScan;

class DictionaryMergeHandler {
 public:
  struct Options {};  // a dictionary says all the merge needs to know

  // Opens `input` and reads its first word (the reader's errors propagate).
  DictionaryMergeHandler(std::string input, std::string output, Options options = {});
  ~DictionaryMergeHandler();
  DictionaryMergeHandler(const DictionaryMergeHandler&) = delete;
  DictionaryMergeHandler& operator=(const DictionaryMergeHandler&) = delete;

  bool readNext();
  bool hasItem() const { return hasItem_; }
  const std::string& word() const { return word_; }
  void write();
  static void closeOutput();    // finishes the shared writer; throws if it could not be written
  static void abandonOutput();  // drops the shared writer without reporting
  static void createEmptyOutput(const std::string& path);
  bool operator<(const DictionaryMergeHandler& other) const;

 private:
  std::string input_, output_, word_;
  std::unique_ptr<Dictionary> reader_;
  std::unique_ptr<DictionaryScan> scan_;
  bool hasItem_ = false;
};

}  // namespace wk
