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

#include "../base/byte_source.h"
#include "dict_format.h"
#include "dictionary_header.h"

namespace wk {

class OperationContext;

class Dictionary {
 public:
  // Opens `path` for the operation of `context` (which must outlive the reader). On failure to
  // open, shows "Unable to open Dictionary: " + path and throws the same text. The operation's
  // sixteenth reader open at once opens nothing and yields no words. `loadIntoMemory` takes
  // effect for the first reader of the operation and a small file only.
  Dictionary(OperationContext& context, const std::string& path, bool loadIntoMemory,
             size_t bufferSize);
  // Reads `source` (when null, the file at `path`); `path` names it in messages and keys the
  // copy held in memory.
  Dictionary(OperationContext& context, std::unique_ptr<ByteSource> source, const std::string& path,
             bool loadIntoMemory, size_t bufferSize);
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
  const char* stored() const { return current_; }
  bool capital() const { return capital_; }
  int hyphenPosition() const { return hyphen_; }
  // The last word as written: capital and hyphen restored.
  std::string asWritten() const;
  // Appends asWritten() to `text`, without a string of its own.
  void appendWritten(std::string& text) const;
  const DictionaryHeader& header() const { return header_; }

  // Memory mode: the words decoded in advance, so a scan can step through them without a call
  // per word (null in stream mode), and the ordinal of the word readNext() gives next.
  const struct SharedDictionary* decoded() const { return decoded_; }
  size_t nextOrdinal() const { return ordinal_; }
  // Stream mode: reads past the records that follow while they share at least `shared` letters
  // with the last word (and are of its length), without putting their letters together: a scan
  // that knows no word beginning so can be a match passes over them. Adds one to `passed` for
  // each as it goes, so that the count holds the words read before one found damaged (checked as
  // readNext() checks it) throws. The last word's letters past `shared` are not kept. Nothing in
  // memory mode.
  void passSharing(int shared, uint32_t& passed);
  // Memory mode: makes decoded word `ordinal` the current word, as readNext() would have.
  // REQUIRES: decoded() and ordinal < its word count.
  void takeDecoded(size_t ordinal);
  const std::string& path() const { return path_; }
  OperationContext& context() const { return context_; }

 private:
  // The source, the file opened on first use; false when it cannot be opened.
  bool haveSource();
  void openStream(size_t bufferSize);
  void loadShared();
  // Reads and checks the index and header of a file of `size` bytes from `head`.
  void validate(const unsigned char* head, int64_t size, int32_t* index,
                DictionaryHeader& header) const;
  // The next byte, -1 at the end.
  int readByte() {
    return !memoryBytes_ && bufferPos_ < bufferLength_ ? buffer_[bufferPos_++] : readByteSlowly();
  }
  int readByteSlowly();  // readByte() from memory or past the block
  int refill();
  long position() const;
  void setPosition(long offset);
  void decodeRecord(int flags);
  // The hyphen position a record with `flags` holds (after its flags), checked against the
  // record's `length`; -1 when it has none. Inline: read once a word.
  int readHyphen(int flags, int length) {
    if (!(flags & 1)) return -1;
    const int hyphen = readByte();
    if (hyphen < 1 || hyphen > length) damaged();
    return hyphen;
  }
  void decodeAll(struct SharedDictionary& shared);
  bool readDecoded();
  [[noreturn]] void damaged() const;

  OperationContext& context_;
  std::string path_;
  bool inert_ = false;
  std::unique_ptr<ByteSource> source_;
  // Stream mode reads through a block of the caller's buffer size, without a library call per
  // byte: `buffer_` holds the file's bytes from offset `bufferStart_`.
  std::vector<unsigned char> buffer_;
  long bufferStart_ = 0;
  size_t bufferLength_ = 0;
  size_t bufferPos_ = 0;
  std::shared_ptr<const struct SharedDictionary> memory_;
  const unsigned char* memoryBytes_ = nullptr;  // memory_'s bytes, for the byte loop
  size_t memoryPos_ = 0;
  int32_t ownIndex_[dict::kIndexEntries] = {};
  const int32_t* index_ = ownIndex_;  // the shared copy's index in memory mode
  DictionaryHeader header_;
  int length_ = 1;
  char word_[dict::kMaxLength + 2] = {};
  bool capital_ = false;
  int hyphen_ = -1;
  int validPrefix_ = 0;
  const char* current_ = word_;
  const struct SharedDictionary* decoded_ = nullptr;  // memory mode: the words decoded in advance
  size_t ordinal_ = 0;                                // the next decoded word
};

}  // namespace wk
