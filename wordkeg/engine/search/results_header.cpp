#include "results_header.h"

#include <cstring>

#include "../dict/dictionary_header.h"

namespace wk {
using namespace results;

namespace {

void putText(unsigned char* field, int size, const std::string& text) {
  std::memset(field, 0, static_cast<size_t>(size));
  std::memcpy(field, text.data(), std::min(text.size(), static_cast<size_t>(size - 1)));
}

std::string getText(const unsigned char* field, int size) {
  const auto* start = reinterpret_cast<const char*>(field);
  const void* nul = std::memchr(start, 0, static_cast<size_t>(size));
  return std::string(start, nul ? static_cast<const char*>(nul) - start : size);
}

}  // namespace

void ResultsHeader::encode(unsigned char out[results::kHeaderBytes]) const {
  std::memset(out, 0, results::kHeaderBytes);
  writeInt32(out, magic);
  writeInt32(out + kFoundField, found);
  writeInt32(out + kCheckedField, wordsChecked);
  out[kLongestField] = static_cast<unsigned char>(longestEntry & 0xFF);
  out[kLongestField + 1] = static_cast<unsigned char>((longestEntry >> 8) & 0xFF);
  putText(out + kFindField, results::kFindSize, find);
  putText(out + kFromField, results::kFromSize, from);
  putText(out + kIncludeField, results::kLettersSize, include);
  putText(out + kExcludeField, results::kLettersSize, exclude);
  out[kUseAllField] = useAll ? 1 : 0;
  out[kSuppressField] = suppressPermutations ? 1 : 0;
}

ResultsHeader ResultsHeader::decode(const unsigned char in[results::kHeaderBytes]) {
  ResultsHeader h;
  h.magic = readInt32(in);
  h.found = readInt32(in + kFoundField);
  h.wordsChecked = readInt32(in + kCheckedField);
  h.longestEntry = static_cast<int16_t>(in[kLongestField] | in[kLongestField + 1] << 8);
  h.find = getText(in + kFindField, results::kFindSize);
  h.from = getText(in + kFromField, results::kFromSize);
  h.include = getText(in + kIncludeField, results::kLettersSize);
  h.exclude = getText(in + kExcludeField, results::kLettersSize);
  h.useAll = in[kUseAllField] != 0;
  h.suppressPermutations = in[kSuppressField] != 0;
  return h;
}

}  // namespace wk
