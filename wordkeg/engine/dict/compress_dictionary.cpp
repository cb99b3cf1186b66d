#include "compress_dictionary.h"

#include <algorithm>
#include <cstring>

#include "../base/clock.h"
#include "../base/string_table.h"
#include "../base/system_path.h"
#include "../base/wordkeg_exception.h"
#include "word_order.h"

namespace wk {

using namespace dict;

namespace {

// Each byte's place in kPairLetters, or -1: a table, as every letter of every word written
// asks for it.
struct PairPlaces {
  signed char place[256];
  constexpr PairPlaces() : place() {
    for (int i = 0; i < 256; ++i) place[i] = -1;
    for (int i = 0; i < kPairLetterCount; ++i)
      place[static_cast<unsigned char>(kPairLetters[i])] = static_cast<signed char>(i);
  }
};
constexpr PairPlaces kPairPlaces;

int pairIndex(char c, int limit) {
  const int i = kPairPlaces.place[static_cast<unsigned char>(c)];
  return i < limit ? i : -1;
}

std::FILE* openOrThrow(const std::string& path, const char* mode) {
  std::FILE* f = openFile(path, mode);
  if (!f) throw WordkegException(str(kUnableToCreateDictionary) + path);
  return f;
}

}  // namespace

void CompressDictionary::createEmpty(const std::string& path) {
  unsigned char bytes[kStreamStart];
  for (int i = 0; i < kIndexEntries; ++i) writeInt32(bytes + 4 * i, kStreamStart);
  DictionaryHeader header;
  header.created = nowTime();
  header.encode(bytes + kHeaderOffset);
  std::FILE* f = openOrThrow(path, "wb");
  const bool ok = std::fwrite(bytes, 1, sizeof bytes, f) == sizeof bytes;
  if (std::fclose(f) != 0 || !ok) throw WordkegException(str(kUnableToCreateDictionary) + path);
}

CompressDictionary::CompressDictionary(const std::string& path) : path_(path) {
  createEmpty(path);
  file_ = openOrThrow(path, "r+b");
  std::setvbuf(file_, buffer_, _IOFBF, sizeof buffer_);
  std::fseek(file_, kStreamStart, SEEK_SET);
  setEntry(1, 'a', kStreamStart);
}

CompressDictionary::~CompressDictionary() {
  if (finished_) return;
  try {
    finish();
  } catch (const WordkegException&) {
    // Destruction cannot report; a caller that cares has called finish() itself.
  }
}

void CompressDictionary::checkWord(const std::string& word) const {
  const int letters = letterCount(word);
  const auto hyphen = word.find('-');
  bool ok = letters >= 1 && letters <= kMaxLength && letters + 1 >= static_cast<int>(word.size());
  ok = ok && (hyphen == std::string::npos || (hyphen > 0 && hyphen + 1 < word.size()));
  for (size_t i = 0; ok && i < word.size(); ++i) {
    const char c = word[i];
    ok = (c >= 'a' && c <= 'z') || c == '-' || (i == 0 && c >= 'A' && c <= 'Z');
  }
  if (!ok) throw WordkegException("Not a dictionary word: " + word);
  if (!previous_.empty() && compareWords(previous_, word) > 0)
    throw WordkegException("Word out of dictionary order: " + word);
}

void CompressDictionary::addWord(const std::string& word) {
  if (word == previous_) return;
  checkWord(word);
  // Words whose only difference is the hyphen's place ("co-op", "coo-p") are equal in the
  // order, so a twin can come between two copies of one word: each is still written once.
  if (!previous_.empty() && compareWords(previous_, word) == 0) {
    if (std::find(equalRun_.begin(), equalRun_.end(), word) != equalRun_.end()) return;
  } else {
    equalRun_.clear();
  }
  equalRun_.push_back(word);
  std::string stored = word;
  int hyphen = -1;
  if (const auto at = stored.find('-'); at != std::string::npos) {
    hyphen = static_cast<int>(at);
    stored.erase(at, 1);
  }
  const int letters = static_cast<int>(stored.size());
  capital_ = stored[0] >= 'A' && stored[0] <= 'Z';
  if (capital_) stored[0] = static_cast<char>(stored[0] - 'A' + 'a');
  ++header_.wordCount;
  size_t prefix = 0;
  if (letters > longest_) {
    longest_ = letters;
  } else {
    while (prefix < stored.size() && prefix < previous_.size() &&
           stored[prefix] == previous_[prefix])
      ++prefix;
  }
  pack(stored, prefix);
  writeRecord(letters, stored[0], prefix, hyphen);
  previous_ = word;
}

void CompressDictionary::pack(const std::string& stored, size_t from) {
  codes_.clear();
  for (size_t i = from; i < stored.size();) {
    const int first = pairIndex(stored[i], kPairOpeners);
    const int second = i + 1 < stored.size() ? pairIndex(stored[i + 1], kPairLetterCount) : -1;
    if (first >= 0 && second >= 0) {
      codes_ += static_cast<char>(first * kPairLetterCount + second);
      i += 2;
    } else {
      codes_ += static_cast<char>((stored[i] + kLetterBias) & 0xFF);
      i += 1;
    }
  }
}

void CompressDictionary::writeRecord(int letters, char first, size_t prefix, int hyphen) {
  while (length_ < letters) {
    for (char c = static_cast<char>(letter_ + 1); c <= 'z'; ++c) setEntry(length_, c, position());
    put(kSeparator);
    ++length_;
    letter_ = 'a';
    setEntry(length_, 'a', position());
  }
  while (first > letter_) setEntry(length_, ++letter_, position());
  codes_.insert(codes_.begin(),
                static_cast<char>(prefix * 4 + (capital_ ? 2 : 0) + (hyphen >= 0 ? 1 : 0)));
  if (hyphen >= 0) codes_.insert(codes_.begin() + 1, static_cast<char>(hyphen));
  if (std::fwrite(codes_.data(), 1, codes_.size(), file_) != codes_.size()) writeFailed_ = true;
  position_ += static_cast<int32_t>(codes_.size());
}

void CompressDictionary::put(int byte) {
  if (std::fputc(byte, file_) == EOF) writeFailed_ = true;
  ++position_;
}

void CompressDictionary::finish() {
  if (finished_) return;
  finished_ = true;
  for (int length = length_; length <= kMaxLength; ++length) {
    const char from = length == length_ ? static_cast<char>(letter_ + 1) : 'a';
    for (char c = from; c <= 'z'; ++c) setEntry(length, c, position());
  }
  header_.created = nowTime();
  const bool ok = writeOut();
  if (!ok) throw WordkegException(str(kUnableToWriteFile) + path_);
}

bool CompressDictionary::writeOut() {
  unsigned char head[kStreamStart];
  for (int i = 0; i < kIndexEntries; ++i) writeInt32(head + 4 * i, index_[i]);
  header_.encode(head + kHeaderOffset);
  bool ok = !writeFailed_ && std::fflush(file_) == 0;
  ok = ok && std::fseek(file_, 0, SEEK_SET) == 0;
  ok = ok && std::fwrite(head, 1, sizeof head, file_) == sizeof head;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  return ok;
}

}  // namespace wk
