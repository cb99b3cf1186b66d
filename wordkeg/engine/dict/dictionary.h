#pragma once
// Dictionary: the reader of a compiled dictionary. It positions itself at a (length, first
// letter) group through the index and decodes the records that follow, one word at a time.
// Any byte sequence is safe to read: a file that breaks the format raises a WordkegException
// ("This dictionary is damaged ...") instead of reading out of bounds or looping.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "dict_format.h"
#include "dictionary_header.h"

namespace wk {

class Dictionary {
 public:
  // Opens `path`. On failure to open, shows "Unable to open Dictionary: " + path and throws the
  // same text. The sixteenth reader open at once opens nothing and yields no words.
  // `loadIntoMemory` takes effect for the first reader of the process and a small file only.
  Dictionary(const std::string& path, bool loadIntoMemory, size_t bufferSize);
  ~Dictionary();
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;

  // Makes `length` current and moves to the group of `letter` (a non-letter selects 'a').
  // REQUIRES: 1 <= length <= 20; letters in lower case.
  void seek(int length, char letter);
  // Moves to the group only if it lies ahead of the current position (never backwards), so a
  // scan that skips groups always makes progress. Returns whether it moved.
  bool seekForward(int length, char letter);
  // Decodes the next record; false at the end of the data.
  bool readNext();

  bool inert() const { return inert_; }  // the reader beyond the limit: no words
  int length() const { return length_; }
  // The stored form of the last word: length() letters, a blank and a zero.
  const char* stored() const { return word_; }
  bool capital() const { return capital_; }
  int hyphenPosition() const { return hyphen_; }
  // The last word as written: capital and hyphen restored.
  std::string asWritten() const;
  const DictionaryHeader& header() const { return header_; }
  const std::string& path() const { return path_; }

 private:
  void openStream(size_t bufferSize);
  void loadShared();
  void validate(int64_t size);
  int readByte();
  long position() const;
  void setPosition(long offset);
  void decodeRecord(int flags);
  [[noreturn]] void damaged() const;

  std::string path_;
  bool inert_ = false;
  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::shared_ptr<const std::vector<unsigned char>> memory_;
  size_t memoryPos_ = 0;
  int32_t index_[dict::kIndexEntries] = {};
  DictionaryHeader header_;
  int length_ = 1;
  char word_[dict::kMaxLength + 2] = {};
  bool capital_ = false;
  int hyphen_ = -1;
  int validPrefix_ = 0;  // letters of the buffer that hold the previous word
};

}  // namespace wk
