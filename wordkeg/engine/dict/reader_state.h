#pragma once
// State shared by every dictionary reader of the process. Only one long operation runs at a
// time, so the values need no lock; they are atomics because the user-interface thread reads the
// counter and writes the cancel flag while a worker scans.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dict_format.h"
#include "dictionary_header.h"

namespace wk {

// One record of a dictionary decoded in advance: the stored form followed by a blank and a zero.
struct DecodedWord {
  char letters[dict::kMaxLength + 2];
  int8_t length;
  int8_t hyphen;  // -1 when none
  bool capital;
};

// A whole dictionary file held in memory (plus a final byte 255), checked and decoded once for
// all the readers that share it: nested readers then step through words, not bytes.
struct SharedDictionary {
  std::vector<unsigned char> bytes;
  int32_t index[dict::kIndexEntries] = {};
  DictionaryHeader header;
  std::vector<DecodedWord> words;
  std::vector<uint32_t> wordAt;  // for each file offset, the first word starting there or later
};

struct ReaderState {
  static constexpr int kMaxOpenReaders = 15;

  std::atomic<int> openReaders{0};
  std::atomic<bool> tooMany{false};
  std::atomic<bool> cancel{false};
  std::atomic<uint32_t> wordsChecked{0};
  // The file of the first reader that asked to be loaded into memory; shared by the readers
  // nested inside it on the same path.
  std::shared_ptr<const SharedDictionary> shared;
  std::string sharedPath;

  bool memoryMode() const { return shared != nullptr; }
};

ReaderState& readerState();

}  // namespace wk
