#pragma once
// CompressDictionary: writes a compiled dictionary from words handed to it in dictionary order,
// building the index and the header as it goes.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "dict_format.h"
#include "dictionary_header.h"

namespace wk {

class CompressDictionary {
 public:
  // Writes a dictionary with no words at `path` (created now, unselected). Throws
  // WordkegException "Unable to create Dictionary: " + path on failure.
  static void createEmpty(const std::string& path);

  // Starts a new dictionary at `path` (throws as createEmpty).
  explicit CompressDictionary(const std::string& path);
  // Finishes an unfinished writer; errors are then lost, so callers finish explicitly.
  ~CompressDictionary();
  CompressDictionary(const CompressDictionary&) = delete;
  CompressDictionary& operator=(const CompressDictionary&) = delete;

  // Adds `word` as written. A word equal to the previous one is dropped. Throws
  // WordkegException for a word that is not a dictionary word (1..20 letters, one inner
  // hyphen, lower case after the first letter) or that comes before the previous word.
  void addWord(const std::string& word);
  // Writes index and header and closes the file; throws WordkegException "Unable to write
  // File: " + path when any write failed (a full disk).
  void finish();

  int32_t wordCount() const { return header_.wordCount; }

 private:
  void checkWord(const std::string& word) const;
  void pack(const std::string& stored, size_t from);
  void writeRecord(int letters, char first, size_t prefix, int hyphen);
  void setEntry(int length, char letter, int32_t offset) {
    index_[dict::indexSlot(length, letter)] = offset;
  }
  void put(int byte);
  int32_t position() const { return position_; }
  bool writeOut();

  std::string path_;
  std::FILE* file_ = nullptr;
  char buffer_[4096];
  std::string previous_;
  std::vector<std::string> equalRun_;  // the written words equal in order to `previous_`
  std::string codes_;
  int length_ = 1;
  char letter_ = 'a';
  int longest_ = 0;
  bool capital_ = false;
  int32_t position_ = dict::kStreamStart;
  int32_t index_[dict::kIndexEntries] = {};
  DictionaryHeader header_;
  bool writeFailed_ = false;
  bool finished_ = false;
};

}  // namespace wk
