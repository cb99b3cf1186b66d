#include "dictionary.h"

#include "../base/file_ops.h"
#include "../base/message_port.h"
#include "../base/string_table.h"
#include "../base/wordkeg_exception.h"
#include "reader_state.h"

namespace wk {

using namespace dict;

Dictionary::Dictionary(const std::string& path, bool loadIntoMemory, size_t bufferSize)
    : path_(path) {
  ReaderState& state = readerState();
  const int count = ++state.openReaders;
  if (count > ReaderState::kMaxOpenReaders) {
    state.tooMany = true;
    inert_ = true;
    return;
  }
  try {
    if (count == 1) {
      state.tooMany = false;
      state.cancel = false;
      state.sharedCopy.reset();
      if (loadIntoMemory) loadShared();
    }
    if (state.memoryMode() && state.sharedPath == path_) {
      memory_ = state.sharedCopy;
      validate(static_cast<int64_t>(memory_->size()) - 1);
    } else {
      openStream(bufferSize);
    }
  } catch (...) {
    if (file_) std::fclose(file_);
    if (--state.openReaders == 0) state.sharedCopy.reset();
    throw;
  }
}

Dictionary::~Dictionary() {
  if (file_) std::fclose(file_);
  memory_.reset();
  ReaderState& state = readerState();
  if (--state.openReaders == 0) state.sharedCopy.reset();
}

void Dictionary::loadShared() {
  const int64_t size = fileSize(path_);
  if (size < 0 || size >= kMemoryLimit) return;
  std::FILE* f = std::fopen(path_.c_str(), "rb");
  if (!f) return;  // the stream open below reports it
  auto copy = std::make_shared<std::vector<unsigned char>>(static_cast<size_t>(size) + 1);
  const size_t got = std::fread(copy->data(), 1, static_cast<size_t>(size), f);
  std::fclose(f);
  if (got != static_cast<size_t>(size)) return;
  copy->back() = 255;
  readerState().sharedCopy = copy;
  readerState().sharedPath = path_;
}

void Dictionary::openStream(size_t bufferSize) {
  file_ = std::fopen(path_.c_str(), "rb");
  if (!file_) {
    const std::string text = str(kUnableToOpenDictionary) + path_;
    showMessage(text, str(kFileErrorCaption), mb::kIconStop | mb::kOk | mb::kTaskModal);
    throw WordkegException(text);
  }
  buffer_.resize(bufferSize > 0 ? bufferSize : BUFSIZ);
  std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
  validate(fileSize(path_));
  std::rewind(file_);
}

void Dictionary::validate(int64_t size) {
  unsigned char head[kStreamStart];
  if (size < kStreamStart) damaged();
  if (memory_) {
    std::copy(memory_->begin(), memory_->begin() + kStreamStart, head);
  } else if (std::fread(head, 1, kStreamStart, file_) != static_cast<size_t>(kStreamStart)) {
    damaged();
  }
  header_ = DictionaryHeader::decode(head + kHeaderOffset);
  if (header_.magic != kMagic) damaged();
  int32_t previous = kStreamStart;
  for (int i = 0; i < kIndexEntries; ++i) {
    index_[i] = readInt32(head + 4 * i);
    // The writer only produces ascending offsets inside the file; anything else is damage.
    if (index_[i] < previous || index_[i] > size) damaged();
    previous = index_[i];
  }
}

void Dictionary::damaged() const { throw WordkegException(str(kDamagedDictionary) + path_); }

int Dictionary::readByte() {
  if (!memory_) return std::fgetc(file_);
  const unsigned char b = (*memory_)[memoryPos_];
  if (b == 255) return -1;
  ++memoryPos_;
  return b;
}

long Dictionary::position() const {
  return memory_ ? static_cast<long>(memoryPos_) : std::ftell(file_);
}

void Dictionary::setPosition(long offset) {
  if (memory_)
    memoryPos_ = static_cast<size_t>(offset);
  else
    std::fseek(file_, offset, SEEK_SET);
}

void Dictionary::seek(int length, char letter) {
  if (inert_) return;
  if (length < 1 || length > kMaxLength) length = kMaxLength;
  if (letter < 'a' || letter > 'z') letter = 'a';
  length_ = length;
  validPrefix_ = 0;
  setPosition(index_[indexSlot(length, letter)]);
}

bool Dictionary::seekForward(int length, char letter) {
  if (inert_ || length < 1 || length > kMaxLength) return false;
  if (letter < 'a' || letter > 'z') letter = 'a';
  if (index_[indexSlot(length, letter)] < position()) return false;
  seek(length, letter);
  return true;
}

bool Dictionary::readNext() {
  if (inert_) return false;
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
  const int prefix = flags >> 2;
  if (prefix > validPrefix_ || prefix > length_) damaged();
  capital_ = (flags & 2) != 0;
  hyphen_ = -1;
  if (flags & 1) {
    hyphen_ = readByte();
    if (hyphen_ < 1 || hyphen_ > length_) damaged();
  }
  int pos = prefix;
  while (pos < length_) {
    const int code = readByte();
    if (code < 0) damaged();
    if (code <= kPairCodeEnd) {
      if (pos + 2 > length_) damaged();
      word_[pos++] = kPairLetters[code / kPairLetterCount];
      word_[pos++] = kPairLetters[code % kPairLetterCount];
    } else if (code >= 'a' + kLetterBias && code <= 'z' + kLetterBias) {
      word_[pos++] = static_cast<char>(code - kLetterBias);
    } else {
      damaged();
    }
  }
  word_[length_] = ' ';
  word_[length_ + 1] = 0;
  validPrefix_ = length_;
}

std::string Dictionary::asWritten() const {
  std::string word(word_, static_cast<size_t>(length_));
  if (capital_ && !word.empty()) word[0] = static_cast<char>(word[0] - 'a' + 'A');
  if (hyphen_ >= 0) word.insert(static_cast<size_t>(hyphen_), 1, '-');
  return word;
}

}  // namespace wk
