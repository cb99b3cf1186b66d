#include "dictionary.h"

#include <algorithm>

#include "../base/file_ops.h"
#include "../base/message_port.h"
#include "../base/string_table.h"
#include "../base/wordkeg_exception.h"
#include "operation_context.h"

namespace wk {

using namespace dict;

namespace {

// What each code byte stands for, packed in one word: its first letter (bits 0-7), its second
// (8-15, 0 for a code of one letter) and how many letters it stands for (16-23, 0 for a byte
// that is no code).
struct CodeTable {
  uint32_t codes[256] = {};
  CodeTable() {
    for (int b = 0; b <= kPairCodeEnd; ++b)
      codes[b] = pack(kPairLetters[b / kPairLetterCount], kPairLetters[b % kPairLetterCount], 2);
    for (int c = 'a'; c <= 'z'; ++c) codes[c + kLetterBias] = pack(static_cast<char>(c), 0, 1);
  }
  static uint32_t pack(char first, char second, uint32_t letters) {
    return static_cast<unsigned char>(first) |
           static_cast<uint32_t>(static_cast<unsigned char>(second)) << 8 | letters << 16;
  }
};

// Puts a code's letters at `at`: both, harmless for a code of one, the buffer having room past
// the length. Returns how many it stands for.
inline int putCode(char* at, uint32_t code) {
  at[0] = static_cast<char>(code & 0xFF);
  at[1] = static_cast<char>(code >> 8 & 0xFF);
  return static_cast<int>(code >> 16);
}

const CodeTable kCodeTable;

}  // namespace

Dictionary::Dictionary(OperationContext& context, const std::string& path, bool loadIntoMemory,
                       size_t bufferSize)
    : Dictionary(context, nullptr, path, loadIntoMemory, bufferSize) {}

Dictionary::Dictionary(OperationContext& context, std::unique_ptr<ByteSource> source,
                       const std::string& path, bool loadIntoMemory, size_t bufferSize)
    : context_(context), path_(path), source_(std::move(source)) {
  OperationContext& state = context_;
  const int count = state.open();
  if (count > OperationContext::kMaxOpenReaders) {
    inert_ = true;
    return;
  }
  try {
    if (count == 1 && loadIntoMemory && state.memoryAllowed()) loadShared();
    if ((memory_ = state.sharedFor(path_))) {
      memoryBytes_ = memory_->bytes.data();
      decoded_ = memory_.get();
      index_ = memory_->index;
      header_ = memory_->header;
    } else {
      openStream(bufferSize);
    }
  } catch (...) {
    state.close();
    throw;
  }
}

Dictionary::~Dictionary() {
  memory_.reset();
  context_.close();
}

bool Dictionary::haveSource() {
  if (!source_) source_ = FileSource::open(path_);
  return source_ != nullptr;
}

void Dictionary::loadShared() {
  if (!haveSource()) return;  // the stream open below reports it
  const int64_t size = source_->size();
  if (size < 0 || size >= kMemoryLimit) return;
  auto copy = std::make_shared<SharedDictionary>();
  copy->bytes.resize(static_cast<size_t>(size) + 1);
  const size_t got = source_->readAt(0, copy->bytes.data(), static_cast<size_t>(size));
  if (got != static_cast<size_t>(size)) return;
  copy->bytes.back() = 255;
  validate(copy->bytes.data(), size, copy->index, copy->header);
  decodeAll(*copy);
  context_.share(copy, path_);
  source_.reset();  // every reader of this path reads the copy now
}

void Dictionary::openStream(size_t bufferSize) {
  if (!haveSource()) {
    const std::string text = str(kUnableToOpenDictionary) + path_;
    showMessage(text, str(kFileErrorCaption), mb::kIconStop | mb::kOk | mb::kTaskModal);
    throw WordkegException(text, true);
  }
  buffer_.resize(bufferSize > 0 ? bufferSize : BUFSIZ);
  unsigned char head[kStreamStart];
  const int64_t size = source_->size();
  if (size < kStreamStart ||
      source_->readAt(0, head, kStreamStart) != static_cast<size_t>(kStreamStart))
    damaged();
  validate(head, size, ownIndex_, header_);
  bufferStart_ = 0;
  bufferLength_ = bufferPos_ = 0;
}

void Dictionary::validate(const unsigned char* head, int64_t size, int32_t* index,
                          DictionaryHeader& header) const {
  if (size < kStreamStart) damaged();
  header = DictionaryHeader::decode(head + kHeaderOffset);
  if (header.magic != kMagic) damaged();
  int32_t previous = kStreamStart;
  for (int i = 0; i < kIndexEntries; ++i) {
    index[i] = readInt32(head + 4 * i);
    // The writer only produces ascending offsets inside the file; anything else is damage.
    if (index[i] < previous || index[i] > size) damaged();
    previous = index[i];
  }
}

void Dictionary::damaged() const {
  throw WordkegException(str(kDamagedDictionary) + path_);
}

int Dictionary::refill() {
  bufferStart_ += static_cast<long>(bufferLength_);
  bufferLength_ = source_->readAt(bufferStart_, buffer_.data(), buffer_.size());
  bufferPos_ = 0;
  return bufferLength_ ? buffer_[bufferPos_++] : -1;
}

int Dictionary::readByteSlowly() {
  if (!memoryBytes_) return bufferPos_ < bufferLength_ ? buffer_[bufferPos_++] : refill();
  const unsigned char b = memoryBytes_[memoryPos_];
  if (b == 255) return -1;
  ++memoryPos_;
  return b;
}

void Dictionary::decodeAll(SharedDictionary& shared) {
  // Decodes with this reader's own byte loop, so damage is found here, once.
  memoryBytes_ = shared.bytes.data();
  memoryPos_ = kStreamStart;
  length_ = 1;
  shared.wordAt.assign(shared.bytes.size(), 0);
  size_t filled = 0;
  while (readNext()) {
    // Offsets up to the end of this record (its separators and its start) lead to it.
    for (; filled < memoryPos_; ++filled)
      shared.wordAt[filled] = static_cast<uint32_t>(shared.words.size());
    DecodedWord w{};
    std::copy(word_, word_ + length_ + 2, w.letters);
    w.length = static_cast<int8_t>(length_);
    w.hyphen = static_cast<int8_t>(hyphen_);
    w.capital = capital_;
    shared.words.push_back(w);
    LetterCounts counts;
    const bool packed = counts.setFrom(word_, length_);
    shared.counts.push_back(counts);
    shared.masks.push_back(letterMask(word_, length_) | (packed ? 0 : kCountsTooHigh));
  }
  shared.groupEnd.resize(shared.words.size());
  for (size_t i = shared.words.size(); i-- > 0;) {
    const bool sameGroup = i + 1 < shared.words.size() &&
                           shared.words[i + 1].length == shared.words[i].length &&
                           shared.words[i + 1].letters[0] == shared.words[i].letters[0];
    shared.groupEnd[i] = sameGroup ? shared.groupEnd[i + 1] : static_cast<uint32_t>(i + 1);
  }
  for (; filled < shared.wordAt.size(); ++filled)
    shared.wordAt[filled] = static_cast<uint32_t>(shared.words.size());
  shared.tableGroups();
  memoryBytes_ = nullptr;
  memoryPos_ = 0;
  length_ = 1;
  validPrefix_ = 0;
}

bool Dictionary::readDecoded() {
  if (ordinal_ >= decoded_->words.size()) return false;
  takeDecoded(ordinal_);
  return true;
}

void Dictionary::takeDecoded(size_t ordinal) {
  const DecodedWord& w = decoded_->words[ordinal];
  ordinal_ = ordinal + 1;
  length_ = w.length;
  capital_ = w.capital;
  hyphen_ = w.hyphen;
  current_ = w.letters;
}

long Dictionary::position() const {
  return memoryBytes_ ? static_cast<long>(memoryPos_)
                      : bufferStart_ + static_cast<long>(bufferPos_);
}

void Dictionary::setPosition(long offset) {
  if (memoryBytes_) {
    memoryPos_ = static_cast<size_t>(offset);
  } else if (offset >= bufferStart_ && offset <= bufferStart_ + static_cast<long>(bufferLength_)) {
    bufferPos_ = static_cast<size_t>(offset - bufferStart_);  // still inside the block read
  } else {
    bufferStart_ = offset;
    bufferLength_ = bufferPos_ = 0;
  }
}

void Dictionary::seek(int length, char letter) {
  if (inert_) return;
  if (length < 1 || length > kMaxLength) length = kMaxLength;
  if (letter < 'a' || letter > 'z') letter = 'a';
  length_ = length;
  validPrefix_ = 0;
  if (decoded_) {
    ordinal_ = decoded_->wordAt[static_cast<size_t>(index_[indexSlot(length, letter)])];
    return;
  }
  setPosition(index_[indexSlot(length, letter)]);
}

bool Dictionary::seekForward(int length, char letter) {
  if (inert_ || length < 1 || length > kMaxLength) return false;
  if (letter < 'a' || letter > 'z') letter = 'a';
  const int32_t target = index_[indexSlot(length, letter)];
  if (decoded_ ? decoded_->wordAt[static_cast<size_t>(target)] < ordinal_ : target < position())
    return false;
  seek(length, letter);
  return true;
}

void Dictionary::passSharing(int shared, uint32_t& passed) {
  if (memoryBytes_ || decoded_ || inert_) return;
  const int length = length_;
  const int valid = validPrefix_;
  bool any = false;
  for (;;) {
    if (bufferPos_ >= bufferLength_ && refill() >= 0) --bufferPos_;  // looked at, not yet read
    const int flags = bufferPos_ < bufferLength_ ? buffer_[bufferPos_] : kSeparator;
    if (flags == kSeparator || (flags >> 2) < shared) {
      // Only the letters all of them shared are known now: a record after a separator that
      // shared more would be damage (the writer starts each group afresh).
      if (any) validPrefix_ = std::min(valid, shared);
      return;
    }
    if ((flags >> 2) > valid || (flags >> 2) > length) damaged();
    ++bufferPos_;
    readHyphen(flags, length);
    for (int pos = flags >> 2; pos < length;) {
      const int byte = readByte();
      if (byte < 0) damaged();
      const int letters = static_cast<int>(kCodeTable.codes[byte] >> 16);
      if (letters == 0 || pos + letters > length) damaged();
      pos += letters;
    }
    ++passed;
    any = true;
  }
}

bool Dictionary::readNext() {
  if (inert_) return false;
  if (decoded_) return readDecoded();
  for (;;) {
    const int flags = readByte();
    if (flags < 0) return false;
    if (flags == kSeparator) {
      if (++length_ > kMaxLength) damaged();
      continue;
    }
    decodeRecord(flags);
    return true;
  }
}

void Dictionary::decodeRecord(int flags) {
  // Locals: a store into word_ could change any member, as the compiler sees it.
  const int length = length_;
  char* const word = word_;
  const int prefix = flags >> 2;
  if (prefix > validPrefix_ || prefix > length) damaged();
  capital_ = (flags & 2) != 0;
  hyphen_ = readHyphen(flags, length);
  int pos = prefix;
  // A record has at most one code a letter: with that many bytes at hand in the block, they are
  // read without a check of the block's end each.
  if (!memoryBytes_ && bufferLength_ - bufferPos_ >= static_cast<size_t>(length)) {
    const unsigned char* const bytes = buffer_.data() + bufferPos_;
    const unsigned char* at = bytes;
    while (pos < length) {
      const int letters = putCode(word + pos, kCodeTable.codes[*at++]);
      if (letters == 0 || pos + letters > length) damaged();
      pos += letters;
    }
    bufferPos_ += static_cast<size_t>(at - bytes);
  }
  while (pos < length) {
    const int byte = readByte();
    if (byte < 0) damaged();
    const int letters = putCode(word + pos, kCodeTable.codes[byte]);
    if (letters == 0 || pos + letters > length) damaged();
    pos += letters;
  }
  word[length] = ' ';
  word[length + 1] = 0;
  validPrefix_ = length;
}

std::string Dictionary::asWritten() const {
  std::string word;
  appendWritten(word);
  return word;
}

void Dictionary::appendWritten(std::string& text) const {
  const size_t start = text.size();
  text.append(current_, static_cast<size_t>(length_));
  if (capital_ && length_ > 0) text[start] = static_cast<char>(text[start] - 'a' + 'A');
  if (hyphen_ >= 0) text.insert(start + static_cast<size_t>(hyphen_), 1, '-');
}

}  // namespace wk
